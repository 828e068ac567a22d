#pragma once
// The About window.

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace quill {

// Shows the single About window, bringing it to the front when open.
void showFrmAbout();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();
    ~frmAbout() override;

    static frmAbout* instance();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;

public slots:
    void cmdOK_Click();
    // Esc answers like "OK".
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend void showFrmAbout();
    static QPointer<frmAbout> instance_;
};

}  // namespace quill
