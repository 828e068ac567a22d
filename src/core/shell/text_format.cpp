#include "shell/text_format.h"

#include "shell/codepage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace quill::textfile {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Windows-1252 bytes 0x80..0x9F. The unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control characters of the same value.
constexpr std::array<char32_t, 32> kHighTable = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The UTF-8 of each Windows-1252 byte from 0x80 on, padded to four bytes so
// that each is copied in one move.
struct Utf8Of1252 {
    char bytes[4];
    std::size_t length;
};

constexpr std::array<Utf8Of1252, 128> kUtf8Of1252 = [] {
    std::array<Utf8Of1252, 128> table{};
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char32_t cp = b < 0xA0 ? kHighTable[b - 0x80] : b;
        Utf8Of1252& e = table[b - 0x80];
        if (cp < 0x800) {
            e.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
            e.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
            e.length = 2;
        } else {
            e.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
            e.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            e.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
            e.length = 3;
        }
    }
    return table;
}();

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

int windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
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

// The line (from 1) that byte `at` of `text` stands on; CR LF, LF and a lone
// CR each end a line, as in the editor.
std::size_t lineOf(std::string_view text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    return line;
}

bool decodeUtf16(std::string& bytes, bool bigEndian, std::string& error) {
    const std::string_view order = bigEndian ? "UTF-16 BE" : "UTF-16 LE";
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    if (bytes.size() % 2 != 0) {
        error = "starts with the " + std::string(order) +
                " byte-order mark but is not UTF-16 text: it ends in half a character";
        return false;
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const bool paired = cp < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF;
            if (!paired) {
                char where[64];
                std::snprintf(where, sizeof where, "half a surrogate pair (%04X) at byte %zu",
                              static_cast<unsigned>(cp), i);
                error = "starts with the " + std::string(order) + " byte-order mark but is not UTF-16 text: it holds " +
                        where;
                return false;
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        appendUtf8(out, cp);
    }
    bytes.swap(out);
    return true;
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

bool decodeFileInPlace(std::string& bytes, TextFormat& format, std::string& error, int codePage) {
    const std::string_view mark = std::string_view(bytes).substr(0, 2);
    if (mark == kUtf16LeMark || mark == kUtf16BeMark) {
        const bool bigEndian = mark == kUtf16BeMark;
        if (!decodeUtf16(bytes, bigEndian, error)) return false;
        format = {bigEndian ? Encoding::Utf16BE : Encoding::Utf16LE, true};
        return true;
    }
    format = decodeInPlace(bytes, codePage);
    return true;
}

std::uint64_t leastTextBytes(std::uint64_t fileSize, std::string_view head) {
    // UTF-16 takes at least one UTF-8 byte per two; a UTF-8 mark is dropped;
    // every other byte becomes at least one.
    const std::string_view mark = head.substr(0, 2);
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

TextFormat decodeInPlace(std::string& bytes, int codePage) {
    TextFormat format;
    const bool bom = std::string_view(bytes).substr(0, 3) == kBom;
    if (isValidUtf8(std::string_view(bytes).substr(bom ? 3 : 0))) {
        format.byteOrderMark = bom;
        if (bom) bytes.erase(0, 3);
        return format;
    }
    if (codePage != codepage::kWestern) {
        std::string text;
        if (codepage::decode(bytes, codePage, text)) {
            bytes.swap(text);
            return {Encoding::CodePage, false, codePage};
        }
    }
    format.encoding = Encoding::Windows1252;
    std::string out;
    appendWindows1252(bytes, out);
    bytes.swap(out);
    return format;
}

namespace {

std::string formatName(const TextFormat& format) {
    switch (format.encoding) {
        case Encoding::CodePage: return "Windows code page " + std::to_string(format.codePage);
        case Encoding::Utf16LE:
        case Encoding::Utf16BE: return "UTF-16";
        default: return "Windows-1252";
    }
}

std::string_view markOf(const TextFormat& format) {
    if (format.encoding == Encoding::Utf8) return format.byteOrderMark ? kBom : std::string_view();
    if (format.encoding == Encoding::Utf16LE) return kUtf16LeMark;
    if (format.encoding == Encoding::Utf16BE) return kUtf16BeMark;
    return {};
}

// The bytes of `utf8` in `format` (not UTF-8), appended to `out`, without the
// byte-order mark. False, `badAt` the offset of the character, when the
// format cannot hold one.
bool encodeBody(std::string_view utf8, const TextFormat& format, std::string& out, std::size_t& badAt) {
    if (format.encoding == Encoding::CodePage) {
        std::string piece;
        if (!codepage::encode(utf8, format.codePage, piece, badAt)) return false;
        out.append(piece);
        return true;
    }
    if (format.encoding == Encoding::Utf16LE || format.encoding == Encoding::Utf16BE) {
        const bool bigEndian = format.encoding == Encoding::Utf16BE;
        auto put = [&](char32_t unit) {
            const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
            out.push_back(bigEndian ? hi : lo);
            out.push_back(bigEndian ? lo : hi);
        };
        out.reserve(out.size() + 2 * utf8.size());
        for (std::size_t i = 0; i < utf8.size();) {
            const std::size_t at = i;
            const char32_t cp = nextCodePoint(utf8, i);
            if (cp == kBroken) {
                badAt = at;
                return false;
            }
            if (cp < 0x10000) {
                put(cp);
            } else {
                put(0xD800 + ((cp - 0x10000) >> 10));
                put(0xDC00 + ((cp - 0x10000) & 0x3FF));
            }
        }
        return true;
    }
    // Every character takes one byte or is refused, so the bytes fit in the
    // text's own length; they are written straight into `out`.
    const std::size_t base = out.size(), n = utf8.size();
    out.resize(base + n);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    char* w = out.data() + base;
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII eight bytes at a time: scripts are mostly ASCII. The
        // output is never ahead of the input, so eight bytes always fit.
        if (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p + i, 8);
            std::memcpy(w, p + i, 8);
            const std::uint64_t high = chunk & 0x8080808080808080ULL;
            std::size_t ascii = 8;
            if (high) ascii = leadingAsciiBytes(high);
            w += ascii;
            i += ascii;
            if (ascii) continue;
        }
        // Latin-1 letters (two bytes, C2 or C3 first) are most of what is
        // not ASCII in these scripts: from A0 on, their byte is the code
        // point itself.
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            *w++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        if ((lead == 0xC2 || lead == 0xC3) && i + 1 < n) {
            const unsigned char next = p[i + 1];
            const unsigned cp = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
            if ((next & 0xC0) == 0x80 && cp >= 0xA0) {
                *w++ = static_cast<char>(cp);
                i += 2;
                continue;
            }
        }
        const std::size_t at = i;
        const int b = windows1252Byte(nextCodePoint(utf8, i));
        if (b < 0) {
            badAt = at;
            out.resize(base);
            return false;
        }
        *w++ = static_cast<char>(b);
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
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

int encodePieces(TextRuns text, const TextFormat& format, const std::function<int(std::string_view)>& put,
                 std::string& error) {
    if (const std::string_view mark = markOf(format); !mark.empty())
        if (const int failed = put(mark)) return failed;
    std::string out;
    for (const bool inTail : {false, true}) {
        const std::string_view run = inTail ? text.tail : text.head;
        for (std::size_t from = 0; from < run.size();) {
            const std::size_t end = pieceEnd(run, from, kEncodePiece);
            std::string_view piece = run.substr(from, end - from);
            if (format.encoding != Encoding::Utf8) {
                out.clear();
                std::size_t at = 0;
                if (!encodeBody(piece, format, out, at)) {
                    error =
                        refusal(run, from + at, formatName(format), inTail ? lineOf(text.head, text.head.size()) : 1);
                    return EILSEQ;
                }
                piece = out;
            }
            if (const int failed = put(piece)) return failed;
            from = end;
        }
    }
    return 0;
}

namespace {

// Where the first character that Windows-1252 cannot hold starts, npos when
// it holds them all: encodeBody's verdict without making the bytes, so the
// check before a save reads the text at the speed of memory.
std::size_t windows1252Refusal(std::string_view utf8) {
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII sixteen bytes at a time, then straight to the first
        // byte above 0x7F.
        if (i + 16 <= n) {
            std::uint64_t a, b;
            std::memcpy(&a, p + i, 8);
            std::memcpy(&b, p + i + 8, 8);
            if (!((a | b) & kHigh)) {
                i += 16;
                continue;
            }
            i += (a & kHigh) ? leadingAsciiBytes(a & kHigh) : 8 + leadingAsciiBytes(b & kHigh);
        }
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // Two- and three-byte characters are read here; what the code page
        // holds among them is every Latin-1 letter from U+00A0 and the
        // table's few. The rest, broken bytes included, take the long way.
        const unsigned char second = i + 1 < n ? p[i + 1] : 0;
        if (lead >= 0xC2 && lead <= 0xDF && (second & 0xC0) == 0x80) {
            const unsigned cp = ((lead & 0x1Fu) << 6) | (second & 0x3Fu);
            if (windows1252Byte(cp) >= 0) {
                i += 2;
                continue;
            }
            return i;
        }
        if (lead >= 0xE0 && lead <= 0xEF && i + 2 < n && (second & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80 &&
            (lead != 0xE0 || second >= 0xA0) && (lead != 0xED || second < 0xA0)) {
            const unsigned cp = ((lead & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (p[i + 2] & 0x3Fu);
            if (windows1252Byte(cp) < 0) return i;
            i += 3;
            continue;
        }
        std::size_t next = i;
        if (windows1252Byte(nextCodePoint(utf8, next)) < 0) return i;
        i = next;
    }
    return std::string_view::npos;
}

}  // namespace

bool canEncode(TextRuns text, const TextFormat& format, std::string& error) {
    if (format.encoding == Encoding::Utf8) return true;
    if (format.encoding == Encoding::Windows1252) {
        for (const bool inTail : {false, true}) {
            const std::string_view run = inTail ? text.tail : text.head;
            if (const std::size_t at = windows1252Refusal(run); at != std::string_view::npos) {
                error = refusal(run, at, formatName(format), inTail ? lineOf(text.head, text.head.size()) : 1);
                return false;
            }
        }
        return true;
    }
    return encodePieces(
               text, format, [](std::string_view) { return 0; }, error) == 0;
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

void appendWindows1252(std::string_view bytes, std::string& out) {
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
        const Utf8Of1252& utf8 = kUtf8Of1252[b - 0x80];
        std::memcpy(w, utf8.bytes, 4);
        w += utf8.length;
    }
    out.append(buffer, static_cast<std::size_t>(w - buffer));
}

std::size_t windows1252Utf8Size(std::string_view bytes) {
    std::size_t size = bytes.size(), i = 0;
    while (i < bytes.size()) {
        std::uint64_t chunk = 0;
        if (i + 8 <= bytes.size()) std::memcpy(&chunk, bytes.data() + i, 8);
        if (i + 8 <= bytes.size() && (chunk & 0x8080808080808080ULL) == 0) {
            i += 8;
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i++]);
        if (b >= 0x80) size += kUtf8Of1252[b - 0x80].length - 1;
    }
    return size;
}

}  // namespace quill::textfile
