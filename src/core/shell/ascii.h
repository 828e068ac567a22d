#pragma once
// Letter case as the INI files and the language lists compare it: the 26
// ASCII letters only, every other byte (UTF-8 included) left as it is.

namespace quill {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace quill
