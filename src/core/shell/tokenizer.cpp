#include "shell/tokenizer.h"

#include <algorithm>

#include "shell/ascii.h"

namespace quill::lexer {
namespace {

unsigned char byteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

std::string folded(std::string_view s, bool caseSensitive) {
    std::string out(s);
    if (!caseSensitive) std::transform(out.begin(), out.end(), out.begin(), asciiLower);
    return out;
}

// The list's items without the empty ones (they would match everywhere),
// longest first so that the longest item that fits wins.
std::vector<std::string> nonEmpty(const std::string& list) {
    std::vector<std::string> out;
    for (std::string& item : language::items(list))
        if (!item.empty()) out.push_back(std::move(item));
    std::stable_sort(out.begin(), out.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return out;
}

std::size_t lineEnd(std::string_view text, std::size_t from) {
    const std::size_t end = text.find_first_of("\r\n", from);
    return end == std::string_view::npos ? text.size() : end;
}

// Merges adjacent runs of one style before they reach the sink.
class Runs {
public:
    explicit Runs(Sink& sink) : sink_(sink) {}
    ~Runs() { flush(); }
    void add(std::size_t offset, std::size_t length, int style) {
        if (length == 0) return;
        if (style == style_ && offset == start_ + length_) {
            length_ += length;
            return;
        }
        flush();
        start_ = offset;
        length_ = length;
        style_ = style;
    }
    void flush() {
        if (length_ != 0) sink_.span(start_, length_, style_);
        length_ = 0;
    }

private:
    Sink& sink_;
    std::size_t start_ = 0, length_ = 0;
    int style_ = -1;
};

}  // namespace

std::string_view styleName(int style) {
    static constexpr std::array<std::string_view, BlockComment> names = {"default", "comment", "keyword", "scope1",
                                                                         "scope2",  "number",  "string",  "header",
                                                                         "label",   "operator"};
    if (style >= 0 && style < BlockComment) return names[static_cast<std::size_t>(style)];
    static constexpr std::array<std::string_view, kMaxCommentPairs> blocks = {"block1", "block2", "block3", "block4",
                                                                              "block5", "block6", "block7", "block8"};
    if (style >= BlockComment && style < kStyleCount) return blocks[static_cast<std::size_t>(style - BlockComment)];
    return "unknown";
}

Tokenizer::Tokenizer(const language::LanguageDefinition& d) : caseSensitive_(d.caseSensitive) {
    using namespace language;
    for (int c = 0; c < 256; ++c)
        wordChar_[c] =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;

    // Later lists win a word found in two of them.
    const std::pair<List, int> wordLists[] = {{Keywords, Keyword}, {ScopeKeywords2, Scope2}, {ScopeKeywords1, Scope1}};
    for (const auto& [list, style] : wordLists) {
        for (const std::string& item : nonEmpty(d.lists[list])) {
            for (char c : item)
                if (c != ' ' && c != '\t') wordChar_[static_cast<unsigned char>(c)] = true;
            words_[folded(item, caseSensitive_)] = style;
            longestWord_ = std::max(longestWord_, item.size());
        }
    }
    for (const std::string& item : nonEmpty(d.lists[TagAttributeNames])) {
        for (char c : item)
            if (c != ' ' && c != '\t') wordChar_[static_cast<unsigned char>(c)] = true;
        labelPrefixes_.push_back(folded(item, caseSensitive_));
    }
    headerPrefixes_ = nonEmpty(d.lists[TagElementNames]);
    operators_ = nonEmpty(d.lists[Operators]);
    lineComments_ = nonEmpty(d.lists[SingleLineComments]);
    strings_ = nonEmpty(d.lists[StringDelimiter]);

    const std::vector<std::string> opens = items(d.lists[MultilineComments1]);
    const std::vector<std::string> closes = items(d.lists[MultilineComments2]);
    for (std::size_t i = 0; i < opens.size() && i < closes.size(); ++i) {
        if (opens[i].empty() || closes[i].empty()) continue;
        if (blockComments_.size() == kMaxCommentPairs) break;
        blockComments_.push_back({opens[i], closes[i]});
    }

    for (const std::string& s : operators_) operatorStart_[static_cast<unsigned char>(s[0])] = true;
    for (const auto* list : {&lineComments_, &strings_})
        for (const std::string& s : *list) delimiterStart_[static_cast<unsigned char>(s[0])] = true;
    for (const Pair& p : blockComments_) delimiterStart_[static_cast<unsigned char>(p.open[0])] = true;
}

int Tokenizer::stateBefore(int style) {
    return style >= BlockComment && style < kStyleCount ? style - BlockComment + 1 : 0;
}

bool Tokenizer::startsWith(std::string_view text, std::size_t at, const std::string& item) const {
    return text.compare(at, item.size(), item) == 0;
}

std::size_t Tokenizer::matchAny(std::string_view text, std::size_t at, const std::vector<std::string>& items) const {
    for (const std::string& item : items)
        if (startsWith(text, at, item)) return item.size();
    return 0;
}

int Tokenizer::wordStyle(std::string_view word) const {
    if (word.size() <= longestWord_) {
        thread_local std::string key;
        key.assign(word);
        if (!caseSensitive_) std::transform(key.begin(), key.end(), key.begin(), asciiLower);
        if (const auto found = words_.find(key); found != words_.end()) return found->second;
    }
    for (const std::string& prefix : labelPrefixes_) {
        if (word.size() < prefix.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < prefix.size() && same; ++i)
            same = (caseSensitive_ ? word[i] : asciiLower(word[i])) == prefix[i];
        if (same) return Label;
    }
    if (std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) return Number;
    return Default;
}

int Tokenizer::run(std::string_view text, int state, Sink& sink) const {
    Runs runs(sink);
    if (state < 0 || state > static_cast<int>(blockComments_.size())) state = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool lineStart = true;
    while (i < n) {
        if (state > 0) {
            const Pair& pair = blockComments_[static_cast<std::size_t>(state - 1)];
            const int style = BlockComment + state - 1;
            const std::size_t close = text.find(pair.close, i);
            if (close == std::string_view::npos) {
                runs.add(i, n - i, style);
                return state;
            }
            const std::size_t end = close + pair.close.size();
            runs.add(i, end - i, style);
            i = end;
            state = 0;
            lineStart = false;
            continue;
        }
        const unsigned char c = byteAt(text, i);
        if (c == '\n' || c == '\r') {
            runs.add(i++, 1, Default);
            lineStart = true;
            continue;
        }
        if (lineStart) {
            lineStart = false;
            if (matchAny(text, i, headerPrefixes_) != 0) {
                const std::size_t end = lineEnd(text, i);
                runs.add(i, end - i, Header);
                i = end;
                continue;
            }
        }
        if (delimiterStart_[c]) {
            if (matchAny(text, i, lineComments_) != 0) {
                const std::size_t end = lineEnd(text, i);
                runs.add(i, end - i, Comment);
                i = end;
                continue;
            }
            bool opened = false;
            for (std::size_t k = 0; k < blockComments_.size() && !opened; ++k) {
                if (!startsWith(text, i, blockComments_[k].open)) continue;
                runs.add(i, blockComments_[k].open.size(), BlockComment + static_cast<int>(k));
                i += blockComments_[k].open.size();
                state = static_cast<int>(k) + 1;
                opened = true;
            }
            if (opened) continue;
            if (const std::size_t open = matchAny(text, i, strings_); open != 0) {
                const std::size_t end = lineEnd(text, i);
                const std::string_view delimiter = text.substr(i, open);
                const std::size_t close = text.substr(0, end).find(delimiter, i + open);
                const std::size_t stop = close == std::string_view::npos ? end : close + open;
                runs.add(i, stop - i, String);
                i = stop;
                continue;
            }
        }
        if (wordChar_[c]) {
            std::size_t j = i + 1;
            while (j < n && wordChar_[byteAt(text, j)]) ++j;
            runs.add(i, j - i, wordStyle(text.substr(i, j - i)));
            i = j;
            continue;
        }
        if (operatorStart_[c]) {
            if (const std::size_t length = matchAny(text, i, operators_); length != 0) {
                runs.add(i, length, Operator);
                i += length;
                continue;
            }
        }
        runs.add(i++, 1, Default);
    }
    return state;
}

}  // namespace quill::lexer
