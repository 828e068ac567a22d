#pragma once
// Window geometry is designed in twips (1/1440 inch); the window layer turns
// it into pixels at the screen's logical DPI (15 twips a pixel at 96 DPI).

#include <cmath>

namespace quill {

inline constexpr int kTwipsPerInch = 1440;

inline int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline int pixelsToTwips(double pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

}  // namespace quill
