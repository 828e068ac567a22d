#include "catalogue/catalogue.h"

#include <array>
#include <cstddef>

#include "shell/app_info.h"

namespace quill::catalogue {
namespace {

enum class Kind {
    Title,    // the picker's own heading; picking it does nothing
    Header,   // a group heading: only a line break
    Command,  // a line break, then the snippet
    Hour,     // like Command, but the snippet comes from the caption shown
    Dialog,   // a line break, then a helper dialog writes the rest
};

struct Row {
    std::string_view caption;
    std::string_view snippet;
    Kind kind;
    Dialog dialog = Dialog::None;
};

// Snippets that span lines carry their own CRLFs so they go in as one
// InsertText call and undo as one step.
constexpr std::array<Row, kRowCount> kRows{{
    {"NPC Command List...", "", Kind::Title},
    {"--Menu Commands--", "", Kind::Header},
    {"#IF", "#IF", Kind::Command},
    {"#SAY/#ELSESAY", "#SAY\r\nText\r\n#ELSESAY\r\nText", Kind::Command},
    {"#ACT", "#ACT", Kind::Command},
    {"#ELSEACT", "#ELSEACT", Kind::Command},
    {"#CALL", "#CALL [filename.txt] @menuname", Kind::Command},
    {"#SETHOME", "#SETHOME @menu", Kind::Command},
    {"#INCLUDE", "#Include filename.def", Kind::Command},
    {"<Menu/@menu>", "<Menu/@menu>", Kind::Command},
    {"--Check Commands--", "", Kind::Header},
    {"Check [Flag]", "", Kind::Dialog, Dialog::CheckFlag},
    {"Check Item", "Check itemname ammount", Kind::Command},
    {"Check Gold", "Checkgold ammount", Kind::Command},
    {"Check Bag", "Check Bag space", Kind::Command},
    {"Check Gender", "Check Gender male", Kind::Command},
    {"Check ItemW", "CheckItemW Item Ammount", Kind::Command},
    {"Check Class/Job", "Checkjob Wizard/Warrior/Taoist", Kind::Command},
    {"Check Dura", "CheckDura Item Dura", Kind::Command},
    {"Check DuraEva", "CheckDuraEva Item Dura", Kind::Command},
    {"Check PK Point", "CheckPKPoint Number", Kind::Command},
    {"Check Lucky Point", "CheckLuckyPoint Number", Kind::Command},
    {"Check Mon Map", "CheckMonMap Mapname 1", Kind::Command},
    {"Check Human", "CheckHum Mapname Ammount", Kind::Command},
    {"Check Baggage", "CheckBaggage", Kind::Command},
    {"--Give/Take Items--", "", Kind::Header},
    {"Give Item", "Give Item Ammount", Kind::Command},
    {"Take Item", "Take Item Ammount", Kind::Command},
    {"IsTakeItem", "IsTakeItem Item", Kind::Command},
    {"TakeW", "TakeW Item Ammount", Kind::Command},
    {"TakeCheckItem", "TakeCheckItem", Kind::Command},
    {"--Map Commands--", "", Kind::Header},
    {"Mapmove", "Mapmove Mapname", Kind::Command},
    {"Map", "Map Mapname", Kind::Command},
    {"Recall Map", "RecallMap Mapname", Kind::Command},
    {"Exchange Map", "ExchangeMap Mapname", Kind::Command},
    {"--Batch Commands--", "", Kind::Header},
    {"Batch Editor", "", Kind::Dialog, Dialog::BatchCreator},
    {"Batch Delay", "Batchdelay seconds", Kind::Command},
    {"Batch Item", "Batch mapname", Kind::Command},
    {"Batch Move", "Batchmove", Kind::Command},
    {"--Daytime Commands--", "", Kind::Header},
    {"Daytime Day", "Daytime Day", Kind::Command},
    {"Daytime Night", "Daytime Night", Kind::Command},
    {"Daytime Sunrise", "Daytime Sunrise", Kind::Command},
    {"Daytime Sunset", "Daytime Sunset", Kind::Command},
    {"--Hour Commands--", "", Kind::Header},
    {"Hour 1", "", Kind::Hour},
    {"Hour 2", "", Kind::Hour},
    {"Hour 3", "", Kind::Hour},
    {"Hour 4", "", Kind::Hour},
    {"Hour 5", "", Kind::Hour},
    {"Hour 6", "", Kind::Hour},
    {"Hour 7", "", Kind::Hour},
    {"Hour 8", "", Kind::Hour},
    {"Hour 9", "", Kind::Hour},
    {"Hour 10", "", Kind::Hour},
    {"Hour 11", "", Kind::Hour},
    {"Hour 12", "", Kind::Hour},
    {"Hour 13", "", Kind::Hour},
    {"Hour 14", "", Kind::Hour},
    {"Hour 15", "", Kind::Hour},
    {"Hour 16", "", Kind::Hour},
    {"Hour 17", "", Kind::Hour},
    {"Hour 18", "", Kind::Hour},
    {"Hour 19", "", Kind::Hour},
    {"Hour 20", "", Kind::Hour},
    {"Hour 21", "", Kind::Hour},
    {"Hour 22", "", Kind::Hour},
    {"Hour 23", "", Kind::Hour},
    {"Hour 24", "", Kind::Hour},
    {"--DayOfWeek Commands--", "", Kind::Header},
    {"Sunday", "DayOfWeek Sunday", Kind::Command},
    {"Monday", "DayOfWeek Monday", Kind::Command},
    {"Tuesday", "DayOfWeek Tuesday", Kind::Command},
    {"Wednesday", "DayOfWeek Wednesday", Kind::Command},
    {"Thursday", "DayOfWeek Thursday", Kind::Command},
    {"Friday", "DayOfWeek Friday", Kind::Command},
    {"Saturday", "DayOfWeek Saturday", Kind::Command},
    {"--Namelist Commands--", "", Kind::Header},
    {"Check Name List", "CheckNameList NameListFile.txt", Kind::Command},
    {"Add Name List", "AddNameList NameListFile.txt", Kind::Command},
    {"Del Name List", "DelNameList NameListFile.txt", Kind::Command},
    {"--Casino Commands--", "", Kind::Header},
    {"Casino Editor", "", Kind::Dialog, Dialog::DiceScripter},
    {"--Set Commands--", "", Kind::Header},
    {"Set", "Set [###] 1/0", Kind::Command},
    {"Reset", "Reset [###] Number ;Number Is Optional", Kind::Command},
    {"--Menu Link Functions--", "", Kind::Header},
    {"Close Menu", "Close", Kind::Command},
    {"Break", "Break", Kind::Command},
    {"Goto", "Goto @menu", Kind::Command},
    {"--Time Recall Commands--", "", Kind::Header},
    {"Time Recall", "TimeRecall Minutes", Kind::Command},
    {"Break Time Recall", "BreakTimeRecall", Kind::Command},
    {"--Mob Spawn Commands--", "", Kind::Header},
    {"Param1", "Param1 Mapname", Kind::Command},
    {"Param2", "Param2 X", Kind::Command},
    {"Param3", "Param3 Y", Kind::Command},
    {"Mongen", "Mongen Monster Ammount Scope", Kind::Command},
    {"Full Mongen Script", "Param1 Mapname\r\nParam2 X\r\nParam3 Y\r\nMongen Monster Ammount Scope", Kind::Command},
    {"Mon Clear", "MonClear Mapname", Kind::Command},
    {"--String Commands--", "", Kind::Header},
    {"Mov", "Mov p9/d0/d9 Number ;Delete As Required", Kind::Command},
    // The doubled blank is what this row has always inserted; scripts in the
    // wild carry it, so it stays.
    {"MovR", "MovR p9/d0/d9  Number ;Delete As Required", Kind::Command},
    {"Inc", "Inc p9/d0/d9 Number ;Delete As Required", Kind::Command},
    {"Dec", "Dec d9 Number", Kind::Command},
    {"Sum", "Sum Number ;You Can Use More Than 1 Number(Devided By A Space)", Kind::Command},
    {"--Marriage Commands--", "", Kind::Header},
    {"Check Marriage Status Of Current Player", "CheckMarry Alre", Kind::Command},
    {"Check Position", "CheckMarry Poin", Kind::Command},
    {"Check Marriage Level", "CheckMarry Opelevel Level", Kind::Command},
    {"Check Marriage Status Of Groom/Bride", "CheckMarry mariedl", Kind::Command},
    {"Marriage Proposal", "Marry aski", Kind::Command},
    {"--Pet Rental Commands--", "", Kind::Header},
    {"Check Mob Space", "Checkmarry Ammount", Kind::Command},
    {"Give Mob To Player", "Marry Mob Monster", Kind::Command},
    {"--Name Colour Commands--", "", Kind::Header},
    {"Change NameColor", "Marry Namecolor Number", Kind::Command},
}};

constexpr bool looksLikeHeader(std::string_view caption) {
    return caption.size() >= 4 && caption.starts_with("--") && caption.ends_with("--");
}

// A row whose kind disagrees with its caption or snippet is a typo in the
// table above; catch it while compiling rather than in the picker.
constexpr bool tableIsConsistent() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const Row& row = kRows[i];
        if ((row.kind == Kind::Title) != (i == 0)) return false;
        if ((row.kind == Kind::Header) != looksLikeHeader(row.caption)) return false;
        if ((row.kind == Kind::Dialog) != (row.dialog != Dialog::None)) return false;
        if ((row.kind == Kind::Command) == row.snippet.empty()) return false;
        if (row.kind == Kind::Hour && !row.caption.starts_with("Hour ")) return false;
        if (row.snippet.starts_with(kCrLf) || row.snippet.ends_with(kCrLf)) return false;
    }
    return true;
}
static_assert(tableIsConsistent());

// "Hour 7" gives "Hour  7": the last two characters keep the number right
// aligned, so one-digit hours get a second blank.
std::string hourSnippet(std::string_view caption) {
    const std::string_view tail = caption.size() >= 2 ? caption.substr(caption.size() - 2) : caption;
    std::string snippet = "Hour ";
    snippet.append(tail);
    return snippet;
}

}  // namespace

const std::vector<std::string>& captions() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> out;
        out.reserve(kRows.size());
        for (const Row& row : kRows) out.emplace_back(row.caption);
        return out;
    }();
    return list;
}

Pick pick(int index, std::string_view caption) {
    Pick result;
    if (index < 1 || index >= kRowCount) return result;
    const Row& row = kRows[static_cast<std::size_t>(index)];

    result.inserts.emplace_back(kCrLf);
    switch (row.kind) {
        case Kind::Title:
        case Kind::Header: break;
        case Kind::Command: result.inserts.emplace_back(row.snippet); break;
        case Kind::Hour: result.inserts.push_back(hourSnippet(caption)); break;
        case Kind::Dialog: result.dialog = row.dialog; break;
    }
    return result;
}

}  // namespace quill::catalogue
