#include "shell/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace quill::textfile {
namespace {

using namespace std::string_literals;

// Every sample must come back byte for byte after decode + encode.
TEST(TextFormat, DecodeThenEncodeGivesTheSameBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        TextFormat format;
        std::string text;  // what the editor shows, UTF-8
    };
    const TextFormat utf8{Encoding::Utf8, false};
    const TextFormat utf8Bom{Encoding::Utf8, true};
    const TextFormat cp1252{Encoding::Windows1252, false};
    const Case cases[] = {
        {"empty file", "", utf8, ""},
        {"plain ASCII, CR LF", "[@main]\r\n#SAY\r\n", utf8, "[@main]\r\n#SAY\r\n"},
        {"LF and mixed endings, no final break", "a\nb\r\nc\rd", utf8, "a\nb\r\nc\rd"},
        {"UTF-8 text", "caf\xC3\xA9 \xE4\xB8\xAD", utf8, "caf\xC3\xA9 \xE4\xB8\xAD"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[@main]", utf8Bom, "[@main]"},
        {"only a byte-order mark", "\xEF\xBB\xBF", utf8Bom, ""},
        {"NUL bytes stay", "a\0b\0"s, utf8, "a\0b\0"s},
        {"four-byte UTF-8", "\xF0\x9F\x98\x80", utf8, "\xF0\x9F\x98\x80"},
        {"Windows-1252 letters", "caf\xE9 \x80", cp1252, "caf\xC3\xA9 \xE2\x82\xAC"},
        {"the five unassigned bytes", "\x81\x8D\x8F\x90\x9D", cp1252,
         "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        // GBK is not recognised; read as Windows-1252 it still survives a save.
        {"GBK bytes", "\xD6\xD0\xCE\xC4\r\n", cp1252, "\xC3\x96\xC3\x90\xC3\x8E\xC3\x84\r\n"},
        {"a mark before broken UTF-8 is text", "\xEF\xBB\xBF\xFF", cp1252, "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF"},
        {"surrogate encoded in UTF-8 is not UTF-8", "\xED\xA0\x80", cp1252, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"overlong encoding is not UTF-8", "\xC0\xAF", cp1252, "\xC3\x80\xC2\xAF"},
        {"sequence cut at the end is not UTF-8", "abcdefgh\xE4\xB8", cp1252, "abcdefgh\xC3\xA4\xC2\xB8"},
        {"NUL inside Windows-1252", "\0\xE9"s, cp1252, "\0\xC3\xA9"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string buffer = c.bytes;
        const TextFormat format = decodeInPlace(buffer);
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(buffer, c.text);
        std::string out, error;
        ASSERT_TRUE(encode(buffer, format, out, error)) << error;
        EXPECT_EQ(out, c.bytes);
    }
}

TEST(TextFormat, EveryByteSurvivesWindows1252) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    std::string text = bytes;
    ASSERT_EQ(decodeInPlace(text).encoding, Encoding::Windows1252);
    std::string out, error;
    ASSERT_TRUE(encode(text, {Encoding::Windows1252, false}, out, error)) << error;
    EXPECT_EQ(out, bytes);
}

TEST(TextFormat, Windows1252RefusesWhatItCannotHold) {
    struct Case {
        const char* name;
        std::string text;
        const char* mentions;
    };
    const Case cases[] = {
        {"Chinese typed in", "ok \xE4\xB8\xAD", "U+4E2D"},
        {"emoji", "\xF0\x9F\x98\x80", "U+1F600"},
        {"a C1 control the code page assigns elsewhere", "\xC2\x80", "U+0080"},
        {"broken UTF-8", "a\xFF", "broken"},
        {"sequence cut short", "a\xE4\xB8", "broken"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out, error;
        EXPECT_FALSE(encode(c.text, {Encoding::Windows1252, false}, out, error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    }
}

TEST(TextFormat, Utf8Validity) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"exactly8!", true},
        {"\xC2\x80", true},
        {"\xDF\xBF", true},
        {"\xE0\xA0\x80", true},
        {"\xEF\xBF\xBF", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xC1\xBF", false},          // overlong
        {"\xE0\x9F\xBF", false},      // overlong
        {"\xF0\x8F\xBF\xBF", false},  // overlong
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\x80", false},              // stray continuation
        {"\xC2", false},              // cut short
        {"12345678\xC2\x41", false},  // bad continuation after a fast ASCII run
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace quill::textfile
