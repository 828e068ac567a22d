#pragma once
// The extended message box's rules, apart from its window: the prompt's
// tokens, which text area and which button row a call gets, where the box
// goes on the screen and how long it may stay.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

enum MsgBoxExIcon : std::int32_t {
    mbxIconInformation = 0,
    mbxIconQuestion = 1,
    mbxIconWarning = 2,
    mbxIconError = 3,
};

enum MsgBoxExButtons : std::int32_t {
    mbxOkayOnly = 0,
    mbxOkayCancel = 1,
    mbxRetryCancel = 2,
    mbxYesNo = 3,
};

enum MsgBoxExResult : std::int32_t {
    mbxResultOkay = 0,
    mbxResultCancel = 1,
    mbxResultYes = 2,
    mbxResultNo = 3,
    mbxResultRetry = 4,
};

enum MsgBoxExPosition : std::int32_t {
    mbxPosCentre = 0,
    mbxPosTopLeft = 1,
    mbxPosTopRight = 2,
    mbxPosBottomLeft = 3,
    mbxPosBottomRight = 4,
    mbxPosKeep = 5,
};

namespace msgboxex {

// What the prompt's tokens stand for.
struct ProgramInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string path;  // the folder the program runs from
    std::string title;
    std::string exe;  // executable name without extension
};

// "|" becomes CR LF, then %maj%, %min%, %rev%, %path%, %title%, %exe% in that
// order, each over the result of the one before.
std::string expandPrompt(std::string_view prompt, const ProgramInfo& info);

// The index of the text area the message goes to: 1 (no scroll bar) for at
// most seven "|" without ForceScroll, else 0 (with the scroll bar).
int textAreaFor(std::string_view prompt, bool forceScroll);

struct ButtonLayout {
    const char* name;     // objectName
    const char* caption;  // with the access key's ampersand
    MsgBoxExResult result;
    int left;  // twips, relative to the client area
    int tabIndex;
};

struct ButtonRowLayout {
    int frame;                            // fraContainer index
    int picture;                          // picContainer index inside that frame
    int pictureLeft, pictureTop;          // twips, relative to the frame
    int buttonTop;                        // twips below the frame's top
    std::array<ButtonLayout, 2> buttons;  // left to right
    int buttonCount;
};

// The row for a Buttons value; anything outside 0 to 3 gets Okay and Cancel.
const ButtonRowLayout& buttonRow(std::int32_t buttons);
// The four rows by frame index, for building the window.
const std::array<ButtonRowLayout, 4>& allRows();

// Geometry of the window as laid out, in twips.
inline constexpr int kClientWidth = 5805;
inline constexpr int kClientHeight = 2370;
// Outer size with the tool window's caption bar and borders, used when the
// window system cannot tell them before the box is shown.
inline constexpr int kOuterWidth = 5895;
inline constexpr int kOuterHeight = 2730;
inline constexpr int kKeepClientLeft = 4290;
inline constexpr int kKeepClientTop = 5100;
inline constexpr int kFrameLeft = -495;
inline constexpr int kFrameWidth = 6450;
inline constexpr int kFrameHeight = 690;
inline constexpr int kPictureWidth = 5745;
inline constexpr int kPictureHeight = 420;
inline constexpr int kButtonWidth = 1770;
inline constexpr int kButtonHeight = 330;

// The button row's top and the text area's height for an outer height.
inline int frameTop(int outerHeight) { return outerHeight - 945; }
inline int textHeight(int outerHeight) { return outerHeight - 1155; }

struct Point {
    int left = 0;
    int top = 0;
    bool operator==(const Point&) const = default;
};

// Where the box goes, in whole twips (halves go to the even neighbour).
// `keep` is the window's own place, used for mbxPosKeep; a Position outside
// 0 to 5 keeps `previous`.
Point placement(std::int32_t position, int width, int height, int screenWidth, int screenHeight, Point keep,
                Point previous);

// Seconds until the box closes itself: 0 for none, else 1 to 64.
int autoCloseSeconds(std::int32_t requested);

}  // namespace msgboxex
}  // namespace quill
