#include "shell/msgboxex.h"

#include <gtest/gtest.h>

#include <string>

namespace quill::msgboxex {
namespace {

const ProgramInfo kInfo{3, 0, 6, "/opt/quill", "Quillmoor v3", "Quillmoor"};

struct Expansion {
    const char* prompt;
    ProgramInfo info;
    const char* expected;
};

TEST(MsgBoxExPrompt, ExpandsBreaksAndTokensInOrder) {
    const Expansion cases[] = {
        {"Line one|Line two||", kInfo, "Line one\r\nLine two\r\n\r\n"},
        {"v%maj%.%min%.%rev%", kInfo, "v3.00.00006"},
        {"%min%/%rev%", {1, 123, 1234567, "", "", ""}, "123/1234567"},
        {"%path% %title% %exe% %exe%", kInfo, "/opt/quill Quillmoor v3 Quillmoor Quillmoor"},
        // A value brought in by an earlier token is expanded by a later one...
        {"%path%", {3, 0, 6, "/x/%title%/%exe%", "T", "E"}, "/x/T/E"},
        // ...but never by an earlier one, and "|" in a value is not a break.
        {"%exe%", {3, 0, 6, "", "", "a|%maj%"}, "a|%maj%"},
        // Case-sensitive; a "|" inside a token breaks it first.
        {"%MAJ% %Title% %ma|j%", kInfo, "%MAJ% %Title% %ma\r\nj%"},
        {"", kInfo, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(expandPrompt(c.prompt, c.info), c.expected) << c.prompt;
}

TEST(MsgBoxExPrompt, SevenBreaksFitWithoutScrollBar) {
    EXPECT_EQ(textAreaFor("1|2|3|4|5|6|7|8", false), 1);
    EXPECT_EQ(textAreaFor("1|2|3|4|5|6|7|8|9", false), 0);
    EXPECT_EQ(textAreaFor("no breaks", true), 0);
    EXPECT_EQ(textAreaFor("", false), 1);
    // Only the prompt's own bars count, not those a token brings in.
    EXPECT_EQ(textAreaFor("%path%%path%", false), 1);
}

struct RowCase {
    std::int32_t buttons;
    int frame, picture;
    const char* names[2];
    const char* captions[2];
    MsgBoxExResult results[2];
    int lefts[2];
    int tabs[2];
    int buttonTop;
};

TEST(MsgBoxExButtons, EachValueGetsItsRow) {
    const RowCase cases[] = {
        {mbxOkayOnly, 3, 3, {"cmdOkayOnly"}, {"&Okay"}, {mbxResultOkay}, {2002}, {16}, 150},
        {mbxOkayCancel, 0, 1, {"Command1", "Command2"}, {"Okay", "Cancel"}, {mbxResultOkay, mbxResultCancel},
         {1147, 2947}, {11, 10}, 180},
        {mbxRetryCancel, 2, 2, {"Command4", "Command3"}, {"Retry", "Cancel"}, {mbxResultRetry, mbxResultCancel},
         {1147, 2947}, {14, 13}, 180},
        {mbxYesNo, 1, 0, {"cmdYes", "cmdNo"}, {"&Yes", "&No"}, {mbxResultYes, mbxResultNo}, {1147, 2947}, {8, 7}, 195},
        {-1, 0, 1, {"Command1", "Command2"}, {"Okay", "Cancel"}, {mbxResultOkay, mbxResultCancel}, {1147, 2947},
         {11, 10}, 180},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buttons);
        const ButtonRowLayout& row = buttonRow(c.buttons);
        EXPECT_EQ(row.frame, c.frame);
        EXPECT_EQ(row.picture, c.picture);
        EXPECT_EQ(row.buttonTop, c.buttonTop);
        EXPECT_EQ(row.buttonCount, c.names[1] ? 2 : 1);
        for (int i = 0; i < row.buttonCount; ++i) {
            const ButtonLayout& b = row.buttons[static_cast<std::size_t>(i)];
            EXPECT_STREQ(b.name, c.names[i]);
            EXPECT_STREQ(b.caption, c.captions[i]);
            EXPECT_EQ(b.result, c.results[i]);
            EXPECT_EQ(b.left, c.lefts[i]);
            EXPECT_EQ(b.tabIndex, c.tabs[i]);
        }
    }
}

TEST(MsgBoxExPlacement, CornersCentreAndKeep) {
    const Point keep{4200, 5000};
    const Point previous{11, 22};
    struct Case {
        std::int32_t position;
        int w, h, sw, sh;
        Point expected;
    } cases[] = {
        {mbxPosCentre, 5895, 2730, 15360, 11520, {4732, 4395}},  // 4732.5 goes down to the even 4732
        {mbxPosCentre, 5895, 2731, 15360, 11521, {4732, 4395}},  // 4395 exactly
        {mbxPosCentre, 5895, 2729, 15360, 11520, {4732, 4396}},  // 4395.5 goes up to the even 4396
        {mbxPosCentre, 20000, 2730, 15360, 11520, {-2320, 4395}},
        {mbxPosTopLeft, 5895, 2730, 15360, 11520, {0, 0}},
        {mbxPosTopRight, 5895, 2730, 15360, 11520, {9465, 0}},
        {mbxPosBottomLeft, 5895, 2730, 15360, 11520, {0, 8790}},
        {mbxPosBottomRight, 5895, 2730, 15360, 11520, {9465, 8790}},
        {mbxPosKeep, 5895, 2730, 15360, 11520, keep},
        {6, 5895, 2730, 15360, 11520, previous},
    };
    for (const auto& c : cases) {
        const Point p = placement(c.position, c.w, c.h, c.sw, c.sh, keep, previous);
        EXPECT_EQ(p.left, c.expected.left) << c.position << " " << c.w;
        EXPECT_EQ(p.top, c.expected.top) << c.position << " " << c.h;
    }
    EXPECT_EQ(frameTop(2730), 1785);
    EXPECT_EQ(textHeight(2730), 1575);
}

TEST(MsgBoxExAutoClose, ClampedToOneToSixtyFourSeconds) {
    const std::pair<std::int32_t, int> cases[] = {{0, 0}, {INT32_MIN, 0}, {1, 1}, {64, 64}, {65, 64}, {INT32_MAX, 64}};
    for (auto [in, out] : cases) EXPECT_EQ(autoCloseSeconds(in), out) << in;
}

}  // namespace
}  // namespace quill::msgboxex
