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

// Each report says how many later rows equal the row: comparing every pair
// in order gives that row's message that many times, in the order of the rows.
TEST(DuplicateCheck, OneReportPerRowWithItsLaterCopies) {
    using Reports = std::vector<DuplicateReport>;
    const std::vector<std::string> none = {"--Menu Headers--", "None Found"};
    EXPECT_EQ(findDuplicates(none), Reports{});
    const std::vector<std::string> caseMatters = {"--Menu Headers--", "[@main]", "[@Main]"};
    EXPECT_EQ(findDuplicates(caseMatters), Reports{});
    const std::vector<std::string> mixed = {"--Menu Headers--", "[@a]", "[@b]", "[@b]", "[@a]", "[@c]", "[@a]", "[@b]"};
    EXPECT_EQ(findDuplicates(mixed), (Reports{{1, 2}, {2, 2}, {3, 1}, {4, 1}}));
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
