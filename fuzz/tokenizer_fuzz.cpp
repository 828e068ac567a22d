// Random bytes as a script, coloured by a fixed language: the program's own
// "NPC Script.ini" or a definition with block comments, so that the state a
// line starts in matters. The editor colours a range starting at a line, in
// the state the byte before it left, and ending anywhere; for every such
// range the styles must cover exactly the range, and must be those of a run
// over the whole text (up to the range's last line start, where a cut word
// may differ until the editor asks for the rest).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/language.h"
#include "shell/tokenizer.h"

namespace {

using quill::lexer::Tokenizer;

struct Styles : quill::lexer::Sink {
    std::vector<unsigned char> byByte;
    int previous = -1;
    void span(std::size_t offset, std::size_t length, int style) override {
        // Every byte once, in order, a run never empty nor of the same style
        // as the one before it.
        if (offset != byByte.size() || length == 0 || style == previous) std::abort();
        if (style < 0 || style >= quill::lexer::kStyleCount) std::abort();
        byByte.insert(byByte.end(), length, static_cast<unsigned char>(style));
        previous = style;
    }
};

const Tokenizer& language(unsigned which) {
    static const auto load = [](const char* file) {
        const quill::language::LanguageDefinition d =
            quill::language::readDefinition(std::string(QUILL_SOURCE_DIR) + file);
        if (d.lists[quill::language::Keywords].empty()) std::abort();  // the file was not found
        return Tokenizer(d);
    };
    static const Tokenizer program = load("/resources/NPC Script.ini");
    static const Tokenizer blocks = load("/tests/data/lexer/custom.ini");
    return which % 2 == 0 ? program : blocks;
}

// Where the editor's lines start: after LF, after CR not followed by LF.
std::vector<std::size_t> lineStarts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            starts.push_back(i + 1);
    return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0) return 0;
    const Tokenizer& tokenizer = language(bytes[0]);
    const std::string_view text(reinterpret_cast<const char*>(bytes) + 1, size - 1);

    Styles whole;
    tokenizer.run(text, 0, whole);
    if (whole.byByte.size() != text.size()) std::abort();

    const std::vector<std::size_t> starts = lineStarts(text);
    // A few dozen line starts spread over the text keep each input quick.
    const std::size_t step = starts.size() / 32 + 1;
    for (std::size_t k = 0; k < starts.size(); k += step) {
        const std::size_t from = starts[k];
        const int state = from == 0 ? 0 : Tokenizer::stateBefore(whole.byByte[from - 1]);
        // To the end of the text, and to a point that the input picks.
        const std::size_t pick = from + (bytes[(k * 7 + 1) % size] * 131u + k) % (text.size() - from + 1);
        for (const std::size_t end : {text.size(), pick}) {
            Styles part;
            tokenizer.run(text.substr(from, end - from), state, part);
            if (part.byByte.size() != end - from) std::abort();
            const std::size_t settled = *std::prev(std::upper_bound(starts.begin(), starts.end(), end));
            const std::size_t same = end == text.size() ? end - from : std::max(settled, from) - from;
            if (!std::equal(part.byByte.begin(), part.byByte.begin() + static_cast<std::ptrdiff_t>(same),
                            whole.byByte.begin() + static_cast<std::ptrdiff_t>(from)))
                std::abort();
        }
    }
    return 0;
}
