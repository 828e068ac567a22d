#include "shell/language.h"

#include "shell/ini.h"

namespace quill::language {

std::string toList(std::string value) {
    for (char& c : value)
        if (c == ',') c = '\n';
    return value;
}

std::vector<std::string> items(std::string_view list) {
    std::vector<std::string> out;
    if (list.empty()) return out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t lf = list.find('\n', pos);
        out.emplace_back(list.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos));
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return out;
}

LanguageDefinition readDefinition(const std::string& iniFile) {
    const std::string content = ini::readFile(iniFile);
    LanguageDefinition definition;
    definition.caseSensitive = false;
    for (std::size_t i = 0; i < ListCount; ++i) {
        definition.lists[i] = toList(ini::lookupText(content, kSection, kKeys[i], ""));
    }
    return definition;
}

}  // namespace quill::language
