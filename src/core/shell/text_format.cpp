#include "shell/text_format.h"

#include "shell/codepage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace quill::textfile {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Reads one code point at `i`, advancing `i`. The editor's text is UTF-8,
// but a broken sequence must not turn into some unrelated character that
// the code page happens to hold: it comes back as -1.
constexpr char32_t kBroken = static_cast<char32_t>(-1);

char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const int len = b0 < 0x80 ? 1 : b0 < 0xC2 ? 0 : b0 < 0xE0 ? 2 : b0 < 0xF0 ? 3 : b0 < 0xF5 ? 4 : 0;
    if (len == 0 || i + len > s.size() || !isValidUtf8(s.substr(i, len))) {
        ++i;
        return kBroken;
    }
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    return cp;
}

// How many bytes come before the first one above 0x7F in eight bytes read
// from memory, given the mask of their high bits (not 0).
std::size_t leadingAsciiBytes(std::uint64_t high) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(high)) / 8;
    else
        return static_cast<std::size_t>(std::countl_zero(high)) / 8;
}

constexpr std::string_view kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark("\xFF\xFE\0\0", 4), kUtf32BeMark("\0\0\xFE\xFF", 4);

// The line (from 1) that byte `at` of `text` stands on; CR LF, LF and a lone
// CR each end a line, as in the editor.
std::size_t lineOf(std::string_view text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    return line;
}

// Why the character at `at` cannot be written in the file's format; `utf8`
// starts on line `firstLine` of the text.
std::string refusal(std::string_view utf8, std::size_t at, const std::string& formatName, std::size_t firstLine = 1) {
    std::size_t end = at;
    const char32_t cp = nextCodePoint(utf8, end);
    const std::string line = " on line " + std::to_string(firstLine - 1 + lineOf(utf8, at));
    if (cp == kBroken)
        return "the text holds a broken UTF-8 sequence" + line + ", which the file's " + formatName +
               " format cannot hold";
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
    return "the file is " + formatName + " text, which cannot hold the character " +
           std::string(utf8.substr(at, end - at)) + " (" + hex + ")" + line;
}

}  // namespace

std::uint64_t leastTextBytes(std::uint64_t fileSize, std::string_view head) {
    // UTF-32 takes at least one UTF-8 byte per four (read as UTF-16 when it
    // is not UTF-32, or as a file without a mark, it takes more), UTF-16 one
    // per two; a UTF-8 mark is dropped; every other byte becomes at least one.
    const std::string_view mark = head.substr(0, 2);
    if (fileSize >= 4 && (head.substr(0, 4) == kUtf32LeMark || head.substr(0, 4) == kUtf32BeMark))
        return (fileSize - 4) / 4;
    if (fileSize >= 2 && (mark == kUtf16LeMark || mark == kUtf16BeMark)) return (fileSize - 2) / 2;
    if (fileSize >= 3 && head.substr(0, 3) == kBom) return fileSize - 3;
    return fileSize;
}

bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        // Skip plain ASCII eight bytes at a time: scripts are mostly ASCII.
        while (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p + i, 8);
            if (chunk & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= n) break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c == 0xE0) {
            len = 3;
            lo = 0xA0;
        } else if (c >= 0xE1 && c <= 0xEC)
            len = 3;
        else if (c == 0xED) {
            len = 3;
            hi = 0x9F;
        }  // no UTF-16 surrogates
        else if (c >= 0xEE && c <= 0xEF)
            len = 3;
        else if (c == 0xF0) {
            len = 4;
            lo = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3)
            len = 4;
        else if (c == 0xF4) {
            len = 4;
            hi = 0x8F;
        } else
            return false;
        if (i + len > n) return false;
        if (p[i + 1] < lo || p[i + 1] > hi) return false;
        for (int k = 2; k < len; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
        i += len;
    }
    return true;
}

