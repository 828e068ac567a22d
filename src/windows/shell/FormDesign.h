#pragma once
// What every form takes from its design: geometry in twips, turned into
// pixels at the widget's logical DPI, and the face of the main window and
// the message box.

#include <QFont>

class QWidget;

namespace quill {

// Pixels of `twips` at `w`'s logical DPI, and back.
int px(const QWidget* w, double twips);
int twipsOf(const QWidget* w, double pixels);

// Places `w` in its parent by a designed rectangle in twips.
void placeTwips(QWidget* w, int left, int top, int width, int height);

// Tahoma at 8.25 points.
QFont tahomaFont();

}  // namespace quill
