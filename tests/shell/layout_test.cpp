#include "shell/layout.h"

#include <gtest/gtest.h>

namespace quill::layout {
namespace {

TEST(Layout, EditorFollowsTheClientArea) {
    struct Case {
        int clientWidth, clientHeight, listWidth, width, height;
    };
    const Case cases[] = {
        {9330, 6405, 2175, 7055, 5290},                                // the size the window opens with
        {9330, 1131, 2175, 7055, 16},   {9330, 1130, 2175, 7055, 15},  // at or below 1130 the editor keeps 15 twips
        {9330, 0, 2175, 7055, 15},      {2000, -50, 2175, -275, 15},   // a width below zero is the caller's to skip
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editorWidth(c.clientWidth, c.listWidth), c.width);
        EXPECT_EQ(editorHeight(c.clientHeight), c.height) << "client height " << c.clientHeight;
    }
}

}  // namespace
}  // namespace quill::layout
