#pragma once
// The command picker's rows: what each one is called and what picking it puts
// into the script. Kept free of any widget code so the table can be checked
// on its own; the picker window only shows captions() and acts on pick().

#include <string>
#include <string_view>
#include <vector>

namespace quill::catalogue {

enum class Dialog { None, CheckFlag, BatchCreator, DiceScripter };

// Number of rows in the command picker.
inline constexpr int kRowCount = 119;

// The captions in the order the picker lists them; row 0 is the title row.
const std::vector<std::string>& captions();

// What picking a row does. Each element of `inserts` is one separate
// InsertText call on the editor, made in order; `dialog` opens afterwards.
struct Pick {
    std::vector<std::string> inserts;
    Dialog dialog = Dialog::None;
};

// `caption` is what the picker shows for `index`. The hour rows take their
// snippet from it rather than from the table, so a relabelled hour row still
// inserts the hour it shows. Row 0 and indexes outside the table give an
// empty Pick.
Pick pick(int index, std::string_view caption);

}  // namespace quill::catalogue
