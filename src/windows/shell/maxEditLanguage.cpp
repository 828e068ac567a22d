// The editor's language and appearance settings (the numbers: maxEditOptions.h).

#include <QFont>
#include <array>

#include "shell/EditorGlobals.h"
#include "shell/NpcLexer.h"
#include "shell/maxEdit.h"
#include "shell/maxEditOptions.h"

namespace quill {

using namespace appearance;

namespace {

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
    // Each setting is handed to the editor's styles at once, so a style is
    // only set when it changes: the start-up settings come one at a time
    // and each applies them all again.
    std::array<QColor, lexer::kStyleCount> colours;
    for (int style = 0; style < lexer::kStyleCount; ++style) colours[style] = lexer_->defaultColor(style);
    for (auto it = slotColours_.cbegin(); it != slotColours_.cend(); ++it)
        for (int style : stylesOfSlot(it.key())) colours[style] = it.value();
    for (int style = 0; style < lexer::kStyleCount; ++style) {
        QFont font = base;
        const int flags = slotValues_.value(style, lexer_->defaultFont(style).bold() ? 1 : 0);
        font.setBold(flags & 1);
        font.setItalic(flags & 2);
        font.setUnderline(flags & 4);
        if (lexer_->font(style) != font) lexer_->setFont(font, style);
        if (lexer_->color(style) != colours[style]) lexer_->setColor(colours[style], style);
    }
    // Margins take their colours from the lexer's default style; keep ours.
    setMarginsFont(base);
    if (slotColours_.contains(LineNumberSlot)) setMarginsForegroundColor(slotColours_.value(LineNumberSlot));
}

}  // namespace quill
