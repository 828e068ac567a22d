#pragma once
// The rules the generator dialogs share: the key filter of their number
// boxes, what reads as a number, and how a composed list enters the script.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::dialogs {

// Judges one typed character by its code: a digit ("0" to "9") comes back
// unchanged, anything else (letters, signs, blanks, and the control
// characters that keys type, Backspace among them) comes back as 0, which
// cancels it. Keys that type nothing are never put to this rule.
int filterDigitKey(int keyAscii);

// True for one or more digits, optionally with one leading sign and one
// decimal point, optionally surrounded by blanks: "5", " 12 ", "-3", "2.5".
// The empty text and blanks alone are not numbers.
bool readsAsNumber(std::string_view text);

// Either one line to add to a dialog's list or one message for the user.
// An empty title leaves the box its default title, the program's.
struct Outcome {
    std::optional<std::string> line;
    std::string message;
    std::string title;

    static Outcome add(std::string text) { return {std::move(text), {}, {}}; }
    static Outcome refuse(std::string text, std::string boxTitle = {}) {
        return {std::nullopt, std::move(text), std::move(boxTitle)};
    }
};

// The texts that put `lines` into the script, one InsertText call each:
// every line after its own CR LF, so each lands on a line of its own.
std::vector<std::string> insertsFor(const std::vector<std::string>& lines);

}  // namespace quill::dialogs
