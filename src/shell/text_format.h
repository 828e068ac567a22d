#pragma once
// How a script file's bytes become the editor's UTF-8 text and back again,
// without losing a byte. Text that is valid UTF-8 (with or without a
// byte-order mark) stays UTF-8; anything else is read in the code page of
// the user's language when it writes back the very same bytes, and otherwise
// as Windows-1252, the five bytes that code page leaves unassigned standing
// for the control characters of the same value, so every byte is one
// character and back. Line endings are never touched.

#include <string>
#include <string_view>

namespace quill::textfile {

enum class Encoding { Utf8, Windows1252, CodePage };

struct TextFormat {
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    // The Windows code page of an Encoding::CodePage file (936, 949, 1251...).
    int codePage = 0;
    bool operator==(const TextFormat&) const = default;
};

bool isValidUtf8(std::string_view bytes);

// Decides the format of `bytes` and turns them into UTF-8 in place; the
// buffer is reused, so a large UTF-8 file is not copied. `codePage` is the
// program's ANSI code page, tried before Windows-1252.
TextFormat decodeInPlace(std::string& bytes, int codePage = 1252);

// Turns the editor's UTF-8 text into the bytes of `format`. Returns false,
// with `error` saying which character cannot be written, when the format
// cannot hold the text; `out` is then unspecified.
bool encode(std::string_view utf8, const TextFormat& format, std::string& out, std::string& error);

}  // namespace quill::textfile
