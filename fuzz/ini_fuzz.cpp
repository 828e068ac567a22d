// Random bytes as an INI file: reading, updating and writing it back, and the
// language lists and colouring built from it, must neither crash nor trip a
// sanitizer; what is written must read back, and a write must leave every
// line but the one it sets as it was.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "shell/ini.h"
#include "shell/language.h"
#include "shell/tokenizer.h"

namespace {

struct Discard : quill::lexer::Sink {
    std::size_t covered = 0;
    void span(std::size_t offset, std::size_t length, int) override {
        if (offset != covered) std::abort();
        covered += length;
    }
};

// Splits the input: the first bytes name the section, key and value to write.
std::string_view take(std::string_view& data, std::size_t n) {
    n = std::min(n, data.size());
    const std::string_view out = data.substr(0, n);
    data.remove_prefix(n);
    return out;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

struct Line {
    std::string_view text, end;
};

// CR LF, LF and a lone CR each end a line.
std::vector<Line> linesOf(std::string_view s) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t end = pos;
        while (end < s.size() && s[end] != '\r' && s[end] != '\n') ++end;
        std::size_t next = end;
        if (next < s.size()) next += s.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({s.substr(pos, end - pos), s.substr(end, next - end)});
        pos = next;
    }
    return lines;
}

// Whether `text` is the line of `key` (any letter case) holding `value`.
bool isEntryOf(std::string_view text, std::string_view key) {
    const std::size_t eq = text.find('=');
    return eq != std::string_view::npos && sameName(trimBlanks(text.substr(0, eq)), trimBlanks(key));
}

// `after` is `before` with the line of `key` set to `value`, or with that line
// (after its section's line when the section was missing) added; the last
// line may have gained the line break it lacked. Nothing else changed.
void checkOnlyTheLineWritten(std::string_view before, std::string_view after, std::string_view section,
                             std::string_view key, std::string_view value) {
    const std::vector<Line> o = linesOf(before), u = linesOf(after);
    const auto same = [&](std::size_t i, std::size_t j) {
        return o[i].text == u[j].text && (o[i].end == u[j].end || (i + 1 == o.size() && o[i].end.empty()));
    };
    std::size_t head = 0, tail = 0;
    while (head < o.size() && head < u.size() && same(head, head)) ++head;
    while (tail < o.size() - head && tail < u.size() - head && same(o.size() - 1 - tail, u.size() - 1 - tail)) ++tail;
    const std::size_t removed = o.size() - head - tail, added = u.size() - head - tail;
    if (removed > 1 || added > 2 || (removed == 1 && added != 1)) std::abort();
    if (removed == 1 && !isEntryOf(o[head].text, key)) std::abort();
    for (std::size_t j = head; j < head + added; ++j) {
        const std::string_view text = u[j].text;
        const bool sectionLine = text == "[" + std::string(trimBlanks(section)) + "]";
        const bool keyLine = isEntryOf(text, key) && text.substr(text.find('=') + 1) == value;
        if (!sectionLine && !keyLine) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::size_t header = data.empty() ? 0 : static_cast<unsigned char>(data[0]) % 16;
    take(data, 1);
    const std::string_view section = take(data, header % 5 + 1);
    const std::string_view key = take(data, header % 7 + 1);
    const std::string_view value = take(data, header);
    const std::string content(data);

    // In memory.
    (void)quill::ini::lookup(content, section, key, "default");
    if (quill::ini::writable(section, key, value)) {
        const std::string updated = quill::ini::update(content, section, key, value);
        std::string_view expected = trimBlanks(value);
        // One pair of matching quotes is dropped on reading.
        if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
            expected.back() == expected.front())
            expected = expected.substr(1, expected.size() - 2);
        if (quill::ini::lookup(updated, section, key, "") != expected) std::abort();
        checkOnlyTheLineWritten(content, updated, section, key, value);
    }

    // On disk, as the program does it.
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ini_fuzz_" + std::to_string(::getpid()) + ".ini");
    { std::ofstream(file, std::ios::binary | std::ios::trunc) << content; }
    const bool written = quill::ini::writeValue(file.string(), section, key, value);
    {
        std::ifstream in(file, std::ios::binary);
        const std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (written) checkOnlyTheLineWritten(content, onDisk, section, key, value);
        else if (onDisk != content)
            std::abort();
    }
    const quill::language::LanguageDefinition definition = quill::language::readDefinition(file.string());

    // The language from it colours its own text, every byte once.
    const quill::lexer::Tokenizer tokenizer(definition);
    Discard sink;
    tokenizer.run(content, 0, sink);
    if (sink.covered != content.size()) std::abort();
    return 0;
}