namespace {

std::string formatName(const TextFormat& format) {
    switch (format.encoding) {
        case Encoding::CodePage: return "Windows code page " + std::to_string(format.codePage);
        case Encoding::Utf16LE:
        case Encoding::Utf16BE: return "UTF-16";
        case Encoding::Utf32LE:
        case Encoding::Utf32BE: return "UTF-32";
        default: return "Windows-1252";
    }
}

std::string_view markOf(const TextFormat& format) {
    switch (format.encoding) {
        case Encoding::Utf8: return format.byteOrderMark ? kBom : std::string_view();
        case Encoding::Utf16LE: return kUtf16LeMark;
        case Encoding::Utf16BE: return kUtf16BeMark;
        case Encoding::Utf32LE: return kUtf32LeMark;
        case Encoding::Utf32BE: return kUtf32BeMark;
        default: return {};
    }
}

// The table of a format read one byte a character; null for any other.
const codepage::SingleBytePage* singleBytePage(const TextFormat& format) {
    if (format.encoding == Encoding::Windows1252) return codepage::SingleBytePage::of(codepage::kWestern);
    if (format.encoding == Encoding::CodePage) return codepage::SingleBytePage::of(format.codePage);
    return nullptr;
}

// The one encoder of the single-byte pages, for the write and, making no
// bytes, for the check before it, which then reads the text at the speed of
// memory. Returns where the first character the page cannot hold starts (a
// broken UTF-8 sequence included), npos when it holds them all; with
// kWrite, the bytes go to `w`, which has room for as many as `utf8` has,
// and `w` ends past them.
template <bool kWrite>
std::size_t encodeSingleByte(std::string_view utf8, const codepage::SingleBytePage& page, char*& w) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII eight bytes at a time: scripts are mostly ASCII. The
        // output is never ahead of the input, so eight bytes always fit.
        if (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p + i, 8);
            if constexpr (kWrite) std::memcpy(w, p + i, 8);
            const std::uint64_t high = chunk & 0x8080808080808080ULL;
            const std::size_t ascii = high ? leadingAsciiBytes(high) : 8;
            if constexpr (kWrite) w += ascii;
            i += ascii;
            if (ascii) continue;
        }
        const unsigned char lead = p[i];
        std::size_t next = i + 1;
        char32_t cp = lead;
        // Two- and three-byte characters are read here, the rest (broken
        // bytes included) the long way.
        const unsigned char second = i + 1 < n ? p[i + 1] : 0;
        if (lead < 0x80) {
        } else if (lead >= 0xC2 && lead <= 0xDF && (second & 0xC0) == 0x80) {
            cp = ((lead & 0x1Fu) << 6) | (second & 0x3Fu);
            next = i + 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && i + 2 < n && (second & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80 &&
                   (lead != 0xE0 || second >= 0xA0) && (lead != 0xED || second < 0xA0)) {
            cp = ((lead & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (p[i + 2] & 0x3Fu);
            next = i + 3;
        } else {
            next = i;
            cp = nextCodePoint(utf8, next);
        }
        const int byte = cp < 0x80 ? static_cast<int>(cp) : cp == kBroken ? -1 : page.byteOf(cp);
        if (byte >= 0) {
            if constexpr (kWrite) *w++ = static_cast<char>(byte);
        } else if (const codepage::LetterAndMark* pair = page.letterAndMarkOf(cp)) {
            // Two bytes for a character of at least two: still not ahead.
            if constexpr (kWrite) {
                *w++ = static_cast<char>(pair->letter);
                *w++ = static_cast<char>(pair->mark);
            }
        } else {
            return i;
        }
        i = next;
    }
    return std::string_view::npos;
}

void putUnit(std::string& out, char32_t unit, int width, bool bigEndian) {
    for (int k = 0; k < width; ++k) {
        const int shift = 8 * (bigEndian ? width - 1 - k : k);
        out.push_back(static_cast<char>((unit >> shift) & 0xFF));
    }
}

// The bytes of `utf8` in `format` (not UTF-8), appended to `out`, without the
// byte-order mark. False, `badAt` the offset of the character, when the
// format cannot hold one.
bool encodeBody(std::string_view utf8, const TextFormat& format, std::string& out, std::size_t& badAt) {
    if (const codepage::SingleBytePage* page = singleBytePage(format)) {
        const std::size_t base = out.size();
        out.resize(base + utf8.size());
        char* w = out.data() + base;
        badAt = encodeSingleByte<true>(utf8, *page, w);
        out.resize(static_cast<std::size_t>(w - out.data()));
        return badAt == std::string_view::npos;
    }
    if (format.encoding == Encoding::CodePage) {
        std::string piece;
        if (!codepage::encode(utf8, format.codePage, piece, badAt)) return false;
        out.append(piece);
        return true;
    }
    const bool wide = format.encoding == Encoding::Utf32LE || format.encoding == Encoding::Utf32BE;
    const bool bigEndian = format.encoding == Encoding::Utf16BE || format.encoding == Encoding::Utf32BE;
    out.reserve(out.size() + (wide ? 4 : 2) * utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp == kBroken) {
            badAt = at;
            return false;
        }
        if (wide || cp < 0x10000) {
            putUnit(out, cp, wide ? 4 : 2, bigEndian);
        } else {
            putUnit(out, 0xD800 + ((cp - 0x10000) >> 10), 2, bigEndian);
            putUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), 2, bigEndian);
        }
    }
    return true;
}

