#include "shell/on_screen.h"

#include <gtest/gtest.h>

namespace quill::onscreen {

TEST(OnScreen, AWindowMovesOnlyAsFarAsItMust) {
    const Rect area{800, 0, 800, 560};  // a second screen, its bottom 40 pixels a task bar
    EXPECT_EQ(keptInside({900, 50, 300, 200}, area), (Rect{900, 50, 300, 200}));      // fits where it is
    EXPECT_EQ(keptInside({1500, 500, 300, 200}, area), (Rect{1300, 360, 300, 200}));  // over right and bottom
    EXPECT_EQ(keptInside({780, -5, 300, 200}, area), (Rect{800, 0, 300, 200}));       // over left and top
    EXPECT_EQ(keptInside({900, 10, 1362, 561}, area), (Rect{800, 0, 1362, 561}));     // larger: its top-left corner
}

}  // namespace quill::onscreen
