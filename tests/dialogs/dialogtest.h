#pragma once
// Helpers of the dialog window tests: a main window with an empty script to
// write into, the dialog under test opened from it, and ways to read back
// what the controls show and what the user was told.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

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

// Closed windows go at the next turn of the event loop; take that turn.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// With QUILL_SHOT_DIR set (and a real display), saves the window as a PNG.
inline void shot(QWidget* window, const QString& name) {
    const QString dir = qEnvironmentVariable("QUILL_SHOT_DIR");
    if (dir.isEmpty()) return;
    QCoreApplication::processEvents();
    window->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

// What each widget shows as its caption: a window its title, a frame its title.
inline QStringList captions(std::initializer_list<const QWidget*> widgets) {
    QStringList all;
    for (const QWidget* w : widgets) {
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) all << button->text();
        else if (auto* label = qobject_cast<const QLabel*>(w)) all << label->text();
        else if (auto* frame = qobject_cast<const QGroupBox*>(w)) all << frame->title();
        else all << w->windowTitle();
    }
    return all;
}

// The rows of a combo box or list box, top to bottom.
template <class Box>
QStringList items(const Box* box) {
    QStringList all;
    for (int i = 0; i < box->count(); ++i) all << box->model()->index(i, 0).data().toString();
    return all;
}
inline QStringList items(const std::vector<std::string>& texts) {
    QStringList all;
    for (const std::string& t : texts) all << QString::fromStdString(t);
    return all;
}

inline void choose(QComboBox* combo, const QString& entry) { combo->setCurrentIndex(combo->findText(entry)); }

// The dialog opens as a tool window of its own: no owner, and it keeps the
// program running after the main window has closed.
inline bool openedAlone(const QWidget* dialog) {
    return dialog && dialog->isVisible() && !dialog->parentWidget() && dialog->testAttribute(Qt::WA_QuitOnClose);
}

// One test's world: a scripted prompter, an empty main window and the
// dialog as `opener` shows it (by default from its catalogue row).
template <class Dialog>
struct DialogRun {
    explicit DialogRun(int row) : opener([row](frmMain* m) { m->setListIndex(m->cboNPC, row); }) {}
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
    // The messages told so far, as "title|text" ("|icon" if one was shown), and forgets them.
    QStringList takeTold() {
        QStringList all;
        for (const auto& t : std::exchange(prompter.told, {}))
            all << t.title + u'|' + t.text + (t.icon == QMessageBox::NoIcon ? "" : "|icon");
        return all;
    }

    ScriptedPrompter prompter;
    frmMain* main = openEmptyMain();
    std::function<void(frmMain*)> opener;
};

}  // namespace quill::test
