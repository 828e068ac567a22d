#include "shell/TypedKeys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace quill {

QString typedText(const QEvent* event) {
    if (event->type() == QEvent::InputMethod) return static_cast<const QInputMethodEvent*>(event)->commitString();
    if (event->type() != QEvent::KeyPress) return {};
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete) return {};
    const Qt::KeyboardModifiers held = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    // Ctrl+Alt is how AltGr arrives on some platforms: it types what it shows.
    if (held == Qt::AltModifier) return {};
    if (held == Qt::ControlModifier) {
        if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) return QString(QChar(key->key() - Qt::Key_A + 1));
        // Other keys with Ctrl type only the control characters they carry
        // (Ctrl+Enter, Ctrl+[), never their printable text.
        QString typed;
        for (QChar c : key->text())
            if (c.unicode() < 0x20) typed += c;
        return typed;
    }
    return key->text();
}

}  // namespace quill
