#pragma once
// Helpers of the dialog window tests: a main window with an empty script to
// write into, the dialog under test opened from it, and ways to read back
// what the controls show and what the user was told.

#include <QtWidgets>
#include <functional>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "testsupport.h"

namespace quill::test {

// Deleted rather than closed: its save question and window metrics are not
// what these tests are about.
inline frmMain* openEmptyMain() {
    auto* main = new frmMain();
    main->maxEdit->setText(QString());
    return main;
}

// The script of the open main window; empty when there is none.
inline QString scriptText() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(top)) return main->maxEdit->Text();
    return {};
}

// One Undo in the open main window's script, by its key.
inline void undoOnce() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(top)) QTest::keyClick(main->maxEdit, Qt::Key_Z, Qt::ControlModifier);
}

// Closed windows go at the next turn of the event loop; take that turn.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// What the first real message box that `action` opens shows, as
// "title|text" (the text as a person would copy it) and "|icon" if it has
// one; its OK closes it.
inline QString realBoxShows(ScriptedPrompter& scripted, const std::function<void()>& action) {
    QString seen;
    QTimer::singleShot(0, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->windowTitle() + u'|' + shownText(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) +
                   (box->icon() == QMessageBox::NoIcon ? "" : "|icon");
            box->button(QMessageBox::Ok)->click();
        }
    });
    Prompter::install(nullptr);
    action();
    Prompter::install(&scripted);
    return seen;
}

// The rows of a combo box or list box, top to bottom.
template <class Box>
QStringList items(const Box* box) {
    QStringList all;
    for (int i = 0; i < box->count(); ++i) all << box->model()->index(i, 0).data().toString();
    return all;
}

inline void choose(QComboBox* combo, const QString& entry) { combo->setCurrentIndex(combo->findText(entry)); }

// The dialog opens as a tool window of its own: no owner, and it keeps the
// program running after the main window has closed.
inline bool openedAlone(const QWidget* dialog) {
    return dialog && dialog->isVisible() && !dialog->parentWidget() && dialog->testAttribute(Qt::WA_QuitOnClose);
}

// One test's world: a scripted prompter, an empty main window and the
// dialog as `opener` shows it (by default picked from the command picker).
template <class Dialog>
struct DialogRun {
    explicit DialogRun(int row)
        : opener([row](frmMain* m) { m->cboNPC->setCurrentIndex(row), emit m->cboNPC->activated(row); }) {}
    explicit DialogRun(std::function<void(frmMain*)> open) : opener(std::move(open)) {}
    ~DialogRun() {
        delete Dialog::instance();
        delete main;
        settle();
    }
    Dialog* open() {
        opener(main);
        return Dialog::instance();
    }
    void dropMain() { delete std::exchange(main, nullptr); }

    ScriptedPrompter prompter;
    frmMain* main = openEmptyMain();
    std::function<void(frmMain*)> opener;
};

}  // namespace quill::test
