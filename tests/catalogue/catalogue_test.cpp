#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill::catalogue {
namespace {

using Inserts = std::vector<std::string>;

// Written out by hand from the picker's row list, as "caption|snippet" (no
// snippet: the row inserts only the line break). The hours and days come
// from their rule; a one-digit hour is written with two blanks.
std::vector<std::string> expectedRows() {
    std::vector<std::string> rows = {
        "NPC Command List...", "--Menu Commands--", "#IF|#IF", "#SAY/#ELSESAY|#SAY\r\nText\r\n#ELSESAY\r\nText",
        "#ACT|#ACT", "#ELSEACT|#ELSEACT", "#CALL|#CALL [filename.txt] @menuname", "#SETHOME|#SETHOME @menu",
        "#INCLUDE|#Include filename.def", "<Menu/@menu>|<Menu/@menu>", "--Check Commands--", "Check [Flag]",
        "Check Item|Check itemname ammount", "Check Gold|Checkgold ammount", "Check Bag|Check Bag space",
        "Check Gender|Check Gender male", "Check ItemW|CheckItemW Item Ammount",
        "Check Class/Job|Checkjob Wizard/Warrior/Taoist", "Check Dura|CheckDura Item Dura",
        "Check DuraEva|CheckDuraEva Item Dura", "Check PK Point|CheckPKPoint Number",
        "Check Lucky Point|CheckLuckyPoint Number", "Check Mon Map|CheckMonMap Mapname 1",
        "Check Human|CheckHum Mapname Ammount", "Check Baggage|CheckBaggage", "--Give/Take Items--",
        "Give Item|Give Item Ammount", "Take Item|Take Item Ammount", "IsTakeItem|IsTakeItem Item",
        "TakeW|TakeW Item Ammount", "TakeCheckItem|TakeCheckItem", "--Map Commands--", "Mapmove|Mapmove Mapname",
        "Map|Map Mapname", "Recall Map|RecallMap Mapname", "Exchange Map|ExchangeMap Mapname", "--Batch Commands--",
        "Batch Editor", "Batch Delay|Batchdelay seconds", "Batch Item|Batch mapname", "Batch Move|Batchmove",
        "--Daytime Commands--", "Daytime Day|Daytime Day", "Daytime Night|Daytime Night",
        "Daytime Sunrise|Daytime Sunrise", "Daytime Sunset|Daytime Sunset", "--Hour Commands--"};
    for (int h = 1; h <= 24; ++h)
        rows.push_back("Hour " + std::to_string(h) + (h < 10 ? "|Hour  " : "|Hour ") + std::to_string(h));
    rows.push_back("--DayOfWeek Commands--");
    for (const char* day : {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"})
        rows.push_back(std::string(day) + "|DayOfWeek " + day);
    rows.insert(rows.end(), {
        "--Namelist Commands--", "Check Name List|CheckNameList NameListFile.txt",
        "Add Name List|AddNameList NameListFile.txt", "Del Name List|DelNameList NameListFile.txt",
        "--Casino Commands--", "Casino Editor", "--Set Commands--", "Set|Set [###] 1/0",
        "Reset|Reset [###] Number ;Number Is Optional", "--Menu Link Functions--", "Close Menu|Close", "Break|Break",
        "Goto|Goto @menu", "--Time Recall Commands--", "Time Recall|TimeRecall Minutes",
        "Break Time Recall|BreakTimeRecall", "--Mob Spawn Commands--", "Param1|Param1 Mapname", "Param2|Param2 X",
        "Param3|Param3 Y", "Mongen|Mongen Monster Ammount Scope",
        "Full Mongen Script|Param1 Mapname\r\nParam2 X\r\nParam3 Y\r\nMongen Monster Ammount Scope",
        "Mon Clear|MonClear Mapname", "--String Commands--", "Mov|Mov p9/d0/d9 Number ;Delete As Required",
        "MovR|MovR p9/d0/d9  Number ;Delete As Required", "Inc|Inc p9/d0/d9 Number ;Delete As Required",
        "Dec|Dec d9 Number", "Sum|Sum Number ;You Can Use More Than 1 Number(Devided By A Space)",
        "--Marriage Commands--", "Check Marriage Status Of Current Player|CheckMarry Alre",
        "Check Position|CheckMarry Poin", "Check Marriage Level|CheckMarry Opelevel Level",
        "Check Marriage Status Of Groom/Bride|CheckMarry mariedl", "Marriage Proposal|Marry aski",
        "--Pet Rental Commands--", "Check Mob Space|Checkmarry Ammount", "Give Mob To Player|Marry Mob Monster",
        "--Name Colour Commands--", "Change NameColor|Marry Namecolor Number"});
    return rows;
}

TEST(Catalogue, EveryRowHasItsCaptionInsertsAndDialog) {
    const std::vector<std::string> want = expectedRows();
    ASSERT_EQ(want.size(), 119u);
    ASSERT_EQ(captions().size(), want.size());
    for (int i = 0; i < kRowCount; ++i) {
        const std::string& row = want[static_cast<std::size_t>(i)];
        const std::size_t bar = row.find('|');
        const std::string caption = row.substr(0, bar);
        SCOPED_TRACE(testing::Message() << "row " << i << " \"" << caption << "\"");
        EXPECT_EQ(captions()[static_cast<std::size_t>(i)], caption);
        Inserts inserts;
        if (i != 0) inserts.push_back("\r\n");
        if (bar != std::string::npos) inserts.push_back(row.substr(bar + 1));
        const Pick got = pick(i, caption);
        EXPECT_EQ(got.inserts, inserts);
        EXPECT_EQ(got.dialog, i == 11 ? Dialog::CheckFlag : i == 37 ? Dialog::BatchCreator
                              : i == 84 ? Dialog::DiceScripter : Dialog::None);
    }
}

TEST(Catalogue, HourFromTheCaptionShownAndRowsOutsideTheTable) {
    EXPECT_EQ(pick(47, "Hour 23").inserts, (Inserts{"\r\n", "Hour 23"}));
    EXPECT_EQ(pick(70, "Hour 9").inserts, (Inserts{"\r\n", "Hour  9"}));
    for (int outside : {-1, 119}) {
        EXPECT_TRUE(pick(outside, "Hour 5").inserts.empty()) << outside;
        EXPECT_EQ(pick(outside, "Hour 5").dialog, Dialog::None) << outside;
    }
}

}  // namespace
}  // namespace quill::catalogue
