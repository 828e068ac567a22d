#pragma once
// The Merchant References dialog: ticked item classes and a price choice
// become reference codes in the script. It stays open and keeps its ticks.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "dialogs/FormKit.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quill::dialogs {

class frmRef : public QWidget, public ScriptWriter {
    Q_OBJECT
public:
    frmRef();
    ~frmRef() override;

    static frmRef* instance();
    static frmRef* showInstance(ScriptHost* host);

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;
    QCheckBox* Check8 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    static QPointer<frmRef> instance_;
};

}  // namespace quill::dialogs
