#pragma once
// The extended message box's window. Every call builds a new one from the
// layout, fills it with Setup() and shows it modal.

#include <QDialog>
#include <array>

#include "shell/msgboxex.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quill {

class wMsgBoxEx : public QDialog {
    Q_OBJECT
public:
    explicit wMsgBoxEx(QWidget* parent = nullptr);
    ~wMsgBoxEx() override;

    // Builds a new box, shows it modal and returns its result.
    static MsgBoxExResult Show(QWidget* parent, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                               const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost,
                               bool forceScroll);

    // Steps of a call up to showing the box: top-most and auto-close (the
    // load handler), the row, the place, the text area, the icon, the caption.
    void Setup(const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons, const QString& title,
               qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost, bool forceScroll);
    // The code of the button that closed the box; mbxResultCancel until one does.
    MsgBoxExResult result() const { return result_; }
    // The text area Setup() chose (0 with the scroll bar, 1 without).
    int chosenTextArea() const { return chosenText_; }
    // The window's outer size in twips, caption bar and borders included.
    int outerWidthTwips() const;
    int outerHeightTwips() const;

    QLabel* imgIcon = nullptr;
    std::array<QPlainTextEdit*, 2> txtText{};
    std::array<QFrame*, 4> fraContainer{};
    std::array<QWidget*, 4> picContainer{};
    std::array<QLabel*, 4> imgIconStore{};
    QPushButton* cmdOkayOnly = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdNo = nullptr;
    QTimer* tmrAutoClose = nullptr;

public slots:
    void tmrAutoClose_Timer();
    void txtText_Click(int index);

protected:
    void done(int r) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load(bool topMost, qint32 autoCloseSecs);
    void buttonClicked(MsgBoxExResult code);
    int toPixels(double twips) const;
    int toTwips(double pixels) const;

    MsgBoxExResult result_ = mbxResultCancel;
    int chosenText_ = 1;
};

}  // namespace quill
