#include "shell/text_format.h"

#include <gtest/gtest.h>

#include <string>

// The byte-for-byte round trips are checked once, through Open and Save, in
// tst_modDocument; here only what a round trip cannot show.
namespace quill::textfile {
namespace {

TEST(TextFormat, Windows1252RefusesWhatItCannotHold) {
    // U+0080 is a C1 control the code page assigns elsewhere.
    const std::pair<std::string, const char*> cases[] = {
        {"ok \xE4\xB8\xAD", "U+4E2D) on line 1"}, {"\xF0\x9F\x98\x80", "U+1F600"}, {"\xC2\x80", "U+0080"},
        {"a\r\nb\rc\n\xE4\xB8\xAD", "on line 4"},
        {"a\xFF", "broken"},           {"a\xE4\xB8", "broken"},
    };
    for (const auto& [text, mentions] : cases) {
        std::string out, error;
        EXPECT_FALSE(encode(text, {Encoding::Windows1252, false}, out, error)) << mentions;
        EXPECT_NE(error.find(mentions), std::string::npos) << error;
    }
}

TEST(TextFormat, LeastTextOfAFileByItsSizeAndMark) {
    // UTF-16 needs two bytes for each UTF-8 byte at best; a UTF-8 mark goes.
    EXPECT_EQ(leastTextBytes(4294967298u, "\xFF\xFE"), 2147483648u);
    EXPECT_EQ(leastTextBytes(4294967296u, "\xFE\xFF\0"), 2147483647u);
    EXPECT_EQ(leastTextBytes(2147483650u, "\xEF\xBB\xBF"), 2147483647u);
    EXPECT_EQ(leastTextBytes(2147483650u, "\xEF\xBB"), 2147483650u);
    EXPECT_EQ(leastTextBytes(1, "\xFF"), 1u);
}

TEST(TextFormat, Utf8Validity) {
    // The bounds of each sequence length; then overlong forms, a surrogate,
    // past U+10FFFF, a stray continuation, cut short, and faults right after
    // a run of eight ASCII bytes.
    for (const char* valid : {"", "exactly8!", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xEF\xBF\xBF", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(isValidUtf8(valid)) << testing::PrintToString(valid);
    for (const char* invalid : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xF5\x80\x80\x80", "\x80", "\xC2", "abcdefgh\xE4\xB8", "12345678\xC2\x41"})
        EXPECT_FALSE(isValidUtf8(invalid)) << testing::PrintToString(invalid);
}

}  // namespace
}  // namespace quill::textfile
