#include "catalogue/headers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill::catalogue {
namespace {

using Rows = std::vector<std::string_view>;

TEST(HeaderList, RowsFollowTheHeaderRule) {
    const struct {
        const char* name;
        std::string text;
        Rows rows;
    } cases[] = {
        {"empty script", "", {"--Menu Headers--", "None Found"}},
        {"default script", ";banner\r\n[@main]", {"--Menu Headers--", "[@main]"}},
        {"indented header", " [@main]\r\n", {"--Menu Headers--", "None Found"}},
        {"trailing blank", "[@main] \r\n", {"--Menu Headers--", "None Found"}},
        {"comment after it", "[@main] ;start", {"--Menu Headers--", "None Found"}},
        {"lone brackets", "[\r\n]\r\n[]", {"--Menu Headers--", "[]"}},
        {"order and duplicates kept", "[@b]\r\n#SAY\r\n[@a]\r\n[@b]", {"--Menu Headers--", "[@b]", "[@a]", "[@b]"}},
        {"LF and lone CR end lines too", "[@a]\n[@b]\r[@c]\r\n", {"--Menu Headers--", "[@a]", "[@b]", "[@c]"}},
        {"CR inside is a break", "[@a\r]", {"--Menu Headers--", "None Found"}},
        {"UTF-8 and NUL kept", std::string("[@m\xc3\xa9n\0u]", 9), {"--Menu Headers--", std::string_view("[@m\xc3\xa9n\0u]", 9)}},
        {"long line past 16 bytes", "[" + std::string(40, 'x') + "]", {"--Menu Headers--", "[xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx]"}},
    };
    for (const auto& c : cases) EXPECT_EQ(headerListRows(c.text), c.rows) << c.name;
}

TEST(HeaderList, HeadersBeyondLine32767AreListed) {
    std::string text;
    for (int n = 0; n < 40000; ++n) text += "#SAY\r\n";
    text += "[@late]";
    EXPECT_EQ(scanHeaders(text), Rows{"[@late]"});
    EXPECT_EQ(linesContaining(text, "[@late]"), std::vector<std::size_t>{40000});
}

TEST(HeaderList, LinesContainingCountsLinesLikeTheEditor) {
    const std::string text = "[@buy]\r\n\r\n;see [@buy]\n\r[@buy]x\r\n";
    EXPECT_EQ(linesContaining(text, "[@buy]"), (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(linesContaining(text, "[@BUY]"), std::vector<std::size_t>{});
}

// What comparing every pair in order reports.
std::vector<std::string> pairwise(const std::vector<std::string>& rows) {
    std::vector<std::string> messages;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            if (rows[i] == rows[j]) messages.push_back(duplicateMessage(rows[i]));
    return messages;
}

std::vector<std::string> expand(const std::vector<std::string>& rows) {
    std::vector<std::string> messages;
    for (const DuplicateReport& r : findDuplicates(rows))
        for (std::size_t n = 0; n < r.times; ++n) messages.push_back(duplicateMessage(rows[r.row]));
    return messages;
}

TEST(DuplicateCheck, SameMessagesInTheOrderOfThePairs) {
    const std::vector<std::vector<std::string>> cases = {
        {"--Menu Headers--", "None Found"},
        {"--Menu Headers--", "[@main]", "[@Main]"},
        {"--Menu Headers--", "[@buy]", "[@sell]", "[@buy]", "[@buy]"},
        {"--Menu Headers--", "[@a]", "[@b]", "[@b]", "[@a]", "[@c]", "[@a]", "[@b]"},
    };
    for (const auto& rows : cases) EXPECT_EQ(expand(rows), pairwise(rows));
    EXPECT_EQ(duplicateMessage("[@buy]"), "Duplicate Menu Found : [@buy]");
}

TEST(DuplicateCheck, ManyCopiesOfOneHeader) {
    // 3000 copies give 4,498,500 messages: reported as one count per row.
    const auto reports = findDuplicates(std::vector<std::string>(3000, "[@main]"));
    ASSERT_EQ(reports.size(), 2999u);
    for (std::size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(reports[i], (DuplicateReport{i, 2999 - i}));
}

}  // namespace
}  // namespace quill::catalogue
