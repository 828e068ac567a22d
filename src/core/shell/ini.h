#pragma once
// Private-profile INI files, read and written the way the Windows profile
// functions do it: sections and keys are found regardless of letter case,
// blanks around keys and values are ignored on reading, the first section and
// the first key of a name win, one pair of matching quotes around a value is
// dropped, and a write touches only the one line it sets. CR LF, LF and a
// lone CR all end a line. Files are handled as bytes; only lookupText turns a
// value into text.

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::ini {

// A read hands back at most this many characters (a 60000-character buffer
// with one place kept for the terminating NUL): UTF-8 characters when the
// value is UTF-8, else bytes.
inline constexpr std::size_t kMaxValueLength = 59999;

// The value of `key` in `section` of the file contents `content`, or
// `defaultValue` when the section or the key is missing. Cut to
// kMaxValueLength.
std::string lookup(std::string_view content, std::string_view section, std::string_view key,
                   std::string_view defaultValue);

// `content` with `key` in `section` set to `value`: an existing key's line is
// replaced where it stands, a missing key is added after the last entry of
// its section, a missing section is added at the end. Every other byte stays.
std::string update(std::string_view content, std::string_view section, std::string_view key, std::string_view value);

// Whether a section, key and value can be written without breaking the file's
// line structure (no line breaks, no NUL, a key without "=", a section
// without "]", neither of them empty or made of blanks only).
bool writable(std::string_view section, std::string_view key, std::string_view value);

// The bytes of the file `fileName`; a file that cannot be read counts as
// empty, and so does one read as a script is not (a pipe, a device) or
// larger than any INI file is.
std::string readFile(const std::string& fileName);

// lookup() as text: a value that is not UTF-8 is read as Windows-1252, as the
// profile functions read a file in the ANSI code page, and handed back in
// UTF-8 (a UTF-8 byte-order mark dropped).
std::string lookupText(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view defaultValue);

// update() on the file `fileName`, written through a temporary file beside it
// and a rename, so a failure leaves the old file whole. Returns false, having
// changed and created nothing, when the folder is missing, the file cannot be
// written or the entry is not writable().
bool writeValue(const std::string& fileName, std::string_view section, std::string_view key, std::string_view value);

}  // namespace quill::ini
