#include "shell/text_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <tuple>
#include <vector>

#include "shell/codepage.h"
#include "shell/file_io.h"

// Files round-trip through Open and Save in tst_modDocument, whose user is
// English; here what a round trip there cannot show, and the other
// languages' code pages.
namespace quill::textfile {

void PrintTo(const TextFormat& f, std::ostream* os) {
    *os << "{encoding " << static_cast<int>(f.encoding) << ", mark " << f.byteOrderMark << ", code page " << f.codePage
        << "}";
}

namespace {

using codepage::kWestern;

TEST(TextFormat, CodePagesRefuseWhatTheyCannotHold) {
    // U+0080 is a C1 control Windows-1252 assigns elsewhere; GBK has no
    // Hangul, and neither page an emoji.
    const TextFormat western{Encoding::Windows1252, false}, gbk{Encoding::CodePage, false, 936};
    const std::tuple<TextFormat, std::string, const char*> cases[] = {
        {western, "ok \xE4\xB8\xAD",
         "Windows-1252 text, which cannot hold the character \xE4\xB8\xAD (U+4E2D) on line 1"},
        {western, "a\r\nb\rc\n\xE4\xB8\xAD", "on line 4"},
        {western, "\xC2\x80", "U+0080"},
        {western, "a\xFF", "broken"},
        {gbk, "\xE4\xBD\xA0 \xED\x95\x9C", "code page 936 text, which cannot hold the character \xED\x95\x9C (U+D55C)"},
        {gbk, "\xF0\x9F\x98\x80", "U+1F600"},
    };
    for (const auto& [format, text, mentions] : cases) {
        std::string out, error;
        EXPECT_FALSE(encode(text, format, out, error)) << mentions;
        EXPECT_NE(error.find(mentions), std::string::npos) << error;
    }
}

TEST(TextFormat, TextInTwoRunsEncodesAsOne) {
    // The editor hands its text over in two runs split at a line start that
    // moves with each edit; the bytes, the one mark and the line a refusal
    // names must not depend on where. Lines end in CR LF, CR and LF.
    using namespace std::string_literals;
    const std::string good = "a\r\nCaf\xC3\xA9\rb\n\xE2\x82\xAC x\r\n", bad = good + "ok\r\n\xE4\xB8\xAD";
    const TextFormat western{Encoding::Windows1252, false};
    const std::pair<TextFormat, std::string> expected[] = {
        {western, "a\r\nCaf\xE9\rb\n\x80 x\r\n"},
        {{Encoding::Utf8, true}, "\xEF\xBB\xBF" + good},
        {{Encoding::Utf16LE, true},
         "\xFF\xFE"
         "a\0\r\0\n\0"
         "C\0a\0f\0\xE9\0\r\0"
         "b\0\n\0"
         "\xAC\x20 \0x\0\r\0\n\0"s},
    };
    for (const std::size_t split : {0, 3, 9, 11, 18, 22}) {
        const auto runs = [split](std::string_view text) {
            return TextRuns{text.substr(0, split), text.substr(std::min(split, text.size()))};
        };
        std::string out, error;
        const auto append = [&out](std::string_view piece) { return out.append(piece), 0; };
        for (const auto& [format, bytes] : expected) {
            out.clear();
            EXPECT_TRUE(canEncode(runs(good), format, error) && encodePieces(runs(good), format, append, error) == 0);
            EXPECT_EQ(out, bytes) << "split at " << split;
        }
        EXPECT_FALSE(canEncode(runs(bad), western, error));
        EXPECT_NE(error.find("(U+4E2D) on line 6"), std::string::npos) << "split at " << split << ": " << error;
        error.clear();
        EXPECT_EQ(encodePieces(runs(bad), western, append, error), EILSEQ);
        EXPECT_NE(error.find("(U+4E2D) on line 6"), std::string::npos) << "split at " << split << ": " << error;
    }
}

TEST(TextFormat, LanguageGivesTheCodePage) {
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        // LC_ALL, LC_CTYPE, LANG
        {nullptr, nullptr, "zh_CN.UTF-8", 936},
        {nullptr, nullptr, "zh", 936},
        {nullptr, nullptr, "zh_HK.UTF-8", 950},
        {nullptr, nullptr, "ko_KR", 949},
        {nullptr, nullptr, "ja_JP.eucJP", 932},
        {nullptr, nullptr, "sr_RS", 1251},
        {nullptr, nullptr, "sr_RS@latin", 1250},
        {nullptr, nullptr, "de_DE@euro", 1252},
        {nullptr, nullptr, "C.UTF-8", 1252},
        {nullptr, nullptr, nullptr, 1252},
        // LC_ALL over LC_CTYPE over LANG; an empty one counts as unset.
        {"ru_RU.UTF-8", "ko_KR.UTF-8", "zh_CN.UTF-8", 1251},
        {"C", "ko_KR.UTF-8", "zh_CN.UTF-8", 1252},
        {nullptr, "ko_KR.UTF-8", "zh_CN.UTF-8", 949},
        {"", "", "zh_CN.UTF-8", 936},
    };
    for (const auto& [lcAll, lcCtype, lang, codePage] : cases)
        EXPECT_EQ(codepage::forEnvironment(lcAll, lcCtype, lang), codePage)
            << (lcAll ? lcAll : "-") << " " << (lcCtype ? lcCtype : "-") << " " << (lang ? lang : "-");
}

TEST(TextFormat, ScriptsReadInTheUsersCodePage) {
    // Each file as the user's code page reads it, and the same text after
    // an edit of a character of that script.
    struct Case {
        const char* what;
        int userCodePage;
        std::string bytes;
        TextFormat format;
        std::string text, edited, editedBytes;  // nothing edited when empty
    };
    const TextFormat western{Encoding::Windows1252, false};
    // clang-format off
    const Case cases[] = {
        {"GBK, Chinese user", 936, "#SAY\r\n\xC4\xE3\xBA\xC3\xA3\xAC\xD3\xC2\xCA\xBF\x80\r\n", {Encoding::CodePage, false, 936},
         "#SAY\r\n\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE5\x8B\x87\xE5\xA3\xAB\xE2\x82\xAC\r\n",  // 你好，勇士€
         "#SAY\r\n\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE6\x88\x98\xE5\xA3\xAB\xE2\x82\xAC\r\n",  // 勇 -> 战
           "#SAY\r\n\xC4\xE3\xBA\xC3\xA3\xAC\xD5\xBD\xCA\xBF\x80\r\n"},
        {"949, Korean user", 949, "[@main]\n\xBE\xC8\xB3\xE7\x8C\x63\n", {Encoding::CodePage, false, 949},
         "[@main]\n\xEC\x95\x88\xEB\x85\x95\xEB\x98\xA0\n",  // 안녕똠 (똠 only in 949, not EUC-KR)
         "[@main]\n\xED\x95\x98\xEB\x85\x95\xEB\x98\xA0\n", "[@main]\n\xC7\xCF\xB3\xE7\x8C\x63\n"},  // 안 -> 하
        {"1251, Russian user", 1251, "\xCF\xF0\xE8\xE2\xE5\xF2, \xE2\xEE\xE8\xED", {Encoding::CodePage, false, 1251},
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xB2\xD0\xBE\xD0\xB8\xD0\xBD",  // Привет, воин
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xB3\xD0\xBE\xD0\xB8\xD0\xBD",  // в -> г
           "\xCF\xF0\xE8\xE2\xE5\xF2, \xE3\xEE\xE8\xED"},
        // A tone mark after its letter stays a character of its own; 0xFD is ư;
        // a typed ấ, which has no byte, is â (0xE2) and the acute accent (0xEC).
        {"1258, Vietnamese user", 1258, "Vi\xEAt a\xCC", {Encoding::CodePage, false, 1258}, "Vi\xC3\xAAt a\xCC\x80",
         "Vi\xC3\xAAt a\xCC\x80\xC6\xB0\xE1\xBA\xA5", "Vi\xEAt a\xCC\xFD\xE2\xEC"},
        // Greek leaves 0x81 and 0xAA unassigned: the first is the control
        // character of its value, the second no character of the page.
        {"1253, Greek user", 1253, "\xE1\x81", {Encoding::CodePage, false, 1253}, "\xCE\xB1\xC2\x81", "", ""},
        {"1253 unassigned, Greek user", 1253, "\xE1\xAA", western, "\xC3\xA1\xC2\xAA", "", ""},
        {"1252, English user", 1252, "Caf\xE9 \x80\x81", western, "Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81",
         "Caf\xC3\xA8 \xE2\x82\xAC\xC2\x81", "Caf\xE8 \x80\x81"},
        // As an English user has always read a Chinese script: byte for byte.
        {"GBK, English user", 1252, "\xC4\xE3\xBA\xC3", western, "\xC3\x84\xC3\xA3\xC2\xBA\xC3\x83", "", ""},
        // 0xFF starts no GBK character: the whole file is read the old way.
        {"broken GBK, Chinese user", 936, "\xC4\xE3\xFF", western, "\xC3\x84\xC3\xA3\xC3\xBF", "", ""},
        // 0xA2CC reads as 十, which Big5 writes 0xA451: not the file's bytes.
        {"Big5 duplicate, Taiwanese user", 950, "\xA4\x51\xA2\xCC", western, "\xC2\xA4Q\xC2\xA2\xC3\x8C", "", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text, out, error;
        TextFormat format;
        ASSERT_TRUE(decodeFile(c.bytes, c.userCodePage, format, text, error));
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(text, c.text);
        ASSERT_TRUE(encode(text, c.format, out, error)) << error;
        EXPECT_EQ(out, c.bytes);
        if (c.edited.empty()) continue;
        ASSERT_TRUE(canEncode({c.edited, {}}, c.format, error) && encode(c.edited, c.format, out, error)) << error;
        EXPECT_EQ(out, c.editedBytes);
    }
}

TEST(TextFormat, EveryByteOfASingleBytePageIsOneCharacterAndBack) {
    for (const int page : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        for (int b = 0x80; b <= 0xFF; ++b) {
            // After a letter, so that a converter would join a combining mark to it.
            const std::string bytes = {'a', static_cast<char>(b)};
            std::string text, out, error;
            TextFormat format;
            ASSERT_TRUE(decodeFile(bytes, page, format, text, error));
            EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }), 2);
            ASSERT_TRUE(encode(text, format, out, error)) << error;
            EXPECT_EQ(out, bytes) << page << " " << b;
            // The euro, where each page has it.
            if (b == (page == 1251 ? 0x88 : 0x80)) { EXPECT_EQ(text, "a\xE2\x82\xAC") << page; }
        }
    }
}

