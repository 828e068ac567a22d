#pragma once
// What the generator dialogs and the About window have in common as windows:
// twips geometry, the one road into the script, the single-instance show.

#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/digit_filter.h"
#include "shell/QtText.h"

class QComboBox;
class QEvent;
class QLabel;
class QListWidget;

namespace quill::dialogs {

using quill::qs;

int px(const QWidget* w, double twips);
void placeTwips(QWidget* w, int left, int top, int width, int height);
// A label that sizes itself to its text, placed by its top-left corner.
QLabel* autoSizeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
// A font by the designed family, with close relatives where that family is
// not installed.
QFont designFont(const QStringList& families, double points, bool bold = false);
// The dialogs' own face, "MS Sans Serif", and faces of about its width: the
// layouts are measured for it, and a wider face cuts captions short.
QStringList sansSerifFamilies();

// The text of a drop-down list's chosen entry; empty while none is chosen.
std::string choiceOf(const QComboBox* combo);

// The entries of a list box, first to last.
std::vector<std::string> entriesOf(const QListWidget* list);
// Appends the outcome's line to `list`, or shows its message in a plain box
// with an OK button and no icon.
void applyOutcome(QWidget* form, QListWidget* list, const Outcome& outcome);

// The code of the character a key press types, or -1 for every other event
// (keys that type nothing, such as Delete and the arrows, included).
int typedKeyAscii(const QEvent* event);

// Hands texts to the main window's editor, one InsertText call each. Once the
// main window has closed there is no script to write to, and nothing is
// written.
void insertIntoScript(const std::vector<std::string>& texts);

// Shows the single instance of a window: a new one when none is open (or the
// last one is closing), otherwise the open one, brought to the front as is.
template <class Form>
Form* showSingle(QPointer<Form>& slot) {
    if (!slot || !slot->isVisible()) slot = new Form();
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

}  // namespace quill::dialogs
