#pragma once
// Every plain message box and file dialog of the program goes through this
// seam, so tests can answer them without a person at the keyboard.

#include <QMessageBox>
#include <QString>

#include "shell/msgboxex.h"

class QWidget;

namespace quill {

class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal question; returns the button that closed it (Cancel when the
    // box is dismissed).
    virtual QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                            QMessageBox::StandardButton defaultButton) = 0;
    // A modal message with one OK button. An empty title stands for the
    // program's title.
    virtual void tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) = 0;
    // File dialogs; the empty text when cancelled or failed. `filter` is in
    // Qt's form ("Text Files (*.txt)").
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) = 0;
    // The program's own message box (modMsgBoxEx::MsgBoxEx); the real one
    // shows wMsgBoxEx. A box closed without a button gives mbxResultCancel.
    virtual MsgBoxExResult msgBoxEx(QWidget* parent, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                                    const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost,
                                    bool forceScroll);

    static Prompter& current();
    // Installs `prompter` (not owned); nullptr goes back to the real dialogs.
    static void install(Prompter* prompter);
};

// The real dialogs.
class WidgetPrompter : public Prompter {
public:
    QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                    QMessageBox::StandardButton defaultButton) override;
    void tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) override;
    QString openFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter, const QString& dir) override;
};

}  // namespace quill