TEST(TextFormat, Utf32WithItsMark) {
    using namespace std::string_literals;
    const TextFormat utf16{Encoding::Utf16LE, true}, western{Encoding::Windows1252, false};
    // bytes, format, text; a form not valid after the mark is read as before
    const std::tuple<std::string, TextFormat, std::string> cases[] = {
        {"\xFF\xFE\0\0A\0\0\0\0\xF6\x01\0"s, {Encoding::Utf32LE, true}, "A\xF0\x9F\x98\x80"},
        {"\0\0\xFE\xFF\0\0\0A\0\0\0\xE9"s, {Encoding::Utf32BE, true}, "A\xC3\xA9"},
        {"\xFF\xFE\0\0A\0\0\0\0\0\x11\0"s, utf16, "\0A\0\0\x11"s},                    // past U+10FFFF
        {"\xFF\xFE\0\0A\0"s, utf16, "\0A"s},                                          // half a unit
        {"\0\0\xFE\xFF\0\0\xD8\0"s, western, "\0\0\xC3\xBE\xC3\xBF\0\0\xC3\x98\0"s},  // a surrogate
    };
    for (const auto& [bytes, format, text] : cases) {
        std::string read, out, error;
        TextFormat as;
        ASSERT_TRUE(decodeFile(bytes, kWestern, as, read, error)) << error;
        EXPECT_EQ(as, format);
        EXPECT_EQ(read, text);
        ASSERT_TRUE(encode(read, format, out, error)) << error;
        EXPECT_EQ(out, bytes);
    }
}

