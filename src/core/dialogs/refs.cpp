#include "dialogs/refs.h"

namespace quill::dialogs::refs {

const std::vector<Box>& boxes(Group group) {
    static const std::vector<Box> weapon{
        {"Check1", "Weapon (+5)", "+5"},
        {"Check2", "Weapon (+6)", "+6"},
        {"Check3", "Ore         (+43)", "+43"},
    };
    // Numbered bottom-up on the form; walked top-down.
    static const std::vector<Box> armour{
        {"Check6", "Armour (+10)", "+10"},
        {"Check5", "Armour (+11)", "+11"},
        {"Check4", "Helmet (+15)", "+15"},
    };
    static const std::vector<Box> potion{
        {"Check7", "Potion  (+0)", "+0"},
        {"Check8", "Poison (+42)", "+42"},
    };
    switch (group) {
        case Group::Weapon: return weapon;
        case Group::Armour: return armour;
        case Group::Potion: break;
    }
    return potion;
}

const char* caption(Group group) {
    switch (group) {
        case Group::Weapon: return "Weapon";
        case Group::Armour: return "Armour";
        case Group::Potion: break;
    }
    return "Potion";
}

std::vector<std::string> groupInserts(Group group, const std::vector<bool>& ticked) {
    std::vector<std::string> inserts;
    const std::vector<Box>& all = boxes(group);
    for (std::size_t i = 0; i < all.size() && i < ticked.size(); ++i)
        if (ticked[i]) inserts.push_back(std::string("\r\n") + all[i].code);
    return inserts;
}

std::vector<std::string> priceInserts(bool fullPrice, bool pkPrice) {
    if (fullPrice) return {"\r\n100%"};
    if (pkPrice) return {"\r\n200%"};
    return {};
}

}  // namespace quill::dialogs::refs
