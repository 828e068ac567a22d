#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/batch.h"
#include "dialogs/casino.h"
#include "dialogs/digit_filter.h"
#include "dialogs/flag.h"
#include "dialogs/refs.h"

namespace quill::dialogs {
namespace {

using Texts = std::vector<std::string>;

// An outcome as one text: the line to add, or "title|message" when refused.
std::string shown(const Outcome& o) {
    if (o.line) return o.message.empty() && o.title.empty() ? *o.line : *o.line + " +" + o.title + '|' + o.message;
    return o.title + '|' + o.message;
}

TEST(DigitFilter, OnlyDigitsPassAndWhatReadsAsANumber) {
    // Backspace (8) and the other control characters are cancelled too.
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(filterDigitKey(code), code >= '0' && code <= '9' ? code : 0) << "code " << code;
    for (const char* t : {"5", " 12 ", "\t3", "-3", "+4", "2.5", ".5", "5."}) EXPECT_TRUE(readsAsNumber(t)) << t;
    for (const char* t : {"", "   ", "-", ".", "1 2", "5s", "1.2.3", "--1", "- 1"}) EXPECT_FALSE(readsAsNumber(t)) << t;
}

TEST(Lines, FlagLinesAndInsertsEachAfterItsOwnLineBreak) {
    EXPECT_EQ(insertsFor({"batchdelay 5", "addbatch 0", "batchmove"}),
              (Texts{"\r\nbatchdelay 5", "\r\naddbatch 0", "\r\nbatchmove"}));
    // clang-format off
    const char* flags[][3] = {{"123", "True", "Check [123] 1"}, {"7", "False", "Check [7] 0"}, {"", "", "Check [] 0"},
                              {"5", "", "Check [5] 0"}, {"007", "true", "Check [007] 0"}};
    // clang-format on
    for (const auto& f : flags) EXPECT_EQ(flag::line(f[0], f[1]), f[2]);
}

TEST(Composers, EachChecksInOrderThenGivesItsLineFromTheListsOffered) {
    const std::string noDelay = "[Error]|You Must Insert A Batch Delay Before Inserting Maps";
    const std::string sum = "|You Must Choose A Sum (Large,Small,Equal)";
    const std::string dice = "|You Must Choose How Many Dice You Wish To Play";
    // clang-format off
    const std::pair<Outcome, std::string> cases[] = {
        {batch::addDelay("5"), "batchdelay 5"}, {batch::addDelay(" 7 "), "batchdelay  7 "},  // written as it stands
        {batch::addDelay(""), "|Delay Must Be In Seconds"}, {batch::addDelay("ten"), "|Delay Must Be In Seconds"},
        // Only the first entry counts, and it must hold the word as written.
        {batch::addBatch({}, ""), noDelay}, {batch::addBatch({"batchmove", "batchdelay 5"}, "0"), noDelay},
        {batch::addBatch({"BatchDelay 5"}, "0"), noDelay},
        {batch::addBatch({"batchdelay 5"}, ""), "|You Must Enter A Valid Map Name"},
        {batch::addBatch({"batchdelay 5"}, " "), "addbatch  "},
        {batch::addBatch({"batchdelay 5", "batchmove", "addbatch 1"}, "D001"), "addbatch D001"},
        {casino::checkLine("", "p9", "3"), sum},
        {casino::checkLine("Small", "", ""), "|You Must Choose A Multiplier (p9 or d0)"},
        {casino::checkLine("Small", "d0", ""), "|You Must Choose An Ammount (1-10)"},
        {casino::checkLine("Small", "d0", "7"), "Small d0 7"}, {casino::checkLine("Mov", "p9", "10"), "Mov p9 10"},
        {casino::playLine("", "3", "@play"), "|You Must Choose A Play Option"},
        {casino::playLine("playdice", "", ""), dice}, {casino::playLine("playdice", "x", "@play"), dice},
        {casino::playLine("playdice", "2", ""), "|You Must Enter A Menu Name"},
        {casino::playLine("playdice", "2", "@play"), "playdice 2 @play"},
        {casino::playLine("playdice", "1", " [@x] "), "playdice 1  [@x] "},
    };
    // clang-format on
    for (const auto& [outcome, want] : cases) EXPECT_EQ(shown(outcome), want);
    const Texts oneToTen{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    EXPECT_EQ(casino::sums(), (Texts{"Equal", "Small", "Large", "Mov"}));
    EXPECT_EQ(casino::multipliers(), (Texts{"p9", "d0"}));
    EXPECT_EQ(casino::amounts(), oneToTen);
    EXPECT_EQ(casino::diceCounts(), oneToTen);
}

// Helmet, named first, sits at the bottom. The codes each box writes are
// checked through the window, in tst_dialogs.
TEST(Refs, BoxesTopToBottom) {
    Texts armour;
    for (const refs::Box& box : refs::boxes(refs::Group::Armour))
        armour.push_back(std::string(box.name) + ' ' + box.caption);
    EXPECT_EQ(armour, (Texts{"Check6 Armour (+10)", "Check5 Armour (+11)", "Check4 Helmet (+15)"}));
}

}  // namespace
}  // namespace quill::dialogs
