#pragma once
// Where a window opens so that a person can reach all of it: at its own place
// when it fits on the screen there, otherwise moved just enough.

namespace quill::onscreen {

// A rectangle in the screen's pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// `window` (its outer rectangle, frame included) moved the least distance
// that puts it inside `area`, the part of the screen that windows may take.
// A window wider or taller than the area has its left or top edge at the
// area's, where its title bar and its first controls are.
Rect keptInside(const Rect& window, const Rect& area);

}  // namespace quill::onscreen
