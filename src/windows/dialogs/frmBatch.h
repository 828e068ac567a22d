#pragma once
// The Batch Creator: delays, maps and moves collected in a list, then put
// into the script as one block.

#include <QPointer>
#include <QWidget>

#include "dialogs/FormKit.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quill::dialogs {

class frmBatch : public QWidget, public ScriptWriter {
    Q_OBJECT
public:
    frmBatch();
    ~frmBatch() override;

    static frmBatch* instance();
    static frmBatch* showInstance(ScriptHost* host);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QListWidget* List1 = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Text2_KeyPress(int& KeyAscii);

    static QPointer<frmBatch> instance_;
};

}  // namespace quill::dialogs
