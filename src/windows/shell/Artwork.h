#pragma once
// The program's pictures, drawn in code so that no image file is needed.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quill::artwork {

QIcon programIcon();
QPixmap programIconPixmap(int size = 32);
// 16 x 16 toolbar and status-bar images by image key:
// "_openfile", "_savefile", "_newfile", "_status".
QPixmap smallImage(const QString& key);
// The splash window's 800 x 600 background.
QPixmap splashBackground();
// The 400 x 300 picture behind the Check Flag and Batch Creator dialogs. Its
// tones stay in the middle range so that both black and white labels read
// on it.
QPixmap dialogBackground();

// The extended message box's 32 x 32 icons by MsgBoxExIcon value: 0 an i and
// 1 a question mark in a speech bubble, 2 an exclamation mark in a yellow
// triangle, 3 a cross on a red disc. Any other value gives a null pixmap.
QPixmap msgBoxIcon(int icon);

}  // namespace quill::artwork
