#include "dialogs/digit_filter.h"

namespace quill::dialogs {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int filterDigitKey(int keyAscii) { return keyAscii >= 48 && keyAscii <= 57 ? keyAscii : 0; }

bool readsAsNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    std::string_view body = text.substr(begin, end - begin);
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
    int digits = 0;
    int points = 0;
    for (char c : body) {
        if (isDigit(c)) ++digits;
        else if (c == '.' && ++points == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

std::vector<std::string> insertsFor(const std::vector<std::string>& lines) {
    std::vector<std::string> inserts;
    inserts.reserve(lines.size());
    for (const std::string& line : lines) inserts.push_back("\r\n" + line);
    return inserts;
}

}  // namespace quill::dialogs
