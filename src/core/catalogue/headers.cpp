#include "catalogue/headers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quill::catalogue {
namespace {

// The first CR or LF at or after p, or end. This runs once per line of the
// script at every refresh, so it looks at 16 bytes a step where it can.
const char* findLineBreak(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
}

// Calls visit(line) for every line of text, line breaks left out. An empty
// text is one empty line, and a text ending in a break has an empty last line.
template <class Visit>
void forEachLine(std::string_view text, Visit&& visit) {
    const char* p = text.data();
    const char* const end = p + text.size();
    for (;;) {
        const char* brk = findLineBreak(p, end);
        visit(std::string_view(p, static_cast<std::size_t>(brk - p)));
        if (brk == end) return;
        p = brk + 1;
        if (*brk == '\r' && p < end && *p == '\n') ++p;
    }
}

}  // namespace

std::vector<std::string_view> scanHeaders(std::string_view text) {
    // A header starts a line with "[": only such lines are looked at to their
    // end, so the refresh of a large script costs about one pass over its
    // bytes, whatever its number of lines.
    std::vector<std::string_view> headers;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const auto lineFrom = [&](const char* p) {
        const char* brk = findLineBreak(p, end);
        if (brk[-1] == ']' && brk - p >= 2) headers.emplace_back(p, static_cast<std::size_t>(brk - p));
    };
    if (begin == end) return headers;
    if (*begin == '[') lineFrom(begin);
    const char* p = begin + 1;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('[');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1));
        const __m128i lineStart = _mm_or_si128(_mm_cmpeq_epi8(before, cr), _mm_cmpeq_epi8(before, lf));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(v, open), lineStart)));
        while (mask != 0) {
            lineFrom(p + __builtin_ctz(mask));
            mask &= mask - 1;
        }
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '[' && (p[-1] == '\r' || p[-1] == '\n')) lineFrom(p);
    return headers;
}

std::vector<std::size_t> linesContaining(std::string_view text, std::string_view needle) {
    std::vector<std::size_t> found;
    std::size_t n = 0;
    forEachLine(text, [&](std::string_view line) {
        if (line.find(needle) != std::string_view::npos) found.push_back(n);
        ++n;
    });
    return found;
}

std::vector<std::size_t> linesContaining(std::string_view head, std::string_view tail, std::string_view needle) {
    if (head.empty()) return linesContaining(tail, needle);
    // The head's lines without the empty one after its last break.
    head.remove_suffix(head.size() >= 2 && head.substr(head.size() - 2) == "\r\n" ? 2 : 1);
    std::vector<std::size_t> found = linesContaining(head, needle);
    std::size_t lines = 0;
    forEachLine(head, [&](std::string_view) { ++lines; });
    for (const std::size_t n : linesContaining(tail, needle)) found.push_back(lines + n);
    return found;
}

std::string duplicateMessage(std::string_view row) {
    std::string message(kDuplicatePrefix);
    message += row;
    return message;
}

}  // namespace quill::catalogue
