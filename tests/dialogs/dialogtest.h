#pragma once
// Helpers of the dialog window tests: a main window with an empty script to
// write into, a way to let closing windows go, and optional screenshots.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QWidget>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"

namespace quill::test {

// A main window whose editor starts empty, so a test reads back exactly
// what reached it. Deleted rather than closed: its save question and window
// metrics are not what these tests are about.
inline frmMain* openEmptyMain() {
    auto* main = new frmMain();
    main->maxEdit->setText(QString());
    return main;
}

inline QString scriptText() {
    frmMain* main = frmMain::instance();
    return main ? main->maxEdit->Text() : QString();
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

}  // namespace quill::test
