#pragma once
// How a script file's bytes become the editor's UTF-8 text and back again,
// without losing a byte. Text that is valid UTF-8 (with or without a
// byte-order mark) stays UTF-8; a UTF-16 byte-order mark means UTF-16 of that
// order, written back with the same mark, and so does a UTF-32 mark; anything
// else is read in the code page of the user's language when it writes back
// the very same bytes, and otherwise as Windows-1252, the five bytes that code
// page leaves unassigned standing for the control characters of the same
// value, so every byte is one character and back. Line endings are never
// touched.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "shell/file_io.h"

namespace quill::textfile {

enum class Encoding { Utf8, Windows1252, CodePage, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

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

// Where the text of a file goes as it is read, a piece at a time.
class TextSink {
public:
    virtual ~TextSink() = default;
    // The text starts; again, dropping what was added before, when the file
    // turned out not to be in the format first tried. About `bytes` of text
    // are to come.
    virtual void begin(std::uint64_t bytes) = 0;
    virtual void add(std::string_view utf8) = 0;
};

// Reads the plain file at `path` a piece at a time, decides its format and
// hands its text to `sink`, never holding the whole file:
// a UTF-32 or UTF-16 byte-order mark means that form of that order (a file
// not valid UTF-32 after the UTF-32 LE mark is read as UTF-16 LE, and after
// the BE mark as a file without a mark); valid UTF-8 stays UTF-8; anything
// else is read in `codePage`, the program's ANSI code page, when it holds
// the file and gives back its very bytes, and otherwise as Windows-1252.
// A failure, or a file with a UTF-16 mark that is not UTF-16 text, comes
// back as the description shown to the user. `check` is fileio's.
fileio::Failure readText(const std::string& path, int codePage, TextFormat& format, TextSink& sink,
                         const fileio::ReadCheck& check = {});

// The same for a file's bytes in memory: its text in `text`. False, with
// `error` saying why (the file unnamed), when it is refused.
bool decodeFile(std::string_view bytes, int codePage, TextFormat& format, std::string& text, std::string& error);

// The UTF-8 text of Windows-1252 bytes, appended to `out`: every byte is a
// character of its own.
void appendWindows1252(std::string_view bytes, std::string& out);

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
