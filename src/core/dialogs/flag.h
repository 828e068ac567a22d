#pragma once
// The Check Flag dialog's rule: a flag number and a true/false choice make
// one flag test line.

#include <string>
#include <string_view>
#include <vector>

namespace quill::dialogs::flag {

// The flag box takes at most this many characters.
inline constexpr int kMaxFlagLength = 3;

// The entries of the true/false list, in the order offered.
const std::vector<std::string>& choices();

// "Check [" + flag + "] " + "1" when the choice is exactly "True", else "0".
// The flag is written as typed (empty too) and the line carries no line
// break: it completes the line its catalogue row opened.
std::string line(std::string_view flagText, std::string_view choice);

}  // namespace quill::dialogs::flag