// Where to end a piece of about `size` bytes that starts at `from`: never
// inside a character, so each piece encodes as it would within the whole.
std::size_t pieceEnd(std::string_view utf8, std::size_t from, std::size_t size) {
    if (utf8.size() - from <= size) return utf8.size();
    std::size_t end = from + size;
    for (int back = 0; back < 3 && end > from + 1 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80; ++back)
        --end;
    return end;
}

constexpr std::size_t kEncodePiece = std::size_t(1) << 20;

}  // namespace

bool encode(std::string_view utf8, const TextFormat& format, std::string& out, std::string& error) {
    out.clear();
    out.append(markOf(format));
    if (format.encoding == Encoding::Utf8) {
        out.append(utf8);
        return true;
    }
    std::size_t at = 0;
    if (encodeBody(utf8, format, out, at)) return true;
    error = refusal(utf8, at, formatName(format));
    return false;
}

namespace {

// encodePieces, and with no `put` the check that makes no bytes where it
// need not: the same encoder serves both.
int encodeRuns(TextRuns text, const TextFormat& format, const std::function<int(std::string_view)>* put,
               std::string& error) {
    if (const std::string_view mark = markOf(format); put && !mark.empty())
        if (const int failed = (*put)(mark)) return failed;
    const codepage::SingleBytePage* checkOnly = put ? nullptr : singleBytePage(format);
    std::string out;
    for (const bool inTail : {false, true}) {
        const std::string_view run = inTail ? text.tail : text.head;
        for (std::size_t from = 0; from < run.size();) {
            const std::size_t end = pieceEnd(run, from, kEncodePiece);
            std::string_view piece = run.substr(from, end - from);
            if (format.encoding != Encoding::Utf8) {
                out.clear();
                char* none = nullptr;
                std::size_t at = 0;
                const bool held =
                    checkOnly ? (at = encodeSingleByte<false>(piece, *checkOnly, none)) == std::string_view::npos
                              : encodeBody(piece, format, out, at);
                if (!held) {
                    error =
                        refusal(run, from + at, formatName(format), inTail ? lineOf(text.head, text.head.size()) : 1);
                    return EILSEQ;
                }
                piece = out;
            }
            if (put)
                if (const int failed = (*put)(piece)) return failed;
            from = end;
        }
    }
    return 0;
}

}  // namespace

int encodePieces(TextRuns text, const TextFormat& format, const std::function<int(std::string_view)>& put,
                 std::string& error) {
    return encodeRuns(text, format, &put, error);
}

bool canEncode(TextRuns text, const TextFormat& format, std::string& error) {
    return format.encoding == Encoding::Utf8 || encodeRuns(text, format, nullptr, error) == 0;
}

bool Utf8Check::add(std::string_view piece) {
    if (!ok_) return false;
    if (!pending_.empty()) {
        // Complete the character cut at the end of the last piece.
        const auto lead = static_cast<unsigned char>(pending_[0]);
        const std::size_t need = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::size_t take = std::min(need - pending_.size(), piece.size());
        pending_.append(piece.substr(0, take));
        piece.remove_prefix(take);
        if (pending_.size() < need) return true;
        ok_ = isValidUtf8(pending_);
        pending_.clear();
        if (!ok_) return false;
    }
    // Hold back a character that the piece cuts short.
    std::size_t keep = 0;
    for (std::size_t back = 1; back <= 3 && back <= piece.size(); ++back) {
        const auto c = static_cast<unsigned char>(piece[piece.size() - back]);
        if ((c & 0xC0) == 0x80) continue;
        const std::size_t len = c >= 0xC2 && c <= 0xDF   ? 2
                                : c >= 0xE0 && c <= 0xEF ? 3
                                : c >= 0xF0 && c <= 0xF4 ? 4
                                                         : 1;
        if (len > back) keep = back;
        break;
    }
    ok_ = isValidUtf8(piece.substr(0, piece.size() - keep));
    if (ok_) pending_.assign(piece.substr(piece.size() - keep));
    return ok_;
}

