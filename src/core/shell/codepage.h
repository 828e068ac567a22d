#pragma once
// The Windows ANSI code page of the user's language, and text in such a code
// page. Scripts that are not Unicode were written on Windows in the code page
// of the writer's language (GBK for simplified Chinese, 949 for Korean, 1251
// for Cyrillic, ...), so the user's own language says how to read them.

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::codepage {

// The Western European code page, which our own table reads and writes.
inline constexpr int kWestern = 1252;

// The ANSI code page Windows gives the language of a POSIX locale name,
// "language[_TERRITORY][.codeset][@modifier]"; kWestern for "C", "POSIX",
// an empty name and every language Windows reads in Western code page.
int forLocale(std::string_view locale);

// The code page of the locale that decides character types: the first of
// LC_ALL, LC_CTYPE and LANG that is set and not empty (null means unset).
int forEnvironment(const char* lcAll, const char* lcCtype, const char* lang);

// forEnvironment of this process's own variables.
int ofThisProcess();

// Turns `bytes` of `codePage` into UTF-8. False, `utf8` then unspecified,
// unless every byte belongs to a character of the code page and encoding the
// text again gives back exactly `bytes`.
bool decode(std::string_view bytes, int codePage, std::string& utf8);

// Turns UTF-8 text into `codePage`. False when a character cannot be written
// (or the text is not valid UTF-8); `badAt` is then that character's offset.
bool encode(std::string_view utf8, int codePage, std::string& out, std::size_t& badAt);

}  // namespace quill::codepage
