#pragma once
// The Dice Scripter: dice checks and play-dice lines composed from fixed
// choices, collected in a list and put into the script.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "dialogs/FormKit.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quill::dialogs {

class frmCasino : public QWidget, public ScriptWriter {
    Q_OBJECT
public:
    frmCasino();
    ~frmCasino() override;

    static frmCasino* instance();
    static frmCasino* showInstance(ScriptHost* host);

    QGroupBox* Frame4 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo3 = nullptr;
    QPushButton* Command4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QComboBox* Combo4 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* Combo5 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text5 = nullptr;
    QPushButton* Command8 = nullptr;
    QListWidget* List2 = nullptr;
    QPushButton* Command10 = nullptr;

public slots:
    void Command4_Click();
    void Command8_Click();
    void Command10_Click();

private:
    void Form_Load();

    static QPointer<frmCasino> instance_;
};

}  // namespace quill::dialogs
