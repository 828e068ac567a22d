#pragma once
// Which characters an event types, judged the way the original platform
// hands typed characters to a window. The splash and the digit filters of
// the dialogs share this one judgement.

#include <QString>

class QEvent;

namespace quill {

// The characters `event` types, in order; empty for every other event.
// - A key press types its printable text and the control characters of
//   Backspace, Enter, Esc and Ctrl+letter (Ctrl+V types code 22 whatever
//   text the platform gives the event).
// - Tab and Shift+Tab move the focus and type nothing; nor do Delete (which
//   some platforms give the text "\x7f"), the arrows, Home, End, the
//   function keys and Alt+letter.
// - An input method's committed text is typed text.
QString typedText(const QEvent* event);

}  // namespace quill
