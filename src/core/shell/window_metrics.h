#pragma once
// What "Settings.ini" receives when the main window closes.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quill::metrics {

inline constexpr std::string_view kSection = "Window Metrics";

// A window's outer rectangle in twips, as measured on the screen.
struct WindowTwips {
    bool minimised = false;
    double left = 0, top = 0, width = 0, height = 0;
};

// Plain decimal text: a "-" before a negative number, no blank, no thousands
// separator, and a fractional part only when the number has one.
std::string formatNumber(double value);

// The keys and values to write, in the order they are written; nothing for a
// minimised window (its rectangle says nothing about where it will reopen).
std::vector<std::pair<std::string, std::string>> entries(const WindowTwips& window);

}  // namespace quill::metrics
