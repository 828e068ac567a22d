#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shell/language.h"
#include "shell/tokenizer.h"
#include "slurp.h"

namespace fs = std::filesystem;
using namespace quill;
using quill::test::slurp;

namespace {

const fs::path kLexerData = fs::path(QUILL_TEST_DATA) / "lexer";
const fs::path kShippedIni = fs::path(QUILL_TEST_DATA) / ".." / ".." / "resources" / "NPC Script.ini";

struct Span {
    std::size_t offset, length;
    int style;
};

struct Collect : lexer::Sink {
    std::vector<Span> spans;
    void span(std::size_t offset, std::size_t length, int style) override { spans.push_back({offset, length, style}); }
};

// The text as one "<style>text</style>" stream; default text stands bare.
std::string render(std::string_view text, const std::vector<Span>& spans) {
    std::string out;
    for (const Span& s : spans) {
        const std::string piece(text.substr(s.offset, s.length)), name(lexer::styleName(s.style));
        out += s.style == lexer::Default ? piece : "<" + name + ">" + piece + "</" + name + ">";
    }
    return out;
}

// The styles of every byte, from a run over the whole text.
std::vector<int> byteStyles(std::string_view text, const std::vector<Span>& spans) {
    std::vector<int> styles(text.size(), -1);
    for (const Span& s : spans)
        for (std::size_t i = 0; i < s.length; ++i) styles[s.offset + i] = s.style;
    return styles;
}

TEST(LanguageLists, ReadsTheTenKeysOrEmptyLists) {
    const language::LanguageDefinition missing = language::readDefinition((kLexerData / "no such.ini").string());
    for (const std::string& list : missing.lists) EXPECT_EQ(list, "");
    // The keys of a full file are read by the reference files below (custom.ini).
    // A file saved in the Windows code page reads as such; UTF-8 stays as it is.
    const fs::path ansi = fs::temp_directory_path() / "language_test_ansi.ini";
    std::ofstream(ansi, std::ios::binary) << "[Definition]\r\nKeywords=Caf\xE9,\x80\r\nOperators=\xC3\xA9,+\r\n";
    const language::LanguageDefinition read = language::readDefinition(ansi.string());
    fs::remove(ansi);
    EXPECT_EQ(read.lists[language::Keywords], "Caf\xC3\xA9\n\xE2\x82\xAC");
    EXPECT_EQ(read.lists[language::Operators], "\xC3\xA9\n+");
}

// Every input tests/data/lexer/X.txt is coloured with X.ini when there is one
// (else the shipped "NPC Script.ini") and compared with X.ref. Run with
// QUILL_REGENERATE_REFERENCES=1 to rewrite the references after a deliberate change.
TEST(Tokenizer, MatchesTheReferenceFiles) {
    const bool regenerate = std::getenv("QUILL_REGENERATE_REFERENCES") != nullptr;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(kLexerData)) {
        if (entry.path().extension() != ".txt") continue;
        ++inputs;
        const fs::path ini = fs::path(entry.path()).replace_extension(".ini");
        const lexer::Tokenizer tokenizer(language::readDefinition((fs::exists(ini) ? ini : kShippedIni).string()));
        const std::string text = slurp(entry.path());
        Collect all;
        tokenizer.run(text, 0, all);
        const std::string rendered = render(text, all.spans);
        const fs::path ref = fs::path(entry.path()).replace_extension(".ref");
        if (regenerate) std::ofstream(ref, std::ios::binary) << rendered;
        EXPECT_EQ(rendered, slurp(ref)) << entry.path();

        // Every byte once, in order; and restarting at any line start with the
        // state read back from the previous line break gives the same styles,
        // which is what lets the editor restyle only the lines it asks for.
        const std::vector<int> whole = byteStyles(text, all.spans);
        std::size_t covered = 0;
        for (const Span& s : all.spans) {
            EXPECT_EQ(s.offset, covered);
            covered += s.length;
        }
        EXPECT_EQ(covered, text.size());
        for (std::size_t start = 1; start < text.size(); ++start) {
            if (text[start - 1] != '\n') continue;
            Collect part;
            tokenizer.run(std::string_view(text).substr(start), lexer::Tokenizer::stateBefore(whole[start - 1]), part);
            const std::vector<int> restyled = byteStyles(std::string_view(text).substr(start), part.spans);
            EXPECT_TRUE(std::equal(restyled.begin(), restyled.end(), whole.begin() + static_cast<long>(start)))
                << entry.path() << " restarted at byte " << start;
        }
    }
    EXPECT_GE(inputs, 5);
}

}  // namespace
