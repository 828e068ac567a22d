#include "shell/text_format.h"

#include <gtest/gtest.h>

#include <string>

// The byte-for-byte round trips are checked once, through Open and Save, in
// tst_modDocument; here only what a round trip cannot show.
namespace quill::textfile {
namespace {

TEST(TextFormat, Windows1252RefusesWhatItCannotHold) {
    const std::pair<std::string, const char*> cases[] = {
        {"ok \xE4\xB8\xAD", "U+4E2D"},
        {"\xF0\x9F\x98\x80", "U+1F600"},
        {"\xC2\x80", "U+0080"},  // a C1 control the code page assigns elsewhere
        {"a\xFF", "broken"},
        {"a\xE4\xB8", "broken"},
    };
    for (const auto& [text, mentions] : cases) {
        std::string out, error;
        EXPECT_FALSE(encode(text, {Encoding::Windows1252, false}, out, error)) << mentions;
        EXPECT_NE(error.find(mentions), std::string::npos) << error;
    }
}

TEST(TextFormat, Utf8Validity) {
    const std::pair<std::string, bool> cases[] = {
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
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\x80", false},              // stray continuation
        {"\xC2", false},              // cut short
        {"abcdefgh\xE4\xB8", false},  // cut short after a fast ASCII run
        {"12345678\xC2\x41", false},  // bad continuation after a fast ASCII run
    };
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(isValidUtf8(bytes), valid) << testing::PrintToString(bytes);
}

}  // namespace
}  // namespace quill::textfile
