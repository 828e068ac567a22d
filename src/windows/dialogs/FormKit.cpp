#include "dialogs/FormKit.h"

#include <algorithm>

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QValidator>

#include "shell/Prompter.h"
#include "shell/TypedKeys.h"
#include "shell/maxEdit.h"

namespace quill::dialogs {

QLabel* autoSizeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(px(parent, left), px(parent, top));
    label->adjustSize();
    return label;
}

std::string choiceOf(const QComboBox* combo) {
    const int index = combo->currentIndex();
    return index < 0 ? std::string() : combo->itemText(index).toStdString();
}

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text().toStdString());
    return entries;
}

void applyOutcome(QWidget* form, QListWidget* list, const Outcome& outcome) {
    if (outcome.line) list->addItem(QString::fromStdString(*outcome.line));
    else
        Prompter::current().tell(form, qs(outcome.title), qs(outcome.message), QMessageBox::NoIcon);
}

namespace {

QString passedBy(const QString& typed, const KeyPressHandler& keyPress) {
    QString passed;
    for (QChar c : typed) {
        int code = c.unicode();
        keyPress(code);
        if (code != 0) passed += QChar(code);
    }
    return passed;
}

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// Cuts what a change brought in from its first line break on. The caret
// stands after the new text, so the break and the rest of the new text are
// the span up to the caret, and the text that was there before stays.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const auto breakAt = std::find_if(input.cbegin(), input.cend(), isLineBreak);
        if (breakAt == input.cend()) return Acceptable;
        const int from = int(breakAt - input.cbegin());
        const int to = pos > from ? pos : int(input.size());
        input.remove(from, to - from);
        pos = from;
        // Breaks after the caret cannot be the change's, but none may stay.
        input.truncate(int(std::find_if(input.cbegin(), input.cend(), isLineBreak) - input.cbegin()));
        return Acceptable;
    }
};

}  // namespace

bool filterTypedText(QLineEdit* box, QEvent* event, const KeyPressHandler& keyPress) {
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString passed = passedBy(input->commitString(), keyPress);
        if (passed != input->commitString())
            input->setCommitString(passed, input->replacementStart(), input->replacementLength());
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const QString shown = static_cast<const QKeyEvent*>(event)->text();
    const QString typed = typedText(event);
    if (typed.isEmpty()) return !shown.isEmpty() && shown.at(0).isPrint();
    const QString passed = passedBy(typed, keyPress);
    if (passed == shown) return false;
    if (!passed.isEmpty()) box->insert(passed);
    return true;
}

void keepOneLine(QLineEdit* box) { box->setValidator(new OneLineValidator(box)); }

void clickOnEnter(QWidget* form) {
    for (QPushButton* button : form->findChildren<QPushButton*>()) button->setAutoDefault(true);
}

void ScriptWriter::insertIntoScript(const std::vector<std::string>& texts) const {
    ScriptHost* host = host_.get();
    maxEdit* editor = host ? host->scriptEditor() : nullptr;
    if (!editor) return;
    const UndoStep step(editor);
    for (const std::string& text : texts) editor->InsertText(QString::fromStdString(text));
}

}  // namespace quill::dialogs
