#include "shell/Prompter.h"

#include <QFileDialog>

#include "shell/app_info.h"
#include "shell/wMsgBoxEx.h"

namespace quill {
namespace {

Prompter* installed = nullptr;

QString titleOrProgram(const QString& title) {
    return title.isEmpty() ? QString::fromUtf8(kProgramTitle.data(), kProgramTitle.size()) : title;
}

}  // namespace

Prompter& Prompter::current() {
    static WidgetPrompter real;
    return installed ? *installed : real;
}

void Prompter::install(Prompter* prompter) { installed = prompter; }

MsgBoxExResult Prompter::msgBoxEx(QWidget* parent, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                                  const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost,
                                  bool forceScroll) {
    return wMsgBoxEx::Show(parent, prompt, icon, buttons, title, autoCloseSecs, position, topMost, forceScroll);
}

QMessageBox::StandardButton WidgetPrompter::ask(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, titleOrProgram(title), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    const int answer = box.exec();
    // Escape or the close box on a box with Cancel comes back as Cancel.
    return answer == 0 ? QMessageBox::Cancel : static_cast<QMessageBox::StandardButton>(answer);
}

void WidgetPrompter::tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, titleOrProgram(title), text, QMessageBox::Ok, parent);
    // A message quotes script text ("[<b>shop</b>]"), which is never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString WidgetPrompter::openFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) {
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString WidgetPrompter::saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) {
    return QFileDialog::getSaveFileName(parent, title, dir, filter);
}

}  // namespace quill
