#pragma once
// The numbers the editor component's appearance calls take.
//
// AppearanceOption(option, value): an Option; other numbers are ignored.
//
// SetColourSlot(slot, colour): the text colour of a ColourSlot. Headers
// ("[@main]") are dark red and labels ("@main", "<$USERNAME>") teal; other
// slot numbers are ignored.
//
// SetSlotValue(slot, value): the font style of lexer style `slot` (a
// lexer::Style), value a sum of 1 bold, 2 italic, 4 underlined; 0 is plain.
// By default scope keywords and headers are bold and everything else plain.

namespace quill::appearance {

enum Option {
    ColourSyntax = 0,    // colour the text with the selected language (off: plain text)
    CurrentLine = 3,     // highlight the caret's line (background: CurrentLineSlot)
    ShowWhitespace = 6,  // show blanks, tabs and line ends
    WordWrap = 19,       // wrap long lines at word boundaries
    TabWidth = 21,       // in characters
    LineNumbers = 75,    // in the left margin (text: LineNumberSlot)
    AutoIndent = 87,     // indent a new line like the one before it
    CaretWidth = 88,     // in pixels
};

enum ColourSlot {
    NumberSlot = 10,
    ScopeSlot = 14,    // ScopeKeywords1 and 2: #IF, #SAY, #ACT, #ELSESAY...
    CommentSlot = 16,  // single and multi-line
    KeywordSlot = 20,
    OperatorSlot = 22,
    StringSlot = 24,
    LineNumberSlot = 26,
    CurrentLineSlot = 27,
};

}  // namespace quill::appearance
