#include "catalogue/builtin_names.h"

namespace quill::catalogue {

const std::vector<std::string>& builtInNames() {
    static const std::vector<std::string> rows = {"Built In Menu's And Variables..."};
    return rows;
}

std::vector<std::string> builtInNamePick(int index, std::string_view text) {
    if (index < 1 || index > 99) return {};
    return {"\r\n", std::string(text)};
}

}  // namespace quill::catalogue
