#include "shell/wMsgBoxEx.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "shell/Artwork.h"
#include "shell/FormDesign.h"
#include "shell/app_info.h"

namespace quill {
namespace {

using namespace msgboxex;

// The place a box of unknown position takes: the last box's, (0, 0) at first.
Point lastPlace;

constexpr int kTextLeft = 900;
constexpr int kTextTop = 135;
constexpr int kTextWidth = 4785;
constexpr std::array<int, 2> kTextHeight = {1545, 1620};
constexpr int kLaidOutFrameTop = 1785;
constexpr std::array<int, 4> kStoreLeft = {75, 600, 1080, 1620};

// Keeps `window` above all others, or lets it go back among them; it neither
// moves nor changes size.
void SetTopMost(QWidget* window, bool onTop) {
    const QPoint place = window->pos();
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides the window; put it back where it was.
    window->move(place);
    if (shown) window->show();
}

// What the prompt's tokens stand for in this program.
ProgramInfo programInfo() {
    ProgramInfo info;
    info.major = kVersionMajor;
    info.minor = kVersionMinor;
    info.revision = kVersionRevision;
    info.path = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    info.title = std::string(kProgramTitle);
    info.exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    return info;
}

}  // namespace

wMsgBoxEx::wMsgBoxEx(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("wMsgBoxEx"));
    // A fixed tool window: small caption bar with a close box only, no task
    // bar entry.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Message"));
    setWindowIcon(artwork::programIcon());
    setFont(tahomaFont());
    setFixedSize(toPixels(kClientWidth), toPixels(kClientHeight));
    setGeometry(toPixels(kKeepClientLeft), toPixels(kKeepClientTop), width(), height());

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(imgIcon, 210, 180, 675, 645);

    for (int i = 0; i < 2; ++i) {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(QStringLiteral("txtText(%1)").arg(i));
        // Nothing reads the message back, so it is shown, not edited.
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->setTabChangesFocus(true);
        text->setFrameShape(QFrame::NoFrame);
        text->setVerticalScrollBarPolicy(i == 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QPalette pal = text->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Button));
        text->setPalette(pal);
        text->viewport()->installEventFilter(this);
        placeTwips(text, kTextLeft, kTextTop, kTextWidth, kTextHeight[static_cast<std::size_t>(i)]);
        txtText[static_cast<std::size_t>(i)] = text;
    }

    QPushButton** controls[] = {&Command1, &Command2, &cmdYes, &cmdNo, &Command4, &Command3, &cmdOkayOnly};
    int made = 0;
    for (const ButtonRowLayout& row : allRows()) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("fraContainer(%1)").arg(row.frame));
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setVisible(false);
        placeTwips(frame, kFrameLeft, kLaidOutFrameTop, kFrameWidth, kFrameHeight);
        fraContainer[static_cast<std::size_t>(row.frame)] = frame;

        auto* picture = new QWidget(frame);
        picture->setObjectName(QStringLiteral("picContainer(%1)").arg(row.picture));
        placeTwips(picture, row.pictureLeft, row.pictureTop, kPictureWidth, kPictureHeight);
        picContainer[static_cast<std::size_t>(row.picture)] = picture;

        for (int b = 0; b < row.buttonCount; ++b) {
            const ButtonLayout& design = row.buttons[static_cast<std::size_t>(b)];
            auto* button = new QPushButton(QString::fromUtf8(design.caption), picture);
            button->setObjectName(QString::fromUtf8(design.name));
            // The box has no default button, not even the one that last had
            // the focus (see keyPressEvent).
            button->setAutoDefault(false);
            // Positions are designed relative to the client area.
            placeTwips(button, design.left - kFrameLeft - row.pictureLeft, row.buttonTop - row.pictureTop, kButtonWidth,
                       kButtonHeight);
            const MsgBoxExResult code = design.result;
            connect(button, &QPushButton::clicked, this, [this, code] { buttonClicked(code); });
            *controls[made++] = button;
        }
    }
    // Tab order as designed; in each two-button row the right-hand button
    // comes first.
    QWidget* order[] = {txtText[0], txtText[1], cmdNo, cmdYes, Command2, Command1, Command3, Command4, cmdOkayOnly};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    for (int i = 0; i < 4; ++i) {
        auto* store = new QLabel(this);
        store->setObjectName(QStringLiteral("imgIconStore(%1)").arg(i));
        store->setPixmap(artwork::msgBoxIcon(i));
        placeTwips(store, kStoreLeft[static_cast<std::size_t>(i)], 2505, 480, 480);
        imgIconStore[static_cast<std::size_t>(i)] = store;
    }

    tmrAutoClose = new QTimer(this);
    tmrAutoClose->setObjectName(QStringLiteral("tmrAutoClose"));
    connect(tmrAutoClose, &QTimer::timeout, this, &wMsgBoxEx::tmrAutoClose_Timer);
}

