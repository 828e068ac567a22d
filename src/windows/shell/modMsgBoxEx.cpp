#include "shell/modMsgBoxEx.h"

#include <QApplication>

#include "shell/Prompter.h"

namespace quill::modMsgBoxEx {

MsgBoxExResult MsgBoxEx(const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons, const QString& Title,
                        qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost, bool ForceScroll) {
    QWidget* owner = QApplication::activeWindow();
    return Prompter::current().msgBoxEx(owner, Prompt, Icon, Buttons, Title, AutoCloseSecs, Position, TopMost,
                                        ForceScroll);
}

}  // namespace quill::modMsgBoxEx
