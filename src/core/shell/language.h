#pragma once
// The editor language read from "NPC Script.ini": ten lists, each kept as the
// editor takes it, one text with its items separated by line feeds.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quill::language {

inline constexpr std::string_view kSection = "Definition";
inline constexpr std::string_view kLanguageName = "NPC Script";

enum List : std::size_t {
    Keywords,
    Operators,
    SingleLineComments,
    MultilineComments1,
    MultilineComments2,
    StringDelimiter,
    TagAttributeNames,
    TagElementNames,
    ScopeKeywords1,
    ScopeKeywords2,
    ListCount
};

// The keys in the order they are read; index by List.
inline constexpr std::array<std::string_view, ListCount> kKeys = {
    "Keywords",         "Operators",           "Single Line Comments", "Multiline Comments 1", "Multiline Comments 2",
    "String Delimiter", "Tag Attribute Names", "Tag Element Names",    "ScopeKeywords1",       "ScopeKeywords2"};

struct LanguageDefinition {
    // Off: keywords match whatever their letter case.
    bool caseSensitive = false;
    std::array<std::string, ListCount> lists;
};

// An INI value as a list: every "," becomes a line feed, nothing else changes.
std::string toList(std::string value);

// The items of a list; empty items (two separators in a row, one at the end)
// are part of the list and kept.
std::vector<std::string> items(std::string_view list);

// Reads the ten keys of section "Definition" of `iniFile` in order; a missing
// file, section or key gives an empty list. The file is read once; each value
// as ini::lookupText reads it.
LanguageDefinition readDefinition(const std::string& iniFile);

}  // namespace quill::language
