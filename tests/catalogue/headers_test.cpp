#include "catalogue/headers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill::catalogue {
namespace {

using Rows = std::vector<std::string_view>;
using Strings = std::vector<std::string>;
using Indexes = std::vector<std::size_t>;

TEST(HeaderList, HeadersFollowTheRule) {
    const std::string nul("[@m\xc3\xa9n\0u]", 9), wide = "[" + std::string(40, 'x') + "]";
    // clang-format off
    const std::pair<std::string, Rows> cases[] = {
        {"", {}}, {";banner\r\n[@main]", {"[@main]"}}, {" [@main]\r\n", {}},
        {"[@main] \r\n", {}}, {"[@main] ;start", {}}, {"[\r\n]\r\n[]", {"[]"}},
        {"[@b]\r\n#SAY\r\n[@a]\r\n[@b]", {"[@b]", "[@a]", "[@b]"}},  // order and duplicates kept
        {"[@a]\n[@b]\r[@c]\r\n", {"[@a]", "[@b]", "[@c]"}}, {"[@a\r]", {}},
        {nul, {nul}}, {wide, {wide}},  // UTF-8 and NUL kept; past 16 bytes
    };
    // clang-format on
    for (const auto& [text, rows] : cases) EXPECT_EQ(scanHeaders(text), rows) << text;
}

TEST(HeaderList, LinesContainingCountsLinesLikeTheEditorPastLine32767) {
    const std::string text = "[@buy]\r\n\r\n;see [@buy]\n\r[@buy]x\r\n";
    EXPECT_EQ(linesContaining(text, "[@buy]"), (Indexes{0, 2, 4}));
    EXPECT_EQ(linesContaining(text, "[@BUY]"), Indexes{});
    const std::string_view whole = text;
    for (std::size_t cut : {0, 8, 10, 22, 23, 32})
        EXPECT_EQ(linesContaining(whole.substr(0, cut), whole.substr(cut), "[@buy]"), (Indexes{0, 2, 4})) << cut;
    std::string longText;
    for (int n = 0; n < 40000; ++n) longText += "#SAY\r\n";
    longText += "[@late]";
    EXPECT_EQ(scanHeaders(longText), Rows{"[@late]"});
    EXPECT_EQ(linesContaining(longText, "[@late]"), Indexes{40000});
}

// Each report says how many later rows equal the row: comparing every pair
// in order gives that row's message that many times, in the order of the rows.
TEST(DuplicateCheck, OneReportPerRowWithItsLaterCopies) {
    using Reports = std::vector<DuplicateReport>;
    EXPECT_EQ(findDuplicates(Strings{"--Menu Headers--", "None Found"}), Reports{});
    EXPECT_EQ(findDuplicates(Strings{"--Menu Headers--", "[@main]", "[@Main]"}), Reports{});
    EXPECT_EQ(findDuplicates(Strings{"--Menu Headers--", "[@a]", "[@b]", "[@b]", "[@a]", "[@c]", "[@a]", "[@b]"}),
              (Reports{{1, 2}, {2, 2}, {3, 1}, {4, 1}}));
    EXPECT_EQ(duplicateMessage("[@buy]"), "Duplicate Menu Found : [@buy]");
    // 3000 copies give 4,498,500 messages: reported as one count per row.
    const auto many = findDuplicates(Strings(3000, "[@main]"));
    ASSERT_EQ(many.size(), 2999u);
    for (std::size_t i = 0; i < many.size(); ++i) EXPECT_EQ(many[i], (DuplicateReport{i, 2999 - i}));
}

}  // namespace
}  // namespace quill::catalogue
