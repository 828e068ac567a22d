#pragma once
// The picker of the script language's built-in menu labels and variables.

#include <string>
#include <string_view>
#include <vector>

namespace quill::catalogue {

// The picker's rows in fill order; row 0 is the title row.
const std::vector<std::string>& builtInNames();

// The texts handed to InsertText, one call each, when row `index` showing
// `text` is chosen: nothing outside rows 1 to 99.
std::vector<std::string> builtInNamePick(int index, std::string_view text);

}  // namespace quill::catalogue