TEST(TextFormat, CharactersCutWhereTheFileOrTheTextIsCutInPieces) {
    // One character between filler, moved across the point where the file
    // is read in two pieces and where the text is written in two.
    using namespace std::string_literals;
    constexpr std::size_t kPiece = fileio::Reader::kPiece;
    struct Case {
        TextFormat format;
        int codePage;
        std::string mark, fill, character, utf8;  // `fill` is "a" in the format
    };
    const Case cases[] = {
        {{Encoding::Utf8, false}, kWestern, "", "a", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {{Encoding::Utf16LE, true}, kWestern, "\xFF\xFE", "a\0"s, "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
        {{Encoding::Utf16BE, true}, kWestern, "\xFE\xFF", "\0a"s, "\xD8\x3D\xDE\x00"s, "\xF0\x9F\x98\x80"},
        {{Encoding::Utf32LE, true}, kWestern, "\xFF\xFE\0\0"s, "a\0\0\0"s, "\0\xF6\x01\0"s, "\xF0\x9F\x98\x80"},
        {{Encoding::CodePage, false, 936}, 936, "", "a", "\xC4\xE3", "\xE4\xBD\xA0"},
        {{Encoding::Windows1252, false}, kWestern, "", "a", "\x80", "\xE2\x82\xAC"},
    };
    for (const Case& c : cases) {
        const std::size_t fileUnits = (kPiece - c.mark.size()) / c.fill.size();
        for (const std::size_t before :
             {fileUnits - 3, fileUnits - 2, fileUnits - 1, kPiece - 3, kPiece - 2, kPiece - 1}) {
            std::string bytes = c.mark, text, out, error;
            for (std::size_t i = 0; i < before + 5; ++i) bytes += i == before ? c.character + c.fill : c.fill;
            const std::string expected = std::string(before, 'a') + c.utf8 + "aaaaa";
            TextFormat format;
            ASSERT_TRUE(decodeFile(bytes, c.codePage, format, text, error)) << error;
            EXPECT_EQ(format, c.format);
            EXPECT_TRUE(text == expected) << "cut " << before;
            const auto append = [&out](std::string_view piece) { return out.append(piece), 0; };
            EXPECT_TRUE(canEncode({expected, {}}, c.format, error) &&
                        encodePieces({expected, {}}, c.format, append, error) == 0);
            EXPECT_TRUE(out == bytes) << "cut " << before;
        }
    }
    // UTF-16 that ends in a surrogate pair, and in half of one.
    std::string text, error;
    TextFormat format;
    EXPECT_TRUE(decodeFile("\xFF\xFEz\0\x3D\xD8\x00\xDE"s, kWestern, format, text, error) &&
                text == "z\xF0\x9F\x98\x80");
    EXPECT_FALSE(decodeFile("\xFF\xFEz\0\x3D\xD8"s, kWestern, format, text, error));
    EXPECT_NE(error.find("half a surrogate pair (D83D) at byte 4"), std::string::npos) << error;
}

TEST(TextFormat, LeastTextOfAFileByItsSizeAndMark) {
    // UTF-16 needs two bytes for each UTF-8 byte at best, UTF-32 four; a UTF-8 mark goes.
    EXPECT_EQ(leastTextBytes(4294967298u, std::string("\0\0\xFE\xFF", 4)), 1073741823u);
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
    for (const char* valid :
         {"", "exactly8!", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xEF\xBF\xBF", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(isValidUtf8(valid)) << testing::PrintToString(valid);
    for (const char* invalid : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xF5\x80\x80\x80", "\x80", "\xC2", "abcdefgh\xE4\xB8", "12345678\xC2\x41"})
        EXPECT_FALSE(isValidUtf8(invalid)) << testing::PrintToString(invalid);
}

}  // namespace
}  // namespace quill::textfile
