#include "testsupport.h"

namespace quill::test {

QMessageBox::StandardButton ScriptedPrompter::ask(QWidget*, const QString& title, const QString& text,
                                                  QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButton defaultButton) {
    asked.push_back({title, text, buttons, icon, defaultButton});
    if (answers.empty()) return QMessageBox::Cancel;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompter::tell(QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) {
    told.push_back({title, text, QMessageBox::Ok, icon, QMessageBox::Ok});
}

QString ScriptedPrompter::openFile(QWidget*, const QString& title, const QString& filter, const QString& dir) {
    fileDialogs << QStringList{QStringLiteral("open"), title, filter, dir}.join(u'|');
    if (files.empty()) return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompter::saveFile(QWidget*, const QString& title, const QString& filter, const QString& dir) {
    fileDialogs << QStringList{QStringLiteral("save"), title, filter, dir}.join(u'|');
    if (files.empty()) return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

MsgBoxExResult ScriptedPrompter::msgBoxEx(QWidget*, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                                          const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position,
                                          bool topMost, bool forceScroll) {
    askedEx.push_back({prompt, icon, buttons, title, autoCloseSecs, position, topMost, forceScroll});
    if (msgBoxExAnswers.empty()) return mbxResultCancel;
    const auto answer = msgBoxExAnswers.front();
    msgBoxExAnswers.pop_front();
    return answer;
}

}  // namespace quill::test
