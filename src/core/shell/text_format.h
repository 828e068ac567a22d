#pragma once
// How a script file's bytes become the editor's UTF-8 text and back again,
// without losing a byte. Text that is valid UTF-8 (with or without a
// byte-order mark) stays UTF-8; a UTF-16 byte-order mark means UTF-16 of that
// order, written back with the same mark; anything else is read in the code
// page of the user's language when it writes back the very same bytes, and
// otherwise as Windows-1252, the five bytes that code page leaves unassigned
// standing for the control characters of the same value, so every byte is one
// character and back. Line endings are never touched.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quill::textfile {

enum class Encoding { Utf8, Windows1252, CodePage, Utf16LE, Utf16BE };

struct TextFormat {
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    // The Windows code page of an Encoding::CodePage file (936, 949, 1251...).
    int codePage = 0;
    bool operator==(const TextFormat&) const = default;
};

bool isValidUtf8(std::string_view bytes);

// isValidUtf8 for bytes that arrive a piece at a time: a character may be cut
// between two pieces.
class Utf8Check {
public:
    // False as soon as the bytes so far cannot begin valid UTF-8.
    bool add(std::string_view piece);
    // Whether all the pieces together were valid UTF-8.
    bool valid() const { return ok_ && pending_.empty(); }

private:
    std::string pending_;  // a character cut at the end of the last piece
    bool ok_ = true;
};

// The UTF-8 text of Windows-1252 bytes, appended to `out`, as decodeInPlace
// reads a file that is neither UTF-8 nor in the user's code page; every byte
// is a character of its own, so a file may be read in pieces cut anywhere.
void appendWindows1252(std::string_view bytes, std::string& out);
// How many bytes appendWindows1252 makes of `bytes`.
std::size_t windows1252Utf8Size(std::string_view bytes);

// Decides the format of `bytes` and turns them into UTF-8 in place; the
// buffer is reused, so a large UTF-8 file is not copied. `codePage` is the
// program's ANSI code page, tried before Windows-1252.
TextFormat decodeInPlace(std::string& bytes, int codePage = 1252);

// As decodeInPlace, for a whole file: a file that starts with a UTF-16
// byte-order mark is UTF-16 of that order (the mark is kept in the format,
// not in the text); any other file goes to decodeInPlace with `codePage`.
// Returns false, `bytes` unchanged and `error` saying why,
// when such a file is not valid UTF-16 (half a character at its end, or half
// a surrogate pair): it is refused rather than read as something else.
bool decodeFileInPlace(std::string& bytes, TextFormat& format, std::string& error, int codePage = 1252);

// The most text, in UTF-8 bytes, that the editor holds: its component
// addresses the text in signed 32-bit positions.
inline constexpr std::uint64_t kMaxTextBytes = 2147483647;

// The fewest UTF-8 bytes that the text of a file of `fileSize` bytes that
// begins with `head` can take, so a file far too large is refused unread.
std::uint64_t leastTextBytes(std::uint64_t fileSize, std::string_view head);

// Turns the editor's UTF-8 text into the bytes of `format`. Returns false,
// with `error` saying which character cannot be written and on which line
// (counted from 1, as the editor shows them), when the format cannot hold the
// text; `out` is then unspecified.
bool encode(std::string_view utf8, const TextFormat& format, std::string& out, std::string& error);

// UTF-8 text in two runs, as an editor keeps it on either side of the place
// of its last change, read where it lies: `tail` follows `head` and starts a
// line (so neither run cuts a character or a CR LF in two). Either may be
// empty; one run of text is {text, {}}.
struct TextRuns {
    std::string_view head, tail;
};

// Whole lines of a text that may differ from what they were at some earlier
// moment (all its lines, `whole`, when that moment is not known): from byte
// `from`, they had `oldSize` bytes and now read `text`. Before and after
// them the text is as it was.
struct ChangedLines {
    bool whole = true;
    std::size_t from = 0;
    std::size_t oldSize = 0;
    TextRuns text;
};

// As encode, handing the bytes to `put` a piece at a time rather than holding
// them whole (UTF-8 text goes out as it is, uncopied). Returns 0, or what
// `put` returned when that was not 0 (an errno); text that the format cannot
// hold stops it with EILSEQ, `error` then saying why as encode does.
int encodePieces(TextRuns text, const TextFormat& format, const std::function<int(std::string_view)>& put,
                 std::string& error);

// Whether the format can hold the text, as encode tells, without making the
// bytes.
bool canEncode(TextRuns text, const TextFormat& format, std::string& error);

}  // namespace quill::textfile
