#include "shell/on_screen.h"

#include <algorithm>

namespace quill::onscreen {
namespace {

// The start of a span of `length` moved the least into the span of the area.
int keptStart(int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength) return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

}  // namespace

Rect keptInside(const Rect& window, const Rect& area) {
    return {keptStart(window.left, window.width, area.left, area.width),
            keptStart(window.top, window.height, area.top, area.height), window.width, window.height};
}

}  // namespace quill::onscreen
