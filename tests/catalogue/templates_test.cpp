#include "catalogue/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/builtin_names.h"

namespace quill::catalogue {
namespace {

// Each line as the user reads it, then how many backslashes close it.
struct Line {
    const char* text;
    int backslashes;
};

std::vector<Line> merchant(const char* greeting, const char* buy, const char* sell, const char* repair,
                           const char* purchase) {
    return {{";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3", 0},
            {";Template Created By Tarnhollow On The 23/12/2003", 0},
            {"[@main]", 0},
            {"#SAY", 0},
            {greeting, 1},
            {"How Can I Help You Today?", 2},
            {buy, 1},
            {sell, 1},
            {repair, 1},
            {"It's Ok, <I'm Just Looking/@exit>", 0},
            {"", 0},
            {"[@buy]", 0},
            {"#SAY", 0},
            {purchase, 2},
            {"<Main/@main>", 0},
            {"", 0},
            {"[@sell]", 0},
            {"#SAY", 0},
            {"Please Place The Item To Be Sold In The Tray", 2},
            {"<Main/@main>", 0},
            {"", 0},
            {"[@repair]", 0},
            {"#SAY", 0},
            {"Place The Item You Wish Me To Repair In The Tray Below...", 2},
            {"<Main/@main>", 0}};
}

const std::vector<Line> kTeleporter = {
    {";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3", 0},
    {";Template Created By Tarnhollow On The 23/12/2003", 0},
    {"[@main]", 0},
    {"#SAY", 0},
    {"Hello <$USERNAME>, There Are A Select Few Of The Citizens Of Mir", 1},
    {"That Have Learnt The Skills Of Old", 1},
    {"These Skills Allow Us To Teleport Ourselves And Other People.", 1},
    {"This Skill Uses A Lot Of Our Bodies Energy, That Is Why We Charge For Our Services", 2},
    {"I Can Take You To These <Places/@tele_list1>", 1},
    {"No Thanks, I Think I'll <Start Walking/@exit>", 0},
    {"", 0},
    {"[@tele_list1]", 0},
    {"#SAY", 0},
    {"Locations", 1},
    {"<Location1/@move_1>", 1},
    {"<Location2/@move_2>", 1},
    {"", 0},
    {"[@move_1]", 0},
    {";Put Teleport Code Here", 0},
    {"", 0},
    {"[@move_2]", 0},
    {";Put Teleport Code Here", 0}};

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t brk = text.find("\r\n", start);
        lines.push_back(text.substr(start, brk == std::string::npos ? std::string::npos : brk - start));
        if (brk == std::string::npos) return lines;
        start = brk + 2;
    }
}

TEST(Templates, EachKindMatchesItsLinesExactly) {
    const std::vector<std::vector<Line>> expected = {
        merchant("Hello <$USERNAME>, Welcome To My Armoury.", "I Would Like To <Buy/@buy> A Weapon",
                 "I Would Like To <Sell/@sell> A Weapon", "I Would Like You To <Fix/@repair> A Weapon For Me",
                 "Please Choose Which Armourment You Wish To Purchase"),
        merchant("Hello <$USERNAME>, Welcome To My Boutique.", "I Would Like To <Buy/@buy> Some Armour",
                 "I Would Like To <Sell/@sell> Some Armour", "I Would Like You To <Fix/@repair> My Armour",
                 "Please Choose Which Armour You Wish To Purchase"),
        merchant("Hello <$USERNAME>, Welcome To My Jewelry Store.",
                 "I Would Like To <Buy/@buy> Some Of Your Fine Jewelry", "I Would Like To <Sell/@sell> Some Jewelry",
                 "I Would Like You To <Fix/@repair> Some Jewelry For Me",
                 "Please Choose Which Jewelry You Wish To Purchase"),
        kTeleporter};
    for (int kind = 1; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        const std::string text = templateText(kind);
        // Nothing after the last line; stray CRs or LFs show up inside the lines below.
        EXPECT_NE(text.back(), '\n');
        const std::vector<std::string> lines = splitCrLf(text);
        const auto& want = expected[static_cast<std::size_t>(kind - 1)];
        ASSERT_EQ(lines.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(lines[i], std::string(want[i].text) + std::string(static_cast<std::size_t>(want[i].backslashes), '\\'));
            EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos);
        }
    }
    EXPECT_EQ(templateText(0), "");
    EXPECT_EQ(templateText(5), "");
}

TEST(Templates, TreeNodesChooseKindsByExactText) {
    const std::vector<TemplateNode> want = {{"Merchant NPC's", "M", ""},     {"Weapon Merchant", "M1", "M"},
                                            {"Armour Merchant", "M2", "M"},  {"Jewelry Merchant", "M3", "M"},
                                            {"Teleport NPC", "T", ""},       {"Teleporter", "T1", "T"}};
    const auto& nodes = templateNodes();
    ASSERT_EQ(nodes.size(), want.size());
    const int kinds[] = {0, 1, 2, 3, 0, 4};
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(nodes[i].text, want[i].text);
        EXPECT_EQ(nodes[i].key, want[i].key);
        EXPECT_EQ(nodes[i].parentKey, want[i].parentKey);
        EXPECT_EQ(templateKindForNode(nodes[i].text), kinds[i]) << nodes[i].text;
    }
    EXPECT_EQ(templateKindForNode("weapon merchant"), 0);
    EXPECT_EQ(templateKindForNode("Teleporter "), 0);
    EXPECT_EQ(paneRows(), (std::vector<std::string>{"--Menu Headers--", "--Templates--"}));
}

TEST(BuiltInNames, RowsInOrderAndThePickBound) {
    const std::vector<std::string> want = {
        "Built In Menu's And Variables...", "<$USERNAME>", "<$USERWEAPON>", "@s_repair", "@buy", "@sell",
        "@repair", "@makedrug", "@prices", "@storage", "@getback", "@upgradenow", "@getbackupgnow", "@exit",
        "~@upgradenow_ing", "~@upgradenow_ok", "~@upgradenow_fail", "~@getbackupgnow_ok", "~@getbackupgnow_ing",
        "~@getbackupgnow_fail", "@@buildguildnow", "@@guildwar", "@@donate", "@requestcastlewarnow",
        "@@withdrawal", "@main", "@@receipts", "@openmaindoor", "@closemaindoor", "@repairdoornow",
        "@repairwallnow1", "@repairwallnow2", "@repairwallnow3", "@hireguardnow", "@hireguards",
        "@hirearchernow"};
    EXPECT_EQ(builtInNames(), want);

    using Inserts = std::vector<std::string>;
    const struct {
        int index;
        const char* text;
        Inserts inserts;
    } picks[] = {{-1, "", {}},
                 {0, "Built In Menu's And Variables...", {}},
                 {1, "<$USERNAME>", {"\r\n", "<$USERNAME>"}},
                 {21, "@@guildwar", {"\r\n", "@@guildwar"}},
                 {35, "@hirearchernow", {"\r\n", "@hirearchernow"}},
                 {99, "x", {"\r\n", "x"}},
                 {100, "x", {}}};
    for (const auto& p : picks) EXPECT_EQ(builtInNamePick(p.index, p.text), p.inserts) << p.index;
}

}  // namespace
}  // namespace quill::catalogue
