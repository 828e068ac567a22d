#pragma once
// The Check Flag dialog: a flag number and true/false make one flag test line.

#include <QPointer>
#include <QWidget>

#include "dialogs/FormKit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quill::dialogs {

class frmFlag : public QWidget, public ScriptWriter {
    Q_OBJECT
public:
    frmFlag();
    ~frmFlag() override;

    // The open dialog, or nullptr.
    static frmFlag* instance();
    static frmFlag* showInstance(ScriptHost* host);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Text1_KeyPress(int& KeyAscii);

    static QPointer<frmFlag> instance_;
};

}  // namespace quill::dialogs
