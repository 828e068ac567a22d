#include "shell/on_screen.h"

#include <gtest/gtest.h>

namespace quill::onscreen {
namespace {

// An 800x600 screen whose task bar takes its bottom 40 pixels.
TEST(OnScreen, AWindowMovesOnlyAsFarAsItMust) {
    const Rect area{0, 0, 800, 560};
    const struct {
        Rect window, kept;
    } cases[] = {
        {{100, 50, 300, 200}, {100, 50, 300, 200}},    // fits where it is
        {{700, 500, 300, 200}, {500, 360, 300, 200}},  // over the right and bottom edges
        {{-20, -5, 300, 200}, {0, 0, 300, 200}},       // over the left and top edges
        {{263, 526, 1362, 561}, {0, 0, 1362, 561}},    // larger than the area: its top-left corner
        {{900, 100, 800, 100}, {0, 100, 800, 100}},    // exactly as wide as the area
    };
    for (const auto& c : cases) EXPECT_EQ(keptInside(c.window, area), c.kept) << c.window.left << "," << c.window.top;
    // A second screen to the right of the first.
    EXPECT_EQ(keptInside({1700, 10, 300, 200}, {800, 0, 1024, 768}), (Rect{1524, 10, 300, 200}));
}

}  // namespace
}  // namespace quill::onscreen
