#pragma once
// The Merchant References dialog's rules: its tick boxes by group, with the
// code each one stands for, and the price codes.

#include <string>
#include <vector>

namespace quill::dialogs::refs {

enum class Group { Weapon, Armour, Potion };

struct Box {
    const char* name;  // the check box's control name
    const char* caption;
    const char* code;
};

// A group's boxes top to bottom, which is the order their codes go in.
const std::vector<Box>& boxes(Group group);
// The frame caption of a group ("Weapon", "Armour", "Potion").
const char* caption(Group group);

// The texts to insert for a group: CR LF and the code of each ticked box,
// top to bottom. `ticked` follows boxes(group); missing entries count as clear.
std::vector<std::string> groupInserts(Group group, const std::vector<bool>& ticked);

// The price codes: full price wins when both are somehow selected; nothing
// when neither is.
std::vector<std::string> priceInserts(bool fullPrice, bool pkPrice);

}  // namespace quill::dialogs::refs
