#include "shell/msgboxex.h"

#include <gtest/gtest.h>

#include <string>

namespace quill::msgboxex {
namespace {

const ProgramInfo kInfo{3, 0, 6, "/opt/quill", "Quillmoor v3", "Quillmoor"};

TEST(MsgBoxExPrompt, ExpandsBreaksAndTokensInOrder) {
    const std::tuple<const char*, ProgramInfo, const char*> cases[] = {
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
    for (const auto& [prompt, info, expected] : cases) EXPECT_EQ(expandPrompt(prompt, info), expected) << prompt;
}

TEST(MsgBoxExPrompt, SevenBreaksFitWithoutScrollBar) {
    // Only the prompt's own bars count, not those a token brings in.
    // clang-format off
    for (auto [prompt, force, area] : {std::tuple{"1|2|3|4|5|6|7|8", false, 1}, {"1|2|3|4|5|6|7|8|9", false, 0},
                                       {"no breaks", true, 0}, {"", false, 1}, {"%path%%path%", false, 1}})
        EXPECT_EQ(textAreaFor(prompt, force), area) << prompt;
    // clang-format on
}

// The rows themselves are checked as the box shows them, in tst_wMsgBoxEx.
TEST(MsgBoxExButtons, AValueOutsideTheFourGetsOkayAndCancel) {
    for (std::int32_t value : {-1, 4, INT32_MAX}) EXPECT_EQ(&buttonRow(value), &buttonRow(mbxOkayCancel)) << value;
}

TEST(MsgBoxExPlacement, CornersCentreAndKeep) {
    const Point keep{4200, 5000}, previous{11, 22};
    // position, outer width and height, screen width and height -> left, top
    // clang-format off
    const std::tuple<std::int32_t, int, int, int, int, Point> cases[] = {
        {mbxPosCentre, 5895, 2730, 15360, 11520, {4732, 4395}},  // 4732.5 goes down to the even 4732
        {mbxPosCentre, 5895, 2731, 15360, 11521, {4732, 4395}},  // 4395 exactly
        {mbxPosCentre, 5895, 2729, 15360, 11520, {4732, 4396}},  // 4395.5 goes up to the even 4396
        {mbxPosCentre, 20000, 2730, 15360, 11520, {-2320, 4395}},
        {mbxPosTopRight, 5895, 2730, 15360, 11520, {9465, 0}},  {mbxPosBottomLeft, 5895, 2730, 15360, 11520, {0, 8790}},
        {mbxPosKeep, 5895, 2730, 15360, 11520, keep},         {6, 5895, 2730, 15360, 11520, previous},
    };
    // clang-format on
    for (const auto& [position, w, h, sw, sh, expected] : cases) {
        const Point p = placement(position, w, h, sw, sh, keep, previous);
        EXPECT_EQ(std::pair(p.left, p.top), std::pair(expected.left, expected.top)) << position << " " << w << "x" << h;
    }
    EXPECT_EQ(frameTop(2730), 1785);
    EXPECT_EQ(textHeight(2730), 1575);
}

TEST(MsgBoxExAutoClose, ClampedToOneToSixtyFourSeconds) {
    for (auto [in, out] : {std::pair{0, 0}, {INT32_MIN, 0}, {1, 1}, {64, 64}, {65, 64}, {INT32_MAX, 64}})
        EXPECT_EQ(autoCloseSeconds(in), out) << in;
}

}  // namespace
}  // namespace quill::msgboxex
