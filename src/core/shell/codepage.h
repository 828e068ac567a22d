#pragma once
// The Windows ANSI code page of the user's language, and text in such a code
// page. Scripts that are not Unicode were written on Windows in the code page
// of the writer's language (GBK for simplified Chinese, 949 for Korean, 1251
// for Cyrillic, ...), so the user's own language says how to read them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

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

// A code page of one byte a character (874, 1250 to 1258), read and written
// by table so that every file in it comes back byte for byte: each byte is
// one character, whatever the bytes around it (glibc's converter would join
// a Vietnamese or Hebrew letter and the combining mark after it into one).
// The characters are those glibc's iconv gives each byte alone. A byte from
// 0x80 to 0x9F that the page leaves unassigned stands for the control
// character of the same value, as Windows-1252's five do; a byte from 0xA0 on
// that it leaves unassigned belongs to no character, and a file holding one
// is not in this page.
class SingleBytePage {
public:
    // Null when `codePage` is not such a page.
    static const SingleBytePage* of(int codePage);

    // The UTF-8 of each byte from 0x80 on, padded to four bytes so that each
    // is copied in one move; `length` 0 for a byte of no character.
    struct Utf8 {
        char bytes[4];
        std::uint8_t length;
    };
    const Utf8& utf8(unsigned char byte) const { return utf8_[byte - 0x80]; }
    // The byte of a character from U+0080 on; -1 when the page has none.
    int byteOf(char32_t character) const {
        if (character < kLow) return low_[character - 0x80] ? low_[character - 0x80] : -1;
        for (std::size_t i = 0; i < highCount_; ++i)
            if (high_[i].first == character) return high_[i].second;
        return -1;
    }

    explicit SingleBytePage(const char16_t* iconvTable);

private:
    static constexpr char32_t kLow = 0x800;  // the characters of two UTF-8 bytes or fewer
    std::array<Utf8, 128> utf8_{};
    std::array<std::uint8_t, kLow - 0x80> low_{};
    std::array<std::pair<char16_t, std::uint8_t>, 128> high_{};  // the rest
    std::size_t highCount_ = 0;
};

// What glibc's iconv gives bytes 0x80 to 0xFF of a single-byte page, 0 for
// none (codepage_tables.cpp, generated); null for other pages.
const char16_t* iconvTable(int codePage);

// The pages of several bytes a character (932, 936, 949, 950) go through
// iconv.

// Bytes of such a page turned into UTF-8 a piece at a time.
class Decoder {
public:
    explicit Decoder(int codePage);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    // Appends the text of the next piece to `utf8`; a character cut at the
    // end of the piece waits for the next. False, `utf8` then unspecified,
    // unless every byte belongs to a character of the code page and
    // encoding the text again gives back exactly the bytes.
    bool add(std::string_view bytes, std::string& utf8);
    // Whether the bytes ended with a whole character.
    bool whole() const { return pending_.empty(); }

private:
    struct Converters;
    std::unique_ptr<Converters> converters_;
    std::string pending_;
};

// Turns UTF-8 text into `codePage`. False when a character cannot be written
// (or the text is not valid UTF-8); `badAt` is then that character's offset.
bool encode(std::string_view utf8, int codePage, std::string& out, std::size_t& badAt);

}  // namespace quill::codepage
