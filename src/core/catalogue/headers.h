#pragma once
// The menu-header list of a script and the duplicate-label check, on the
// editor's UTF-8 bytes.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::catalogue {

// The list's title row, and the left pane selector's row that shows the list.
inline constexpr std::string_view kMenuHeaders = "--Menu Headers--";
inline constexpr std::string_view kNoHeadersRow = "None Found";
inline constexpr std::string_view kDuplicateTitle = "[Error]";
inline constexpr std::string_view kDuplicatePrefix = "Duplicate Menu Found : ";

// A line (without its line break) that opens a menu section: "[" first and
// "]" last, nothing trimmed.
constexpr bool isHeaderLine(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

// The header lines of `text` in script order, as views into `text`. Lines
// end at CR LF, LF or a lone CR, as in the editor.
std::vector<std::string_view> scanHeaders(std::string_view text);

// Indexes (from 0) of the lines of the text that contain `needle`; the text
// in one run, or in two that follow each other, as an editor holds it around
// the place of its last edit, when `head` is empty or ends with a line break.
std::vector<std::size_t> linesContaining(std::string_view text, std::string_view needle);
std::vector<std::size_t> linesContaining(std::string_view head, std::string_view tail, std::string_view needle);

std::string duplicateMessage(std::string_view row);

// Row `row` equals `times` later rows: comparing every pair (i < j) in order
// reports row i's text once per later equal row j. Reports come in the order
// of i, so expanding each into `times` messages gives the pairwise order.
struct DuplicateReport {
    std::size_t row;
    std::size_t times;
    friend bool operator==(const DuplicateReport&, const DuplicateReport&) = default;
};

// Works in time linear in rows.size(): a header that occurs k times costs k
// lookups, not k * k comparisons, although it still gives k(k-1)/2 messages.
// The lookups go to one flat table, so 200,000 headers cost milliseconds.
template <class Row, class Hash = std::hash<Row>>
std::vector<DuplicateReport> findDuplicates(const std::vector<Row>& rows) {
    const std::size_t n = rows.size();
    std::size_t capacity = 16;
    while (capacity < 2 * n) capacity *= 2;
    // Each slot holds a row's hash and 1 + the index of the first row with
    // its text; 0 marks an empty slot.
    struct Slot {
        std::size_t hash = 0;
        std::size_t first = 0;
    };
    std::vector<Slot> table(capacity);
    std::vector<std::size_t> first(n);         // the first row equal to each row
    std::vector<std::size_t> remaining(n, 0);  // by first row: copies not yet passed
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t hash = Hash{}(rows[i]);
        for (std::size_t at = hash & (capacity - 1);; at = (at + 1) & (capacity - 1)) {
            Slot& slot = table[at];
            if (slot.first == 0) {
                slot = {hash, i + 1};
                first[i] = i;
                break;
            }
            if (slot.hash == hash && rows[slot.first - 1] == rows[i]) {
                first[i] = slot.first - 1;
                break;
            }
        }
        ++remaining[first[i]];
    }
    std::vector<DuplicateReport> reports;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t later = --remaining[first[i]];
        if (later > 0) reports.push_back({i, later});
    }
    return reports;
}

}  // namespace quill::catalogue
