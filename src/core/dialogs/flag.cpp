#include "dialogs/flag.h"

namespace quill::dialogs::flag {

const std::vector<std::string>& choices() {
    static const std::vector<std::string> entries{"True", "False"};
    return entries;
}

std::string line(std::string_view flagText, std::string_view choice) {
    std::string text = "Check [";
    text += flagText;
    text += "] ";
    text += choice == "True" ? "1" : "0";
    return text;
}

}  // namespace quill::dialogs::flag
