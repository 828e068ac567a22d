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
    std::vector<std::string_view> headers;
    forEachLine(text, [&](std::string_view line) {
        if (isHeaderLine(line)) headers.push_back(line);
    });
    return headers;
}

std::vector<std::string_view> headerListRows(std::string_view text) {
    std::vector<std::string_view> rows = scanHeaders(text);
    if (rows.empty()) rows.push_back(kNoHeadersRow);
    rows.insert(rows.begin(), kMenuHeaders);
    return rows;
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

std::string duplicateMessage(std::string_view row) {
    std::string message(kDuplicatePrefix);
    message += row;
    return message;
}

}  // namespace quill::catalogue