wMsgBoxEx::~wMsgBoxEx() = default;

int wMsgBoxEx::toPixels(double twips) const { return px(this, twips); }
int wMsgBoxEx::toTwips(double pixels) const { return twipsOf(this, pixels); }

int wMsgBoxEx::outerWidthTwips() const {
    const QRect frame = frameGeometry();
    // Before it is shown the window system may not know the decorations yet;
    // then they are taken as designed.
    if (frame.size() == size()) return toTwips(width()) + (kOuterWidth - kClientWidth);
    return toTwips(frame.width());
}

int wMsgBoxEx::outerHeightTwips() const {
    const QRect frame = frameGeometry();
    if (frame.size() == size()) return toTwips(height()) + (kOuterHeight - kClientHeight);
    return toTwips(frame.height());
}

void wMsgBoxEx::Form_Load(bool topMost, qint32 autoCloseSecs) {
    if (topMost) SetTopMost(this, true);
    if (const int seconds = autoCloseSeconds(autoCloseSecs); seconds > 0) {
        tmrAutoClose->setInterval(seconds * 1000);
        tmrAutoClose->start();
    }
}

void wMsgBoxEx::Setup(const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons, const QString& title,
                      qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost, bool forceScroll) {
    Form_Load(topMost, autoCloseSecs);
    const ButtonRowLayout& row = buttonRow(buttons);

    const int outerW = outerWidthTwips();
    const int outerH = outerHeightTwips();
    const QScreen* screen = this->screen();
    const QRect whole = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const Point keep{toTwips(frameGeometry().x()), toTwips(frameGeometry().y())};
    lastPlace = placement(position, outerW, outerH, toTwips(whole.width()), toTwips(whole.height()), keep, lastPlace);

    const std::string utf8 = prompt.toStdString();
    chosenText_ = textAreaFor(utf8, forceScroll);
    QPlainTextEdit* text = txtText[static_cast<std::size_t>(chosenText_)];

    imgIcon->setPixmap(icon >= 0 && icon < 4 ? imgIconStore[static_cast<std::size_t>(icon)]->pixmap() : QPixmap());
    QFrame* frame = fraContainer[static_cast<std::size_t>(row.frame)];
    frame->setVisible(true);
    setWindowTitle(title);

    const QString message = QString::fromStdString(expandPrompt(utf8, programInfo()));
    // The editor of the text area breaks lines at LF; CR LF is one break.
    text->setPlainText(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Both areas lie at the same place; the unused one would only catch the
    // keyboard focus behind the other.
    text->raise();
    txtText[static_cast<std::size_t>(1 - chosenText_)]->setVisible(false);

    frame->move(frame->x(), toPixels(frameTop(outerH)));
    text->resize(text->width(), toPixels(textHeight(outerH)));
    move(toPixels(lastPlace.left), toPixels(lastPlace.top));
    text->setFocus();
}

void wMsgBoxEx::buttonClicked(MsgBoxExResult code) {
    result_ = code;
    accept();
}

void wMsgBoxEx::tmrAutoClose_Timer() { reject(); }

void wMsgBoxEx::done(int r) {
    // Closing never stays open; the timer must not fire into a closed box.
    tmrAutoClose->stop();
    QDialog::done(r);
}

void wMsgBoxEx::keyPressEvent(QKeyEvent* event) {
    // No button is the default or the cancel button: Esc answers nothing
    // (the script behind the question must not be lost to a reflex), and
    // Enter presses only the button that has the focus.
    if (event->matches(QKeySequence::Cancel)) return event->accept();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isVisible()) button->click();
        return event->accept();
    }
    QDialog::keyPressEvent(event);
}

void wMsgBoxEx::txtText_Click(int index) {
    QPlainTextEdit* text = txtText[static_cast<std::size_t>(index)];
    QTextCursor cursor = text->textCursor();
    if (!cursor.hasSelection()) return;
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selected);
    cursor.clearSelection();
    text->setTextCursor(cursor);
}

bool wMsgBoxEx::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < 2; ++i)
            if (watched == txtText[static_cast<std::size_t>(i)]->viewport()) {
                // Let the text area finish its selection first.
                const bool handled = QDialog::eventFilter(watched, event);
                QTimer::singleShot(0, this, [this, i] { txtText_Click(i); });
                return handled;
            }
    }
    return QDialog::eventFilter(watched, event);
}

MsgBoxExResult wMsgBoxEx::Show(QWidget* parent, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                               const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost,
                               bool forceScroll) {
    wMsgBoxEx box(parent);
    box.Setup(prompt, icon, buttons, title, autoCloseSecs, position, topMost, forceScroll);
    box.exec();
    return box.result();
}

}  // namespace quill
