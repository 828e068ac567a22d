#include "shell/modMsgBoxEx.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "shell/Prompter.h"
#include "shell/app_info.h"
#include "shell/wMsgBoxEx.h"

namespace quill::modMsgBoxEx {

MsgBoxExResult MsgBoxEx(const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons, const QString& Title,
                        qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost, bool ForceScroll) {
    QWidget* owner = QApplication::activeWindow();
    return Prompter::current().msgBoxEx(owner, Prompt, Icon, Buttons, Title, AutoCloseSecs, Position, TopMost,
                                        ForceScroll);
}

MsgBoxExResult ShowMsgBoxEx(QWidget* parent, const QString& Prompt, MsgBoxExIcon Icon, MsgBoxExButtons Buttons,
                            const QString& Title, qint32 AutoCloseSecs, MsgBoxExPosition Position, bool TopMost,
                            bool ForceScroll) {
    wMsgBoxEx box(parent);
    box.Setup(Prompt, Icon, Buttons, Title, AutoCloseSecs, Position, TopMost, ForceScroll);
    box.exec();
    return box.result();
}

void SetTopMost(QWidget* window, bool onTop) {
    const QPoint place = window->pos();
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides the window; put it back where it was.
    window->move(place);
    if (shown) window->show();
}

msgboxex::ProgramInfo programInfo() {
    msgboxex::ProgramInfo info;
    info.major = kVersionMajor;
    info.minor = kVersionMinor;
    info.revision = kVersionRevision;
    info.path = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    info.title = std::string(kProgramTitle);
    info.exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    return info;
}

}  // namespace quill::modMsgBoxEx
