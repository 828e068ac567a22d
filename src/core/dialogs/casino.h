#pragma once
// The Dice Scripter's rules: the choices its lists offer, the two composers
// with their messages in the order they are checked.

#include <string>
#include <string_view>
#include <vector>

#include "dialogs/digit_filter.h"

namespace quill::dialogs::casino {

inline constexpr std::string_view kNoSumMessage = "You Must Choose A Sum (Large,Small,Equal)";
inline constexpr std::string_view kNoMultiplierMessage = "You Must Choose A Multiplier (p9 or d0)";
inline constexpr std::string_view kNoAmountMessage = "You Must Choose An Ammount (1-10)";
inline constexpr std::string_view kNoPlayOptionMessage = "You Must Choose A Play Option";
inline constexpr std::string_view kNoDiceCountMessage = "You Must Choose How Many Dice You Wish To Play";
inline constexpr std::string_view kNoMenuNameMessage = "You Must Enter A Menu Name";

// Entries of the five lists, in the order offered.
const std::vector<std::string>& sums();
const std::vector<std::string>& multipliers();
const std::vector<std::string>& amounts();  // "1" to "10"
const std::vector<std::string>& playOptions();
const std::vector<std::string>& diceCounts();  // "1" to "10"

// "Check Dice Ammount": sum, multiplier and amount joined by single blanks.
// An empty text means nothing was chosen in that list.
Outcome checkLine(std::string_view sum, std::string_view multiplier, std::string_view amount);
// "Play Dice Scripter": play option, number of dice and the menu name as
// typed. The first failing input decides the message; later ones are not
// judged.
Outcome playLine(std::string_view playOption, std::string_view diceCount, std::string_view menuName);

}  // namespace quill::dialogs::casino
