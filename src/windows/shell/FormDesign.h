#pragma once
// What every form takes from its design: geometry in twips, turned into
// pixels at the widget's logical DPI, the faces it is drawn in, and the
// single-instance show.

#include <QFont>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace quill {

// Pixels of `twips` at `w`'s logical DPI, and back.
int px(const QWidget* w, double twips);
int twipsOf(const QWidget* w, double pixels);

// Places `w` in its parent by a designed rectangle in twips.
void placeTwips(QWidget* w, int left, int top, int width, int height);

// From now on every window that opens (the main window, the dialogs, the
// message boxes, the splash) keeps its own place when it fits on the screen
// it opens on, and is otherwise moved just enough to lie inside that screen's
// available part.
void keepWindowsOnScreen();

// Tahoma at 8.25 points.
QFont tahomaFont();
// A font by the designed family, with close relatives where that family is
// not installed.
QFont designFont(const QStringList& families, double points, bool bold = false);
// The dialogs' and the About window's own face, "MS Sans Serif", and faces of
// about its width: the layouts are measured for it, and a wider face cuts
// captions short.
QStringList sansSerifFamilies();

// Shows the single instance of a window: a new one when none is open (or the
// last one is closing), otherwise the open one, brought to the front as is
// (out of the task bar first when it is minimised).
template <class Form>
Form* showSingle(QPointer<Form>& slot) {
    if (!slot || !slot->isVisible()) slot = new Form();
    if (slot->isMinimized()) slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

}  // namespace quill
