#pragma once
// The program's own modal message box.

#include <QString>

#include "shell/msgboxex.h"

class QWidget;

namespace quill::modMsgBoxEx {

// Asks through the Prompter seam (the real one shows wMsgBoxEx) and returns
// the code of the button that closed the box; mbxResultCancel when it was
// closed some other way (its close box, Escape or the auto-close timer).
MsgBoxExResult MsgBoxEx(const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons, const QString& Title,
                        qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost, bool ForceScroll);

// Builds a new wMsgBoxEx, shows it modal and returns its result.
MsgBoxExResult ShowMsgBoxEx(QWidget* parent, const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons,
                            const QString& Title, qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost,
                            bool ForceScroll);

// Keeps `window` above all others, or lets it go back among them; it neither
// moves nor changes size.
void SetTopMost(QWidget* window, bool onTop);

// What the prompt's tokens stand for in this program.
msgboxex::ProgramInfo programInfo();

}  // namespace quill::modMsgBoxEx
