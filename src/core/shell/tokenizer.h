#pragma once
// Colours NPC script text from the ten lists of a language definition and
// nothing else. It knows nothing of the editor: it reports runs of bytes and
// their style to a sink, so the editor's lexer, the golden-file tests and the
// benchmarks share it.
//
// How the lists colour the text:
//   Keywords               a word in the list                       Keyword
//   ScopeKeywords1 / 2     a word in the list (wins over Keywords)  Scope1 / Scope2
//   Tag Attribute Names    a word that begins with an item          Label   ("@", "$": @main, <$USERNAME>)
//   Tag Element Names      a line that begins with an item          Header  ("[": [@main])
//   Operators              an item, the longest that fits           Operator
//   Single Line Comments   an item starts a comment to the line end Comment
//   Multiline Comments 1/2 start and end items, paired by position; BlockComment + pair
//                          the comment may run over many lines
//   String Delimiter       an item opens a string that the same     String
//                          item or the line end closes
// A word is a run of letters, digits, "_", bytes of multi-byte characters and
// any character that occurs in a keyword, scope keyword or tag attribute item
// (so "#IF" and "@main" are words). A word of digits alone is a Number.
// Word matching ignores letter case unless the definition says otherwise.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shell/language.h"

namespace quill::lexer {

enum Style : unsigned char {
    Default = 0,
    Comment = 1,
    Keyword = 2,
    Scope1 = 3,
    Scope2 = 4,
    Number = 5,
    String = 6,
    Header = 7,
    Label = 8,
    Operator = 9,
    BlockComment = 10,  // BlockComment + n for the n-th pair of delimiters
};
inline constexpr int kMaxCommentPairs = 8;
inline constexpr int kStyleCount = BlockComment + kMaxCommentPairs;

// The lower-case name of a style, as the golden files write it.
std::string_view styleName(int style);

class Sink {
public:
    virtual ~Sink() = default;
    // Bytes [offset, offset + length) of the text passed to run() have `style`.
    virtual void span(std::size_t offset, std::size_t length, int style) = 0;
};

class Tokenizer {
public:
    explicit Tokenizer(const language::LanguageDefinition& definition);

    // Styles `text`, which begins at the start of a line, reporting every byte
    // once, in order, adjacent runs of one style merged. `state` is the state
    // at that line start (stateBefore()); the result is the state at the end.
    int run(std::string_view text, int state, Sink& sink) const;

    // The state at a line start, from the style of the byte just before it
    // (the previous line's break): inside the n-th block comment or not (0).
    static int stateBefore(int styleOfPreviousLineBreak);

    // Whether a construct of the language can run over a line break (a block
    // comment). Without one, every line starts in state 0 and its colours
    // depend on that line alone.
    bool spansLines() const { return !blockComments_.empty(); }

private:
    struct Pair {
        std::string open, close;
    };
    bool startsWith(std::string_view text, std::size_t at, const std::string& item) const;
    std::size_t matchAny(std::string_view text, std::size_t at, const std::vector<std::string>& items) const;
    int wordStyle(std::string_view word) const;

    bool caseSensitive_;
    std::array<bool, 256> wordChar_{};
    std::array<bool, 256> delimiterStart_{};
    std::array<bool, 256> operatorStart_{};
    std::unordered_map<std::string, int> words_;
    std::size_t longestWord_ = 0;
    std::vector<std::string> labelPrefixes_, headerPrefixes_, operators_, lineComments_, strings_;
    std::vector<Pair> blockComments_;
};

}  // namespace quill::lexer
