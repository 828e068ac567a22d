#include "shell/FormDesign.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "shell/on_screen.h"
#include "shell/twips.h"

namespace quill {
namespace {

onscreen::Rect rectOf(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

// The frame a window manager puts around `window`. Before a window is first
// shown its frame is not known yet; it is taken to be that of another window
// already shown, as the manager frames them alike.
QMargins frameOf(const QWidget* window) {
    const auto of = [](const QWidget* w) {
        const QRect outer = w->frameGeometry(), inner = w->geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    };
    const QMargins own = of(window);
    if (!own.isNull() || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return own;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && !other->windowFlags().testFlag(Qt::FramelessWindowHint) &&
            !of(other).isNull())
            return of(other);
    return own;
}

void keepOnScreen(QWidget* window) {
    const QRect outer = window->geometry().marginsAdded(frameOf(window));
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (!screen) screen = window->screen();
    if (!screen) return;
    const onscreen::Rect kept = onscreen::keptInside(rectOf(outer), rectOf(screen->availableGeometry()));
    if (kept.left != outer.left() || kept.top != outer.top())
        window->move(window->pos() + QPoint(kept.left - outer.left(), kept.top - outer.top()));
}

// Places a window as it is shown, with its frame as far as it is known then;
// a window whose frame was not known yet is placed once more when the window
// manager has framed it (which moves the window inside its frame).
class OnScreenKeeper : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::Move) || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType kind = widget->windowType();
        if (!widget->isWindow() ||
            (kind != Qt::Window && kind != Qt::Dialog && kind != Qt::Tool && kind != Qt::SplashScreen))
            return false;
        const bool framed = widget->frameGeometry() != widget->geometry();
        if (type == QEvent::Show) {
            keepOnScreen(widget);
            widget->setProperty(kUnframed, !framed && !widget->windowFlags().testFlag(Qt::FramelessWindowHint));
        } else if (framed && widget->property(kUnframed).toBool()) {
            widget->setProperty(kUnframed, false);
            keepOnScreen(widget);
        }
        return false;
    }

private:
    static constexpr const char* kUnframed = "quillShownUnframed";
};

}  // namespace

void keepWindowsOnScreen() {
    static OnScreenKeeper keeper;
    qApp->installEventFilter(&keeper);
}

int px(const QWidget* w, double twips) { return twipsToPixels(twips, w->logicalDpiX()); }
int twipsOf(const QWidget* w, double pixels) { return pixelsToTwips(pixels, w->logicalDpiX()); }

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(w, left), px(w, top), px(w, width), px(w, height));
}

QFont tahomaFont() {
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);  // QFont's constructor would round it down to 8
    return tahoma;
}

QFont designFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList sansSerifFamilies() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")};
}

}  // namespace quill
