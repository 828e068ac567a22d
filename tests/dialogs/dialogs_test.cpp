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

TEST(DigitFilter, OnlyDigitsPass) {
    // Backspace (8) and the other control characters are cancelled too.
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(filterDigitKey(code), code >= '0' && code <= '9' ? code : 0) << "code " << code;
}

TEST(ReadsAsNumber, DigitStringsAndTheirUsualDress) {
    const struct { const char* text; bool number; } cases[] = {
        {"5", true},  {" 12 ", true}, {"\t3", true}, {"-3", true},     {"+4", true},   {"2.5", true}, {".5", true},
        {"5.", true}, {"", false},    {"   ", false}, {"-", false},     {".", false},   {"1 2", false},
        {"5s", false}, {"1.2.3", false}, {"--1", false}, {"- 1", false},
    };
    for (const auto& c : cases) EXPECT_EQ(readsAsNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(Inserts, EveryLineAfterItsOwnLineBreak) {
    EXPECT_EQ(insertsFor({"batchdelay 5", "addbatch 0", "batchmove"}),
              (Texts{"\r\nbatchdelay 5", "\r\naddbatch 0", "\r\nbatchmove"}));
    EXPECT_TRUE(insertsFor({}).empty());
}

TEST(Flag, LineFromFlagAndChoice) {
    const struct { const char *flag, *choice, *line; } cases[] = {
        {"123", "True", "Check [123] 1"}, {"7", "False", "Check [7] 0"}, {"", "", "Check [] 0"},
        {"5", "", "Check [5] 0"},         {"007", "true", "Check [007] 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(flag::line(c.flag, c.choice), c.line);
    EXPECT_EQ(flag::choices(), (Texts{"True", "False"}));
}

void expectLine(const Outcome& o, const std::string& line) {
    ASSERT_TRUE(o.line.has_value()) << o.message;
    EXPECT_EQ(*o.line, line);
    EXPECT_TRUE(o.message.empty());
}

void expectMessage(const Outcome& o, std::string_view message, std::string_view title = {}) {
    EXPECT_FALSE(o.line.has_value());
    EXPECT_EQ(o.message, message);
    EXPECT_EQ(o.title, title);
}

TEST(Batch, DelayThenMapsInTheOrderOfTheChecks) {
    expectLine(batch::addDelay("5"), "batchdelay 5");
    expectLine(batch::addDelay(" 7 "), "batchdelay  7 ");  // written as it stands
    expectMessage(batch::addDelay(""), "Delay Must Be In Seconds");
    expectMessage(batch::addDelay("ten"), "Delay Must Be In Seconds");

    const std::string noDelay = "You Must Insert A Batch Delay Before Inserting Maps";
    expectMessage(batch::addBatch({}, ""), noDelay, "[Error]");
    // Only the first entry counts, and it must hold the word as written.
    expectMessage(batch::addBatch({"batchmove", "batchdelay 5"}, "0"), noDelay, "[Error]");
    expectMessage(batch::addBatch({"BatchDelay 5"}, "0"), noDelay, "[Error]");
    expectMessage(batch::addBatch({"batchdelay 5"}, ""), "You Must Enter A Valid Map Name");
    expectLine(batch::addBatch({"batchdelay 5"}, " "), "addbatch  ");
    expectLine(batch::addBatch({"batchdelay 5", "batchmove", "addbatch 1"}, "D001"), "addbatch D001");
    EXPECT_EQ(batch::batchMove(), "batchmove");
}

TEST(Casino, ListsOffered) {
    const Texts oneToTen{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    EXPECT_EQ(casino::sums(), (Texts{"Equal", "Small", "Large", "Mov"}));
    EXPECT_EQ(casino::multipliers(), (Texts{"p9", "d0"}));
    EXPECT_EQ(casino::amounts(), oneToTen);
    EXPECT_EQ(casino::playOptions(), (Texts{"playdice"}));
    EXPECT_EQ(casino::diceCounts(), oneToTen);
}

TEST(Casino, EachComposerChecksInOrder) {
    const std::string sum = "You Must Choose A Sum (Large,Small,Equal)";
    const std::string multiplier = "You Must Choose A Multiplier (p9 or d0)";
    const std::string amount = "You Must Choose An Ammount (1-10)";
    expectMessage(casino::checkLine("", "p9", "3"), sum);
    expectMessage(casino::checkLine("Small", "", ""), multiplier);
    expectMessage(casino::checkLine("Small", "d0", ""), amount);
    expectLine(casino::checkLine("Small", "d0", "7"), "Small d0 7");
    expectLine(casino::checkLine("Mov", "p9", "10"), "Mov p9 10");

    const std::string option = "You Must Choose A Play Option";
    const std::string dice = "You Must Choose How Many Dice You Wish To Play";
    const std::string menu = "You Must Enter A Menu Name";
    expectMessage(casino::playLine("", "3", "@play"), option);
    expectMessage(casino::playLine("playdice", "", ""), dice);
    expectMessage(casino::playLine("playdice", "x", "@play"), dice);
    expectMessage(casino::playLine("playdice", "2", ""), menu);
    expectLine(casino::playLine("playdice", "2", "@play"), "playdice 2 @play");
    expectLine(casino::playLine("playdice", "1", " [@x] "), "playdice 1  [@x] ");
}

TEST(Refs, BoxesAndCaptionsTopToBottom) {
    using refs::Group;
    Texts shown;  // "frame: name caption code", top to bottom
    for (Group g : {Group::Weapon, Group::Armour, Group::Potion})
        for (const refs::Box& box : refs::boxes(g))
            shown.push_back(std::string(refs::caption(g)) + ": " + box.name + ' ' + box.caption + ' ' + box.code);
    EXPECT_EQ(shown, (Texts{"Weapon: Check1 Weapon (+5) +5", "Weapon: Check2 Weapon (+6) +6",
                            "Weapon: Check3 Ore         (+43) +43", "Armour: Check6 Armour (+10) +10",
                            "Armour: Check5 Armour (+11) +11", "Armour: Check4 Helmet (+15) +15",
                            "Potion: Check7 Potion  (+0) +0", "Potion: Check8 Poison (+42) +42"}));
}

TEST(Refs, TickedCodesInOrder) {
    using refs::Group;
    EXPECT_EQ(refs::groupInserts(Group::Armour, {true, true, true}), (Texts{"\r\n+10", "\r\n+11", "\r\n+15"}));
    EXPECT_EQ(refs::groupInserts(Group::Weapon, {true, false, true}), (Texts{"\r\n+5", "\r\n+43"}));
    EXPECT_TRUE(refs::groupInserts(Group::Weapon, {false, false, false}).empty());
    EXPECT_TRUE(refs::priceInserts(false, false).empty());
    EXPECT_EQ(refs::priceInserts(true, false), (Texts{"\r\n100%"}));
    EXPECT_EQ(refs::priceInserts(false, true), (Texts{"\r\n200%"}));
}

}  // namespace
}  // namespace quill::dialogs