namespace {

// The UTF-8 of `bytes` in a single-byte page, appended to `out`; false at the
// first byte of no character.
bool appendSingleByte(std::string_view bytes, const codepage::SingleBytePage& page, std::string& out) {
    out.reserve(out.size() + bytes.size() + bytes.size() / 8);
    // The text is made in a small buffer that stays in the cache and goes to
    // `out` whole each time it fills: a byte takes at most three in UTF-8,
    // eight bytes of plain ASCII are copied at once, and a table entry is
    // copied in four, so the buffer keeps room for eight before each step.
    constexpr std::size_t kBuffer = 16384;
    char buffer[kBuffer];
    char* const last = buffer + kBuffer - 8;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    char* w = buffer;
    std::size_t i = 0;
    while (i < n) {
        if (w > last) {
            out.append(buffer, static_cast<std::size_t>(w - buffer));
            w = buffer;
        }
        if (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p + i, 8);
            std::memcpy(w, p + i, 8);
            const std::uint64_t high = chunk & 0x8080808080808080ULL;
            const std::size_t ascii = high ? leadingAsciiBytes(high) : 8;
            w += ascii;
            i += ascii;
            if (ascii) continue;
        }
        const unsigned char b = p[i++];
        if (b < 0x80) {
            *w++ = static_cast<char>(b);
            continue;
        }
        const codepage::SingleBytePage::Utf8& utf8 = page.utf8(b);
        if (utf8.length == 0) return false;
        std::memcpy(w, utf8.bytes, 4);
        w += utf8.length;
    }
    out.append(buffer, static_cast<std::size_t>(w - buffer));
    return true;
}

// A file's bytes a piece at a time, from the first again after rewind().
class Pieces {
public:
    virtual ~Pieces() = default;
    // The next piece; empty at the end.
    virtual fileio::Failure next(std::string& piece) = 0;
    virtual void rewind() = 0;
    virtual std::uint64_t size() const = 0;
};

class FilePieces : public Pieces {
public:
    fileio::Reader reader;
    fileio::Failure next(std::string& piece) override { return reader.next(piece); }
    void rewind() override { reader.rewind(); }
    std::uint64_t size() const override { return reader.reportedSize(); }
};

