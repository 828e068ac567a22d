#include "dialogs/casino.h"

namespace quill::dialogs::casino {
namespace {

std::vector<std::string> oneToTen() {
    std::vector<std::string> numbers;
    for (int n = 1; n <= 10; ++n) numbers.push_back(std::to_string(n));
    return numbers;
}

std::string joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string text(a);
    text += ' ';
    text += b;
    text += ' ';
    text += c;
    return text;
}

}  // namespace

const std::vector<std::string>& sums() {
    static const std::vector<std::string> entries{"Equal", "Small", "Large", "Mov"};
    return entries;
}

const std::vector<std::string>& multipliers() {
    static const std::vector<std::string> entries{"p9", "d0"};
    return entries;
}

const std::vector<std::string>& amounts() {
    static const std::vector<std::string> entries = oneToTen();
    return entries;
}

const std::vector<std::string>& playOptions() {
    static const std::vector<std::string> entries{"playdice"};
    return entries;
}

const std::vector<std::string>& diceCounts() {
    static const std::vector<std::string> entries = oneToTen();
    return entries;
}

Outcome checkLine(std::string_view sum, std::string_view multiplier, std::string_view amount) {
    if (sum.empty()) return Outcome::refuse(std::string(kNoSumMessage));
    if (multiplier.empty()) return Outcome::refuse(std::string(kNoMultiplierMessage));
    if (amount.empty()) return Outcome::refuse(std::string(kNoAmountMessage));
    return Outcome::add(joined(sum, multiplier, amount));
}

Outcome playLine(std::string_view playOption, std::string_view diceCount, std::string_view menuName) {
    if (playOption.empty()) return Outcome::refuse(std::string(kNoPlayOptionMessage));
    if (!readsAsNumber(diceCount)) return Outcome::refuse(std::string(kNoDiceCountMessage));
    if (menuName.empty()) return Outcome::refuse(std::string(kNoMenuNameMessage));
    return Outcome::add(joined(playOption, diceCount, menuName));
}

}  // namespace quill::dialogs::casino
