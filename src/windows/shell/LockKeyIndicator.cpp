#include "shell/LockKeyIndicator.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <optional>

namespace quill {

namespace {
// The lock's state as the window system reports it; empty where the platform
// gives no way to read it (offscreen, Wayland). Per platform, at the end of
// the file.
std::optional<bool> readLockState(LockKeyIndicator::Key key);
}  // namespace

LockKeyIndicator::LockKeyIndicator(QLabel* label, Key key) : QObject(label), label_(label), key_(key) {
    QCoreApplication::instance()->installEventFilter(this);
    refresh();
}

bool LockKeyIndicator::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::WindowActivate:
        case QEvent::ApplicationActivate: scheduleRefresh(); break;
        default: break;
    }
    return false;
}

// A key event travels up the widget chain and passes the filter at each
// step; asking the window system once per burst is enough.
void LockKeyIndicator::scheduleRefresh() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &LockKeyIndicator::refresh, Qt::QueuedConnection);
}

void LockKeyIndicator::refresh() {
    refreshPending_ = false;
    // Where the state cannot be read the panel stays as it was drawn.
    const std::optional<bool> on = readLockState(key_);
    label_->setEnabled(on.value_or(true));
}

}  // namespace quill

// The platform readers come last: Xlib defines macros (KeyPress, None, Bool,
// ...) that would clash with the Qt names used above.
#if defined(Q_OS_WIN)
#include <windows.h>

namespace quill {
namespace {
std::optional<bool> readLockState(LockKeyIndicator::Key key) {
    return (GetKeyState(key == LockKeyIndicator::Key::CapsLock ? VK_CAPITAL : VK_NUMLOCK) & 1) != 0;
}
}  // namespace
}  // namespace quill

#elif defined(QUILL_HAVE_X11) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>

namespace quill {
namespace {
std::optional<bool> readLockState(LockKeyIndicator::Key key) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    // Keymaps number their indicators differently; find the lock's light by
    // its name rather than trusting a fixed bit.
    const char* name = key == LockKeyIndicator::Key::CapsLock ? "Caps Lock" : "Num Lock";
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    if (atom == None || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr) || index < 0 ||
        index >= XkbNumIndicators)
        return std::nullopt;
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
    return (state & (1u << index)) != 0;
}
}  // namespace
}  // namespace quill

#else
namespace quill {
namespace {
std::optional<bool> readLockState(LockKeyIndicator::Key) { return std::nullopt; }
}  // namespace
}  // namespace quill
#endif