// Bytes in memory, cut where a file read from the disk is.
class MemoryPieces : public Pieces {
public:
    explicit MemoryPieces(std::string_view bytes) : bytes_(bytes) {}
    fileio::Failure next(std::string& piece) override {
        piece.assign(bytes_.substr(std::min(at_, bytes_.size()), fileio::Reader::kPiece));
        at_ += piece.size();
        return std::nullopt;
    }
    void rewind() override { at_ = 0; }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// One way of reading a file's bytes as text, a piece at a time.
class PieceDecoder {
public:
    virtual ~PieceDecoder() = default;
    // About how much text a file of `bytes` makes, judged by its first
    // piece, whose `firstBytes` made `firstText`: the room made for it is
    // held whole, so a guess as wide as the widest characters would cost a
    // mostly-ASCII script that much more memory. A little over, so that a
    // later piece a little richer in wide characters does not make the
    // text move to a larger room.
    virtual std::uint64_t textBytes(std::uint64_t bytes, std::size_t firstBytes, std::size_t firstText) const {
        return firstBytes == 0 ? 0 : bytes * firstText / firstBytes + bytes / 256;
    }
    // The text of the next piece, in `out` or in `piece` itself; nullopt
    // when the bytes are not in this format.
    virtual std::optional<std::string_view> add(std::string_view piece, std::string& out) = 0;
    // Whether the file ended with a whole character.
    virtual bool finish() { return true; }
};

class Utf8Decoder : public PieceDecoder {
public:
    bool byteOrderMark = false;
    std::uint64_t textBytes(std::uint64_t bytes, std::size_t, std::size_t) const override { return bytes; }
    std::optional<std::string_view> add(std::string_view piece, std::string&) override {
        if (std::exchange(first_, false) && (byteOrderMark = piece.substr(0, 3) == kBom)) piece.remove_prefix(3);
        if (!check_.add(piece)) return std::nullopt;
        return piece;
    }
    bool finish() override { return check_.valid(); }

private:
    Utf8Check check_;
    bool first_ = true;
};

class SingleByteDecoder : public PieceDecoder {
public:
    explicit SingleByteDecoder(const codepage::SingleBytePage& page) : page_(page) {}
    std::optional<std::string_view> add(std::string_view piece, std::string& out) override {
        if (!appendSingleByte(piece, page_, out)) return std::nullopt;
        return out;
    }

private:
    const codepage::SingleBytePage& page_;
};

class MultiByteDecoder : public PieceDecoder {
public:
    explicit MultiByteDecoder(int codePage) : decoder_(codePage) {}
    std::optional<std::string_view> add(std::string_view piece, std::string& out) override {
        if (!decoder_.add(piece, out)) return std::nullopt;
        return out;
    }
    bool finish() override { return decoder_.whole(); }

private:
    codepage::Decoder decoder_;
};

// UTF-16 or UTF-32 of either order, after its byte-order mark. `why` says
// what made the bytes not that form.
class UnitDecoder : public PieceDecoder {
public:
    UnitDecoder(int width, bool bigEndian) : width_(width), bigEndian_(bigEndian), at_(width) {}
    std::string why;
    std::uint64_t textBytes(std::uint64_t bytes, std::size_t, std::size_t) const override {
        return width_ == 2 ? bytes * 3 / 2 : bytes;
    }
    std::optional<std::string_view> add(std::string_view piece, std::string& out) override {
        if (std::exchange(first_, false)) piece.remove_prefix(width_);
        // A unit cut at the end of the last piece is made whole first.
        const std::size_t take = carry_.empty() ? 0 : std::min(width_ - carry_.size(), piece.size());
        carry_.append(piece.substr(0, take));
        piece.remove_prefix(take);
        if (carry_.size() == width_ && !unit(carry_, out)) return std::nullopt;
        if (carry_.size() == width_) carry_.clear();
        const std::size_t whole = piece.size() - piece.size() % width_;
        for (std::size_t i = 0; i < whole; i += width_)
            if (!unit(piece.substr(i, width_), out)) return std::nullopt;
        carry_.append(piece.substr(whole));
        return out;
    }
    bool finish() override {
        if (!carry_.empty()) why = "it ends in half a character";
        else if (highAt_ != 0)
            why = halfPair(high_, highAt_);
        return why.empty();
    }

private:
    static std::string halfPair(char32_t unit, std::uint64_t at) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(unit));
        return "it holds half a surrogate pair (" + std::string(hex) + ") at byte " + std::to_string(at);
    }
    bool unit(std::string_view bytes, std::string& out) {
        char32_t u = 0;
        for (std::size_t k = 0; k < width_; ++k)
            u |= static_cast<char32_t>(static_cast<unsigned char>(bytes[k])) << (8 * (bigEndian_ ? width_ - 1 - k : k));
        const std::uint64_t at = at_;
        at_ += width_;
        const bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
        if (width_ == 4) {
            if (u > 0x10FFFF || high || low) return false;
        } else if (highAt_ != 0) {
            if (!low) return why = halfPair(high_, highAt_), false;
            u = 0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00);
            highAt_ = 0;
        } else if (high) {
            high_ = u;
            highAt_ = at;
            return true;
        } else if (low) {
            return why = halfPair(u, at), false;
        }
        appendUtf8(out, u);
        return true;
    }

    std::size_t width_;
    bool bigEndian_;
    bool first_ = true;
    std::string carry_;
    std::uint64_t at_;  // the offset in the file of the next unit
    char32_t high_ = 0;
    std::uint64_t highAt_ = 0;  // where the high half of a pair waits for its low half, 0 for none
};

enum class Outcome { Read, NotThis, Failed };

