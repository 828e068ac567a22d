#include "catalogue/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/builtin_names.h"

namespace quill::catalogue {
namespace {

using Lines = std::vector<std::string>;

const Lines kBanner = {";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3",
                       ";Template Created By Tarnhollow On The 23/12/2003", "[@main]", "#SAY"};

// What sets the three merchants apart: greeting, buy, sell, repair, purchase.
const Lines kMerchants[] = {
    {"Hello <$USERNAME>, Welcome To My Armoury.", "I Would Like To <Buy/@buy> A Weapon",
     "I Would Like To <Sell/@sell> A Weapon", "I Would Like You To <Fix/@repair> A Weapon For Me",
     "Please Choose Which Armourment You Wish To Purchase"},
    {"Hello <$USERNAME>, Welcome To My Boutique.", "I Would Like To <Buy/@buy> Some Armour",
     "I Would Like To <Sell/@sell> Some Armour", "I Would Like You To <Fix/@repair> My Armour",
     "Please Choose Which Armour You Wish To Purchase"},
    {"Hello <$USERNAME>, Welcome To My Jewelry Store.", "I Would Like To <Buy/@buy> Some Of Your Fine Jewelry",
     "I Would Like To <Sell/@sell> Some Jewelry", "I Would Like You To <Fix/@repair> Some Jewelry For Me",
     "Please Choose Which Jewelry You Wish To Purchase"},
};

// The banner and then the lines, joined by CR LF, nothing after the last.
std::string crlf(const Lines& lines) {
    std::string text;
    for (const std::string& line : kBanner) text += line + "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

TEST(Templates, EachKindMatchesItsLinesAndNodesChooseByExactText) {
    for (int kind = 1; kind <= 3; ++kind) {
        const Lines& m = kMerchants[kind - 1];
        EXPECT_EQ(templateText(kind),
                  crlf({m[0] + "\\", "How Can I Help You Today?\\\\", m[1] + "\\", m[2] + "\\", m[3] + "\\",
                        "It's Ok, <I'm Just Looking/@exit>", "", "[@buy]", "#SAY", m[4] + "\\\\", "<Main/@main>", "",
                        "[@sell]", "#SAY", "Please Place The Item To Be Sold In The Tray\\\\", "<Main/@main>", "",
                        "[@repair]", "#SAY", "Place The Item You Wish Me To Repair In The Tray Below...\\\\",
                        "<Main/@main>"}))
            << kind;
    }
    EXPECT_EQ(templateText(4),
              crlf({"Hello <$USERNAME>, There Are A Select Few Of The Citizens Of Mir\\",
                    "That Have Learnt The Skills Of Old\\",
                    "These Skills Allow Us To Teleport Ourselves And Other People.\\",
                    "This Skill Uses A Lot Of Our Bodies Energy, That Is Why We Charge For Our Services\\\\",
                    "I Can Take You To These <Places/@tele_list1>\\",
                    "No Thanks, I Think I'll <Start Walking/@exit>", "", "[@tele_list1]", "#SAY", "Locations\\",
                    "<Location1/@move_1>\\", "<Location2/@move_2>\\", "", "[@move_1]", ";Put Teleport Code Here", "",
                    "[@move_2]", ";Put Teleport Code Here"}));
    EXPECT_EQ(templateText(0) + templateText(5), "");
    // The tree's nodes themselves are checked where the window shows them.
    const std::pair<const char*, int> kinds[] = {{"Merchant NPC's", 0}, {"Weapon Merchant", 1}, {"Armour Merchant", 2},
                                                 {"Jewelry Merchant", 3}, {"Teleport NPC", 0}, {"Teleporter", 4},
                                                 {"weapon merchant", 0}, {"Teleporter ", 0}};
    for (const auto& [text, kind] : kinds) EXPECT_EQ(templateKindForNode(text), kind) << text;
    EXPECT_EQ(paneRows(), (Lines{"--Menu Headers--", "--Templates--"}));
}

TEST(BuiltInNames, RowsInOrderAndThePickBound) {
    EXPECT_EQ(builtInNames(),
              (Lines{"Built In Menu's And Variables...", "<$USERNAME>", "<$USERWEAPON>", "@s_repair", "@buy", "@sell",
                     "@repair", "@makedrug", "@prices", "@storage", "@getback", "@upgradenow", "@getbackupgnow",
                     "@exit", "~@upgradenow_ing", "~@upgradenow_ok", "~@upgradenow_fail", "~@getbackupgnow_ok",
                     "~@getbackupgnow_ing", "~@getbackupgnow_fail", "@@buildguildnow", "@@guildwar", "@@donate",
                     "@requestcastlewarnow", "@@withdrawal", "@main", "@@receipts", "@openmaindoor",
                     "@closemaindoor", "@repairdoornow", "@repairwallnow1", "@repairwallnow2", "@repairwallnow3",
                     "@hireguardnow", "@hireguards", "@hirearchernow"}));
    for (int index : {-1, 0, 100}) EXPECT_EQ(builtInNamePick(index, "x"), Lines{}) << index;
    for (int index : {1, 99}) EXPECT_EQ(builtInNamePick(index, "x"), (Lines{"\r\n", "x"})) << index;
}

}  // namespace
}  // namespace quill::catalogue
