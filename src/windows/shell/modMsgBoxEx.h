#pragma once
// The program's own modal message box.

#include <QString>

#include "shell/msgboxex.h"

namespace quill::modMsgBoxEx {

// Asks through the Prompter seam (the real one shows wMsgBoxEx, owned by the
// active window) and returns the code of the button that closed the box;
// mbxResultCancel when it was closed some other way (its close box, Escape or
// the auto-close timer).
MsgBoxExResult MsgBoxEx(const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons, const QString& Title,
                        qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost, bool ForceScroll);

}  // namespace quill::modMsgBoxEx
