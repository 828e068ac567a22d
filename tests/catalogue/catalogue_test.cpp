#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace quill::catalogue {
namespace {

using Inserts = std::vector<std::string>;

// Written out by hand from the picker's row list, not derived from the
// catalogue: a slip in either one shows up as a mismatch here.
// A null snippet means the row inserts only the line break.
struct ExpectedRow {
    int row;
    const char* caption;
    const char* snippet;
    Dialog dialog = Dialog::None;
};

const ExpectedRow kExpected[] = {
    {0, "NPC Command List...", nullptr},
    {1, "--Menu Commands--", nullptr},
    {2, "#IF", "#IF"},
    {3, "#SAY/#ELSESAY", "#SAY\r\nText\r\n#ELSESAY\r\nText"},
    {4, "#ACT", "#ACT"},
    {5, "#ELSEACT", "#ELSEACT"},
    {6, "#CALL", "#CALL [filename.txt] @menuname"},
    {7, "#SETHOME", "#SETHOME @menu"},
    {8, "#INCLUDE", "#Include filename.def"},
    {9, "<Menu/@menu>", "<Menu/@menu>"},
    {10, "--Check Commands--", nullptr},
    {11, "Check [Flag]", nullptr, Dialog::CheckFlag},
    {12, "Check Item", "Check itemname ammount"},
    {13, "Check Gold", "Checkgold ammount"},
    {14, "Check Bag", "Check Bag space"},
    {15, "Check Gender", "Check Gender male"},
    {16, "Check ItemW", "CheckItemW Item Ammount"},
    {17, "Check Class/Job", "Checkjob Wizard/Warrior/Taoist"},
    {18, "Check Dura", "CheckDura Item Dura"},
    {19, "Check DuraEva", "CheckDuraEva Item Dura"},
    {20, "Check PK Point", "CheckPKPoint Number"},
    {21, "Check Lucky Point", "CheckLuckyPoint Number"},
    {22, "Check Mon Map", "CheckMonMap Mapname 1"},
    {23, "Check Human", "CheckHum Mapname Ammount"},
    {24, "Check Baggage", "CheckBaggage"},
    {25, "--Give/Take Items--", nullptr},
    {26, "Give Item", "Give Item Ammount"},
    {27, "Take Item", "Take Item Ammount"},
    {28, "IsTakeItem", "IsTakeItem Item"},
    {29, "TakeW", "TakeW Item Ammount"},
    {30, "TakeCheckItem", "TakeCheckItem"},
    {31, "--Map Commands--", nullptr},
    {32, "Mapmove", "Mapmove Mapname"},
    {33, "Map", "Map Mapname"},
    {34, "Recall Map", "RecallMap Mapname"},
    {35, "Exchange Map", "ExchangeMap Mapname"},
    {36, "--Batch Commands--", nullptr},
    {37, "Batch Editor", nullptr, Dialog::BatchCreator},
    {38, "Batch Delay", "Batchdelay seconds"},
    {39, "Batch Item", "Batch mapname"},
    {40, "Batch Move", "Batchmove"},
    {41, "--Daytime Commands--", nullptr},
    {42, "Daytime Day", "Daytime Day"},
    {43, "Daytime Night", "Daytime Night"},
    {44, "Daytime Sunrise", "Daytime Sunrise"},
    {45, "Daytime Sunset", "Daytime Sunset"},
    {46, "--Hour Commands--", nullptr},
    {47, "Hour 1", "Hour  1"},   {48, "Hour 2", "Hour  2"},   {49, "Hour 3", "Hour  3"},
    {50, "Hour 4", "Hour  4"},   {51, "Hour 5", "Hour  5"},   {52, "Hour 6", "Hour  6"},
    {53, "Hour 7", "Hour  7"},   {54, "Hour 8", "Hour  8"},   {55, "Hour 9", "Hour  9"},
    {56, "Hour 10", "Hour 10"},  {57, "Hour 11", "Hour 11"},  {58, "Hour 12", "Hour 12"},
    {59, "Hour 13", "Hour 13"},  {60, "Hour 14", "Hour 14"},  {61, "Hour 15", "Hour 15"},
    {62, "Hour 16", "Hour 16"},  {63, "Hour 17", "Hour 17"},  {64, "Hour 18", "Hour 18"},
    {65, "Hour 19", "Hour 19"},  {66, "Hour 20", "Hour 20"},  {67, "Hour 21", "Hour 21"},
    {68, "Hour 22", "Hour 22"},  {69, "Hour 23", "Hour 23"},  {70, "Hour 24", "Hour 24"},
    {71, "--DayOfWeek Commands--", nullptr},
    {72, "Sunday", "DayOfWeek Sunday"},
    {73, "Monday", "DayOfWeek Monday"},
    {74, "Tuesday", "DayOfWeek Tuesday"},
    {75, "Wednesday", "DayOfWeek Wednesday"},
    {76, "Thursday", "DayOfWeek Thursday"},
    {77, "Friday", "DayOfWeek Friday"},
    {78, "Saturday", "DayOfWeek Saturday"},
    {79, "--Namelist Commands--", nullptr},
    {80, "Check Name List", "CheckNameList NameListFile.txt"},
    {81, "Add Name List", "AddNameList NameListFile.txt"},
    {82, "Del Name List", "DelNameList NameListFile.txt"},
    {83, "--Casino Commands--", nullptr},
    {84, "Casino Editor", nullptr, Dialog::DiceScripter},
    {85, "--Set Commands--", nullptr},
    {86, "Set", "Set [###] 1/0"},
    {87, "Reset", "Reset [###] Number ;Number Is Optional"},
    {88, "--Menu Link Functions--", nullptr},
    {89, "Close Menu", "Close"},
    {90, "Break", "Break"},
    {91, "Goto", "Goto @menu"},
    {92, "--Time Recall Commands--", nullptr},
    {93, "Time Recall", "TimeRecall Minutes"},
    {94, "Break Time Recall", "BreakTimeRecall"},
    {95, "--Mob Spawn Commands--", nullptr},
    {96, "Param1", "Param1 Mapname"},
    {97, "Param2", "Param2 X"},
    {98, "Param3", "Param3 Y"},
    {99, "Mongen", "Mongen Monster Ammount Scope"},
    {100, "Full Mongen Script",
     "Param1 Mapname\r\nParam2 X\r\nParam3 Y\r\nMongen Monster Ammount Scope"},
    {101, "Mon Clear", "MonClear Mapname"},
    {102, "--String Commands--", nullptr},
    {103, "Mov", "Mov p9/d0/d9 Number ;Delete As Required"},
    {104, "MovR", "MovR p9/d0/d9  Number ;Delete As Required"},
    {105, "Inc", "Inc p9/d0/d9 Number ;Delete As Required"},
    {106, "Dec", "Dec d9 Number"},
    {107, "Sum", "Sum Number ;You Can Use More Than 1 Number(Devided By A Space)"},
    {108, "--Marriage Commands--", nullptr},
    {109, "Check Marriage Status Of Current Player", "CheckMarry Alre"},
    {110, "Check Position", "CheckMarry Poin"},
    {111, "Check Marriage Level", "CheckMarry Opelevel Level"},
    {112, "Check Marriage Status Of Groom/Bride", "CheckMarry mariedl"},
    {113, "Marriage Proposal", "Marry aski"},
    {114, "--Pet Rental Commands--", nullptr},
    {115, "Check Mob Space", "Checkmarry Ammount"},
    {116, "Give Mob To Player", "Marry Mob Monster"},
    {117, "--Name Colour Commands--", nullptr},
    {118, "Change NameColor", "Marry Namecolor Number"},
};

TEST(Catalogue, EveryRowHasItsCaptionAndInserts) {
    const auto& list = captions();
    ASSERT_EQ(list.size(), static_cast<std::size_t>(kRowCount));
    ASSERT_EQ(std::size(kExpected), static_cast<std::size_t>(kRowCount));

    for (int i = 0; i < kRowCount; ++i) {
        const ExpectedRow& want = kExpected[i];
        SCOPED_TRACE(testing::Message() << "row " << i << " \"" << want.caption << "\"");
        ASSERT_EQ(want.row, i) << "expected table out of order";
        EXPECT_EQ(list[i], want.caption);

        Inserts inserts;
        if (i != 0) inserts.push_back("\r\n");
        if (want.snippet != nullptr) inserts.push_back(want.snippet);

        const Pick got = pick(i, list[i]);
        EXPECT_EQ(got.inserts, inserts);
        EXPECT_EQ(got.dialog, want.dialog);
    }
}

// The cases most likely to break when the table or the pick logic is edited.
TEST(Catalogue, EdgeCases) {
    struct Case {
        const char* name;
        int index;
        const char* caption;
        Inserts inserts;
        Dialog dialog = Dialog::None;
    };
    const Case cases[] = {
        {"title row does nothing", 0, "NPC Command List...", {}},
        {"header is one line break", 1, "--Menu Commands--", {"\r\n"}},
        {"last header", 117, "--Name Colour Commands--", {"\r\n"}},
        {"command is two calls", 13, "Check Gold", {"\r\n", "Checkgold ammount"}},
        {"multi-line say, one call, no trailing break", 3, "#SAY/#ELSESAY",
         {"\r\n", "#SAY\r\nText\r\n#ELSESAY\r\nText"}},
        {"multi-line mongen, one call, no trailing break", 100, "Full Mongen Script",
         {"\r\n", "Param1 Mapname\r\nParam2 X\r\nParam3 Y\r\nMongen Monster Ammount Scope"}},
        {"one-digit hour gets two blanks", 51, "Hour 5", {"\r\n", "Hour  5"}},
        {"two-digit hour gets one", 56, "Hour 10", {"\r\n", "Hour 10"}},
        {"hour comes from the caption shown", 47, "Hour 23", {"\r\n", "Hour 23"}},
        {"include keeps its mixed case", 8, "#INCLUDE", {"\r\n", "#Include filename.def"}},
        {"MovR keeps its doubled blank", 104, "MovR",
         {"\r\n", "MovR p9/d0/d9  Number ;Delete As Required"}},
        {"check flag dialog", 11, "Check [Flag]", {"\r\n"}, Dialog::CheckFlag},
        {"batch dialog", 37, "Batch Editor", {"\r\n"}, Dialog::BatchCreator},
        {"casino dialog", 84, "Casino Editor", {"\r\n"}, Dialog::DiceScripter},
        {"below the table", -1, "Hour 5", {}},
        {"past the table", 119, "Hour 5", {}},
        {"far past the table", 1000, "Change NameColor", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Pick got = pick(c.index, c.caption);
        EXPECT_EQ(got.inserts, c.inserts);
        EXPECT_EQ(got.dialog, c.dialog);
    }
}

TEST(Catalogue, CaptionLandmarks) {
    const auto& list = captions();
    ASSERT_EQ(list.size(), 119u);
    const std::pair<int, const char*> landmarks[] = {
        {0, "NPC Command List..."},
        {47, "Hour 1"},
        {70, "Hour 24"},
        {71, "--DayOfWeek Commands--"},
        {118, "Change NameColor"},
    };
    for (const auto& [index, caption] : landmarks) EXPECT_EQ(list[index], caption) << "row " << index;
}

}  // namespace
}  // namespace quill::catalogue
