#pragma once
// What the generator dialogs have in common as windows: the one road into the
// script, the typed-key filters, the outcome of a button.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/digit_filter.h"
#include "shell/FormDesign.h"
#include "shell/QtText.h"
#include "shell/ScriptHost.h"

class QComboBox;
class QEvent;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quill::dialogs {

using quill::qs;

// A label that sizes itself to its text, placed by its top-left corner.
QLabel* autoSizeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
// The text of a drop-down list's chosen entry; empty while none is chosen.
std::string choiceOf(const QComboBox* combo);

// The entries of a list box, first to last.
std::vector<std::string> entriesOf(const QListWidget* list);
// Appends the outcome's line to `list`, or shows its message in a plain box
// with an OK button and no icon.
void applyOutcome(QWidget* form, QListWidget* list, const Outcome& outcome);

// A box's KeyPress handler: receives the code of one typed character and may
// replace it, 0 cancelling it.
using KeyPressHandler = std::function<void(int& keyAscii)>;

// Puts `event` to `keyPress` one typed character at a time (key presses and
// input-method text alike, see typedText) and lets only the characters it
// passes reach `box`. Returns true when the event must go no further. Keys
// that type nothing keep their usual effect, save that Qt's own habit of
// typing the letter of Alt+letter is kept out too.
bool filterTypedText(QLineEdit* box, QEvent* event, const KeyPressHandler& keyPress);

// A single-line box holds one line: text that arrives with line breaks (a
// paste, a drop) keeps what comes before its first break.
void keepOneLine(QLineEdit* box);

// For the boxes whose text has no length limit (Qt's default is 32767).
inline constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Enter on a focused push button of `form` clicks it, as Space does. Qt does
// so by itself only in dialog windows.
void clickOnEnter(QWidget* form);

// A generator dialog's road into the script of the window that showed it.
class ScriptWriter {
public:
    // Each showing hands the dialog the host it writes into from then on.
    void setScriptHost(ScriptHost* host) { host_ = host; }

protected:
    // Hands texts to the host's editor, one InsertText call each, as one undo
    // step. Once the host's window has closed there is no script to write
    // to, and nothing is written.
    void insertIntoScript(const std::vector<std::string>& texts) const;

private:
    ScriptHostRef host_;
};

using quill::showSingle;

// showSingle for a dialog that writes into `host`'s script.
template <class Form>
Form* showSingle(QPointer<Form>& slot, ScriptHost* host) {
    Form* form = showSingle(slot);
    form->setScriptHost(host);
    return form;
}

}  // namespace quill::dialogs
