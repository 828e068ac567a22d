#include "shell/msgboxex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quill::msgboxex {
namespace {

void replaceAll(std::string& text, std::string_view find, std::string_view by) {
    std::size_t at = 0;
    while ((at = text.find(find, at)) != std::string::npos) {
        text.replace(at, find.size(), by);
        at += by.size();
    }
}

std::string padded(int value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Halves go to the even neighbour, as the layout arithmetic always did.
int wholeTwips(double value) {
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction < 0.5) return static_cast<int>(down);
    if (fraction > 0.5) return static_cast<int>(down) + 1;
    const auto even = static_cast<long long>(down);
    return static_cast<int>(even % 2 == 0 ? even : even + 1);
}

// Frame index order: Okay/Cancel, Yes/No, Retry/Cancel, Okay only.
const std::array<ButtonRowLayout, 4> kRows = {{
    {0,
     1,
     525,
     165,
     180,
     {{{"Command1", "Okay", mbxResultOkay, 1147, 11}, {"Command2", "Cancel", mbxResultCancel, 2947, 10}}},
     2},
    {1, 0, 525, 180, 195, {{{"cmdYes", "&Yes", mbxResultYes, 1147, 8}, {"cmdNo", "&No", mbxResultNo, 2947, 7}}}, 2},
    {2,
     2,
     525,
     150,
     180,
     {{{"Command4", "Retry", mbxResultRetry, 1147, 14}, {"Command3", "Cancel", mbxResultCancel, 2947, 13}}},
     2},
    {3,
     3,
     480,
     120,
     150,
     {{{"cmdOkayOnly", "&Okay", mbxResultOkay, 2002, 16}, {nullptr, nullptr, mbxResultOkay, 0, 0}}},
     1},
}};

}  // namespace

std::string expandPrompt(std::string_view prompt, const ProgramInfo& info) {
    std::string text(prompt);
    replaceAll(text, "|", "\r\n");
    replaceAll(text, "%maj%", std::to_string(info.major));
    replaceAll(text, "%min%", padded(info.minor, 2));
    replaceAll(text, "%rev%", padded(info.revision, 5));
    replaceAll(text, "%path%", info.path);
    replaceAll(text, "%title%", info.title);
    replaceAll(text, "%exe%", info.exe);
    return text;
}

int textAreaFor(std::string_view prompt, bool forceScroll) {
    const auto bars = std::count(prompt.begin(), prompt.end(), '|');
    return (bars <= 7 && !forceScroll) ? 1 : 0;
}

const std::array<ButtonRowLayout, 4>& allRows() { return kRows; }

const ButtonRowLayout& buttonRow(std::int32_t buttons) {
    switch (buttons) {
        case mbxOkayOnly: return kRows[3];
        case mbxRetryCancel: return kRows[2];
        case mbxYesNo: return kRows[1];
        default: return kRows[0];
    }
}

Point placement(std::int32_t position, int width, int height, int screenWidth, int screenHeight, Point keep,
                Point previous) {
    switch (position) {
        case mbxPosCentre:
            return {wholeTwips(screenWidth / 2.0 - width / 2.0), wholeTwips(screenHeight / 2.0 - height / 2.0)};
        case mbxPosTopLeft: return {0, 0};
        case mbxPosTopRight: return {screenWidth - width, 0};
        case mbxPosBottomLeft: return {0, screenHeight - height};
        case mbxPosBottomRight: return {screenWidth - width, screenHeight - height};
        case mbxPosKeep: return keep;
        default: return previous;
    }
}

int autoCloseSeconds(std::int32_t requested) {
    if (requested <= 0) return 0;
    return std::min<std::int32_t>(requested, 64);
}

}  // namespace quill::msgboxex
