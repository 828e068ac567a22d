#include "catalogue/templates.h"

#include <array>

#include "shell/app_info.h"

namespace quill::catalogue {
namespace {

// Script lines carry the game's line-continuation backslashes at their ends;
// each line below holds its backslashes as written into the script.
constexpr std::string_view kTemplateDate = ";Template Created By Tarnhollow On The 23/12/2003";

struct MerchantLines {
    std::string_view greeting, buy, sell, repair, purchase;
};

constexpr std::array<MerchantLines, 3> kMerchants = {{
    {"Hello <$USERNAME>, Welcome To My Armoury.\\", "I Would Like To <Buy/@buy> A Weapon\\",
     "I Would Like To <Sell/@sell> A Weapon\\", "I Would Like You To <Fix/@repair> A Weapon For Me\\",
     "Please Choose Which Armourment You Wish To Purchase\\\\"},
    {"Hello <$USERNAME>, Welcome To My Boutique.\\", "I Would Like To <Buy/@buy> Some Armour\\",
     "I Would Like To <Sell/@sell> Some Armour\\", "I Would Like You To <Fix/@repair> My Armour\\",
     "Please Choose Which Armour You Wish To Purchase\\\\"},
    {"Hello <$USERNAME>, Welcome To My Jewelry Store.\\", "I Would Like To <Buy/@buy> Some Of Your Fine Jewelry\\",
     "I Would Like To <Sell/@sell> Some Jewelry\\", "I Would Like You To <Fix/@repair> Some Jewelry For Me\\",
     "Please Choose Which Jewelry You Wish To Purchase\\\\"},
}};

std::vector<std::string_view> merchantLines(const MerchantLines& m) {
    return {kScriptBanner,
            kTemplateDate,
            "[@main]",
            "#SAY",
            m.greeting,
            "How Can I Help You Today?\\\\",
            m.buy,
            m.sell,
            m.repair,
            "It's Ok, <I'm Just Looking/@exit>",
            "",
            "[@buy]",
            "#SAY",
            m.purchase,
            "<Main/@main>",
            "",
            "[@sell]",
            "#SAY",
            "Please Place The Item To Be Sold In The Tray\\\\",
            "<Main/@main>",
            "",
            "[@repair]",
            "#SAY",
            "Place The Item You Wish Me To Repair In The Tray Below...\\\\",
            "<Main/@main>"};
}

std::vector<std::string_view> teleporterLines() {
    return {kScriptBanner,
            kTemplateDate,
            "[@main]",
            "#SAY",
            "Hello <$USERNAME>, There Are A Select Few Of The Citizens Of Mir\\",
            "That Have Learnt The Skills Of Old\\",
            "These Skills Allow Us To Teleport Ourselves And Other People.\\",
            "This Skill Uses A Lot Of Our Bodies Energy, That Is Why We Charge For Our Services\\\\",
            "I Can Take You To These <Places/@tele_list1>\\",
            "No Thanks, I Think I'll <Start Walking/@exit>",
            "",
            "[@tele_list1]",
            "#SAY",
            "Locations\\",
            "<Location1/@move_1>\\",
            "<Location2/@move_2>\\",
            "",
            "[@move_1]",
            ";Put Teleport Code Here",
            "",
            "[@move_2]",
            ";Put Teleport Code Here"};
}

}  // namespace

const std::vector<std::string>& paneRows() {
    static const std::vector<std::string> rows = {std::string(kMenuHeaders), std::string(kPaneTemplates)};
    return rows;
}

const std::vector<TemplateNode>& templateNodes() {
    static const std::vector<TemplateNode> nodes = {
        {"Merchant NPC's", "M", ""},     {"Weapon Merchant", "M1", "M"}, {"Armour Merchant", "M2", "M"},
        {"Jewelry Merchant", "M3", "M"}, {"Teleport NPC", "T", ""},      {"Teleporter", "T1", "T"},
    };
    return nodes;
}

int templateKindForNode(std::string_view nodeText) {
    if (nodeText == "Weapon Merchant") return 1;
    if (nodeText == "Armour Merchant") return 2;
    if (nodeText == "Jewelry Merchant") return 3;
    if (nodeText == "Teleporter") return 4;
    return 0;
}

std::string templateText(int kind) {
    std::vector<std::string_view> lines;
    if (kind >= 1 && kind <= 3) lines = merchantLines(kMerchants[static_cast<std::size_t>(kind - 1)]);
    else if (kind == 4)
        lines = teleporterLines();
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += kCrLf;
        text += lines[i];
    }
    return text;
}

}  // namespace quill::catalogue
