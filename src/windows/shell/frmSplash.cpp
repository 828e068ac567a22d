#include "shell/frmSplash.h"
#include "shell/QtText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "shell/Artwork.h"
#include "shell/FormDesign.h"
#include "shell/TypedKeys.h"
#include "shell/app_info.h"

namespace quill {
namespace {

// The right-aligned labels fit their text and grow leftwards, so the
// version number always ends under the platform line whatever the font.
void keepRightEdge(QLabel* label, int right) {
    label->adjustSize();
    label->move(right - label->width(), label->y());
}

}  // namespace

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setWindowIcon(artwork::programIcon());
    setFixedSize(px(this, 7275), px(this, 4110));

    const QColor highlightText = palette().color(QPalette::HighlightedText);
    auto makeLabel = [&](const char* name, const QString& family, double points, bool bold) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf8(name));
        QFont font(family);
        font.setPointSizeF(points);
        font.setBold(bold);
        label->setFont(font);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, highlightText);
        label->setPalette(pal);
        return label;
    };

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(artwork::programIconPixmap(32));
    placeTwips(imgLogo, 195, 368, 1215, 1545);

    lblProductName = makeLabel("lblProductName", QStringLiteral("Arial"), 32.25, true);
    lblProductName->move(px(this, 1665), px(this, 1028));
    lblPlatform = makeLabel("lblPlatform", QStringLiteral("Arial"), 15.75, true);
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblPlatform->setText(qs(kSplashPlatform));
    lblPlatform->move(px(this, 4635), px(this, 2228));
    keepRightEdge(lblPlatform, px(this, 4635 + 2385));
    lblVersion = makeLabel("lblVersion", QStringLiteral("Arial"), 12, true);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblVersion->move(px(this, 6045), px(this, 2588));
    lblWarning = makeLabel("lblWarning", QStringLiteral("Arial"), 8.25, false);
    lblWarning->setText(qs(kSplashWarning));
    placeTwips(lblWarning, 225, 3548, 6855, 195);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();
    Timer1->start();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}

void frmSplash::Form_Load() {
    lblVersion->setText(QString::fromStdString(splashVersionText()));
    keepRightEdge(lblVersion, px(this, 6045 + 885));
    lblProductName->setText(qs(kProgramTitle));
    lblProductName->adjustSize();
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Keys must reach the splash even though it has no controls that take focus.
    activateWindow();
    setFocus();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    static const QPixmap background = artwork::splashBackground();
    p.drawPixmap(0, 0, background);
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character end the splash; Shift, arrows,
    // function keys, Delete, Tab and Alt+letter type nothing.
    if (!typedText(event).isEmpty()) Form_KeyPress();
}

void frmSplash::inputMethodEvent(QInputMethodEvent* event) {
    if (!typedText(event).isEmpty()) Form_KeyPress();
}

void frmSplash::Form_KeyPress() { handOver(); }
void frmSplash::Timer1_Timer() { handOver(); }

void frmSplash::handOver() {
    if (handedOver_) return;
    handedOver_ = true;
    Timer1->stop();
    emit finished();
    close();
}

}  // namespace quill