// Reads the whole of `file` with `decoder` into `sink`, beginning the text at
// the first piece that passes, as a file not in the format mostly shows it at
// once. `piece` holds the file's first piece.
Outcome readAs(Pieces& file, std::string& piece, PieceDecoder& decoder, TextSink& sink, fileio::Failure& failure) {
    std::string out;
    bool begun = false;
    while (!piece.empty()) {
        out.clear();
        const std::optional<std::string_view> text = decoder.add(piece, out);
        if (!text) return Outcome::NotThis;
        if (!std::exchange(begun, true)) sink.begin(decoder.textBytes(file.size(), piece.size(), text->size()));
        sink.add(*text);
        if ((failure = file.next(piece))) return Outcome::Failed;
    }
    if (!decoder.finish()) return Outcome::NotThis;
    if (!begun) sink.begin(0);
    return Outcome::Read;
}

// The file's format decided and its text handed to `sink`. `name` starts
// the description of a file refused.
fileio::Failure decodePieces(Pieces& file, const std::string& name, int codePage, TextFormat& format, TextSink& sink) {
    std::string piece;
    fileio::Failure failure = file.next(piece);
    const auto tryAs = [&](PieceDecoder& decoder, TextFormat as) {
        if (failure) return true;
        switch (readAs(file, piece, decoder, sink, failure)) {
            case Outcome::Read: format = as; return true;
            case Outcome::Failed: return true;
            case Outcome::NotThis: break;
        }
        file.rewind();
        failure = file.next(piece);
        return false;
    };
    const std::string head = piece.substr(0, 4);  // `piece` is read again on each try
    if (head == kUtf32LeMark || head == kUtf32BeMark) {
        const bool bigEndian = head == kUtf32BeMark;
        UnitDecoder decoder(4, bigEndian);
        if (tryAs(decoder, {bigEndian ? Encoding::Utf32BE : Encoding::Utf32LE, true})) return failure;
    }
    if (head.starts_with(kUtf16LeMark) || head.starts_with(kUtf16BeMark)) {
        const bool big = head.starts_with(kUtf16BeMark);
        UnitDecoder decoder(2, big);
        if (tryAs(decoder, {big ? Encoding::Utf16BE : Encoding::Utf16LE, true})) return failure;
        return name + "starts with the UTF-16 " + (big ? "BE" : "LE") +
               " byte-order mark but is not UTF-16 text: " + decoder.why;
    }
    Utf8Decoder utf8;
    if (tryAs(utf8, {Encoding::Utf8, utf8.byteOrderMark})) {
        format.byteOrderMark = utf8.byteOrderMark;
        return failure;
    }
    if (codePage != codepage::kWestern) {
        if (const codepage::SingleBytePage* page = codepage::SingleBytePage::of(codePage)) {
            SingleByteDecoder decoder(*page);
            if (tryAs(decoder, {Encoding::CodePage, false, codePage})) return failure;
        } else {
            MultiByteDecoder decoder(codePage);
            if (tryAs(decoder, {Encoding::CodePage, false, codePage})) return failure;
        }
    }
    SingleByteDecoder western(*codepage::SingleBytePage::of(codepage::kWestern));
    tryAs(western, {Encoding::Windows1252, false});
    return failure;
}

// Text gathered whole.
class StringSink : public TextSink {
public:
    std::string& text;
    explicit StringSink(std::string& t) : text(t) {}
    void begin(std::uint64_t bytes) override {
        text.clear();
        text.reserve(static_cast<std::size_t>(bytes));
    }
    void add(std::string_view utf8) override { text.append(utf8); }
};

}  // namespace

fileio::Failure readText(const std::string& path, int codePage, TextFormat& format, TextSink& sink,
                         const fileio::ReadCheck& check) {
    FilePieces file;
    if (fileio::Failure failure = file.reader.open(path, check)) return failure;
    return decodePieces(file, "\"" + path + "\" ", codePage, format, sink);
}

bool decodeFile(std::string_view bytes, int codePage, TextFormat& format, std::string& text, std::string& error) {
    MemoryPieces file(bytes);
    StringSink sink(text);
    const fileio::Failure failure = decodePieces(file, "", codePage, format, sink);
    if (failure) error = *failure;
    return !failure;
}

void appendWindows1252(std::string_view bytes, std::string& out) {
    appendSingleByte(bytes, *codepage::SingleBytePage::of(codepage::kWestern), out);
}

}  // namespace quill::textfile
