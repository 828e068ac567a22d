// The editor's language and appearance settings.
//
// AppearanceOption(option, value):
//   0   colour the text with the selected language (off: plain text)
//   3   highlight the line that holds the caret (background: colour slot 27)
//   6   show blanks, tabs and line ends
//   19  wrap long lines at word boundaries
//   21  tab width, in characters
//   75  show line numbers in the left margin (text: colour slot 26)
//   87  indent a new line like the one before it
//   88  caret width, in pixels
//   Other option numbers are ignored.
//
// SetColourSlot(slot, colour), the text colour of:
//   10  numbers                     20  keywords (Keywords)
//   14  scope keywords (ScopeKeywords1 and 2: #IF, #SAY, #ACT, #ELSESAY...)
//   16  comments, single and multi-line
//   22  operators                   24  strings
//   26  line numbers                27  current-line background
//   Headers ("[@main]") are dark red and labels ("@main", "<$USERNAME>")
//   teal; other slot numbers are ignored.
//
// SetSlotValue(slot, value): the font style of lexer style `slot` (the
// numbers of lexer::Style: 2 keywords, 5 numbers, 9 operators...), value a
// sum of 1 bold, 2 italic, 4 underlined; 0 is plain. By default scope keywords
// and headers are bold and everything else plain.

#include <QFont>

#include "shell/EditorGlobals.h"
#include "shell/NpcLexer.h"
#include "shell/maxEdit.h"

namespace quill {
namespace {

enum Option {
    ColourSyntax = 0,
    CurrentLine = 3,
    ShowWhitespace = 6,
    WordWrap = 19,
    TabWidth = 21,
    LineNumbers = 75,
    AutoIndent = 87,
    CaretWidth = 88,
};

enum Slot {
    NumberSlot = 10,
    ScopeSlot = 14,
    CommentSlot = 16,
    KeywordSlot = 20,
    OperatorSlot = 22,
    StringSlot = 24,
    LineNumberSlot = 26,
    CurrentLineSlot = 27,
};

// The lexer styles each colour slot paints.
QList<int> stylesOfSlot(int slot) {
    switch (slot) {
        case NumberSlot: return {lexer::Number};
        case ScopeSlot: return {lexer::Scope1, lexer::Scope2};
        case CommentSlot: {
            QList<int> styles{lexer::Comment};
            for (int i = 0; i < lexer::kMaxCommentPairs; ++i) styles << lexer::BlockComment + i;
            return styles;
        }
        case KeywordSlot: return {lexer::Keyword};
        case OperatorSlot: return {lexer::Operator};
        case StringSlot: return {lexer::String};
        default: return {};
    }
}

}  // namespace

void maxEdit::LanguageName(const QString& name) {
    const std::optional<LanguageDefinition> definition = EditorGlobals::language(name);
    languageName_ = name;
    NpcLexer* old = lexer_;
    lexer_ = definition ? new NpcLexer(name, *definition, this) : nullptr;
    setLexer(colourSyntax_ ? lexer_ : nullptr);
    delete old;
    applyAppearance();
}

void maxEdit::FontRef::Name(const QString& name) {
    editor_->fontName_ = name;
    editor_->applyAppearance();
}

void maxEdit::FontRef::Size(double points) {
    if (points > 0) editor_->fontSize_ = points;
    editor_->applyAppearance();
}

void maxEdit::AppearanceOption(int option, int value) {
    const bool on = value != 0;
    switch (option) {
        case ColourSyntax:
            colourSyntax_ = on;
            setLexer(on ? lexer_ : nullptr);
            applyAppearance();
            break;
        case CurrentLine: setCaretLineVisible(on); break;
        case ShowWhitespace:
            setWhitespaceVisibility(on ? WsVisible : WsInvisible);
            setEolVisibility(on);
            break;
        case WordWrap: setWrapMode(on ? WrapWord : WrapNone); break;
        case TabWidth:
            if (value > 0) setTabWidth(value);
            break;
        case LineNumbers:
            setMarginType(0, NumberMargin);
            setMarginLineNumbers(0, on);
            setMarginWidth(0, on ? QStringLiteral("000000") : QString());
            if (!on) setMarginWidth(0, 0);
            break;
        case AutoIndent: setAutoIndent(on); break;
        case CaretWidth:
            if (value >= 0) setCaretWidth(value);
            break;
        default: break;
    }
}

void maxEdit::SetColourSlot(int slot, quint32 rgb) {
    slotColours_.insert(slot, QColor(int(rgb & 0xff), int((rgb >> 8) & 0xff), int((rgb >> 16) & 0xff)));
    applyAppearance();
}

void maxEdit::SetSlotValue(int slot, int value) {
    slotValues_.insert(slot, value);
    applyAppearance();
}

void maxEdit::applyAppearance() {
    QFont base(fontName_);
    base.setPointSizeF(fontSize_);
    base.setStyleHint(QFont::Monospace);
    setMarginsFont(base);
    if (slotColours_.contains(LineNumberSlot)) setMarginsForegroundColor(slotColours_.value(LineNumberSlot));
    if (slotColours_.contains(CurrentLineSlot)) setCaretLineBackgroundColor(slotColours_.value(CurrentLineSlot));
    if (!lexer_ || !colourSyntax_) {
        QsciScintilla::setFont(base);
        return;
    }
    for (int style = 0; style < lexer::kStyleCount; ++style) {
        QFont font = base;
        const int flags = slotValues_.value(style, lexer_->defaultFont(style).bold() ? 1 : 0);
        font.setBold(flags & 1);
        font.setItalic(flags & 2);
        font.setUnderline(flags & 4);
        lexer_->setFont(font, style);
        lexer_->setColor(lexer_->defaultColor(style), style);
    }
    for (auto it = slotColours_.cbegin(); it != slotColours_.cend(); ++it)
        for (int style : stylesOfSlot(it.key())) lexer_->setColor(it.value(), style);
    // Margins take their colours from the lexer's default style; keep ours.
    setMarginsFont(base);
    if (slotColours_.contains(LineNumberSlot)) setMarginsForegroundColor(slotColours_.value(LineNumberSlot));
}

}  // namespace quill
