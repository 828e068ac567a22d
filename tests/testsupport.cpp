#include "testsupport.h"

namespace quill::test {
namespace {

template <typename T>
T next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    const T front = queue.front();
    return queue.pop_front(), front;
}

}  // namespace

QMessageBox::StandardButton ScriptedPrompter::ask(QWidget*, const QString& title, const QString& text,
                                                  QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButton defaultButton) {
    asked.push_back({title, text, buttons, icon, defaultButton});
    return next(answers, QMessageBox::Cancel);
}

void ScriptedPrompter::tell(QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) {
    told.push_back({title, text, QMessageBox::Ok, icon, QMessageBox::Ok});
}

QString ScriptedPrompter::openFile(QWidget*, const QString& title, const QString& filter, const QString& dir) {
    fileDialogs << QStringList{"open", title, filter, dir}.join(u'|');
    return next(files, QString());
}

QString ScriptedPrompter::saveFile(QWidget*, const QString& title, const QString& filter, const QString& dir) {
    fileDialogs << QStringList{"save", title, filter, dir}.join(u'|');
    return next(files, QString());
}

MsgBoxExResult ScriptedPrompter::msgBoxEx(QWidget*, const QString&, MsgBoxExIcon, MsgBoxExButtons, const QString&,
                                          qint32, MsgBoxExPosition, bool, bool) {
    return next(msgBoxExAnswers, mbxResultCancel);
}

}  // namespace quill::test
