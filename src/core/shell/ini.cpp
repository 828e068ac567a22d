#include "shell/ini.h"

#include "shell/file_io.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "shell/ascii.h"
#include "shell/text_format.h"

namespace quill::ini {
namespace {

namespace fs = std::filesystem;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// One line of the file: [begin, end) is its text, [end, next) its line break:
// CR LF, LF or a lone CR, as the editors that touch these files write them.
struct Line {
    std::size_t begin, end, next;
    enum Kind { Other, Section, Entry } kind;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // entry value, trimmed
};

std::vector<Line> parse(std::string_view content) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        std::size_t next;
        if (end == std::string_view::npos) end = next = content.size();
        else
            next = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        Line line{pos, end, next, Line::Other, {}, {}};
        const std::string_view text = trim(content.substr(pos, end - pos));
        if (!text.empty() && text.front() == '[') {
            const std::size_t close = text.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                line.kind = Line::Section;
                line.name = trim(text.substr(1, close - 1));
            }
        } else if (const std::size_t eq = text.find('='); eq != std::string_view::npos) {
            line.kind = Line::Entry;
            line.name = trim(text.substr(0, eq));
            line.value = trim(text.substr(eq + 1));
        }
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

// Index of the first section line called `section`, or -1.
long findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Line::Section && sameName(lines[i].name, section)) return static_cast<long>(i);
    return -1;
}

// The line break for added lines. A file without any LF gets its lone CR, so
// an added CR is never read together with an LF that follows it.
std::string_view lineBreakOf(std::string_view content) {
    const std::size_t lf = content.find('\n');
    if (lf == std::string_view::npos) return content.find('\r') == std::string_view::npos ? "\r\n" : "\r";
    if (lf == 0 || content[lf - 1] != '\r') return "\n";
    return "\r\n";
}

// The first kMaxValueLength characters of `value`. A value in UTF-8 is
// counted in its characters, so the cut never splits one (which would make
// the reader take the whole value for another code page); any other value
// holds one character a byte.
std::string_view cut(std::string_view value) {
    if (value.size() <= kMaxValueLength || !textfile::isValidUtf8(value)) return value.substr(0, kMaxValueLength);
    std::size_t characters = 0, i = 0;
    for (; i < value.size(); ++i)
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80 && characters++ == kMaxValueLength) break;
    return value.substr(0, i);
}

// One pair of matching quotes around a value is dropped, as the profile
// functions do.
std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Reads the file as a script is read (a plain file only, never waiting on a
// pipe or a device), and no further than any real INI file goes, so that a
// link to something endless cannot swallow the program. False when it
// cannot be read so.
bool readBounded(const std::string& fileName, std::string& bytes) {
    constexpr std::uint64_t kMaxBytes = std::uint64_t(16) << 20;
    fileio::Reader reader;
    const auto bounded = [](std::uint64_t size, std::string_view) -> fileio::Failure {
        if (size > kMaxBytes) return "too large for an INI file";
        return std::nullopt;
    };
    if (reader.open(fileName, bounded)) return false;
    bytes.clear();
    std::string piece;
    do {
        if (reader.next(piece)) return false;
        bytes.append(piece);
        if (bytes.size() > kMaxBytes) return false;
    } while (!piece.empty());
    return true;
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

std::string lookup(std::string_view content, std::string_view section, std::string_view key,
                   std::string_view defaultValue) {
    const std::vector<Line> lines = parse(content);
    const long at = findSection(lines, trim(section));
    std::string_view result = defaultValue;
    if (at >= 0) {
        for (std::size_t i = static_cast<std::size_t>(at) + 1; i < lines.size() && lines[i].kind != Line::Section;
             ++i) {
            if (lines[i].kind == Line::Entry && sameName(lines[i].name, trim(key))) {
                result = unquote(lines[i].value);
                break;
            }
        }
    }
    return std::string(cut(result));
}

std::string update(std::string_view content, std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    const std::string_view lineBreak = lineBreakOf(content);
    const std::vector<Line> lines = parse(content);
    const long at = findSection(lines, section);

    std::string out;
    out.reserve(content.size() + section.size() + key.size() + value.size() + 8);
    if (at < 0) {
        out.append(content);
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append(lineBreak);
        out.append("[").append(section).append("]").append(lineBreak);
        out.append(key).append("=").append(value).append(lineBreak);
        return out;
    }

    std::size_t last = static_cast<std::size_t>(at);  // last non-blank line of the section
    for (std::size_t i = last + 1; i < lines.size() && lines[i].kind != Line::Section; ++i) {
        const Line& line = lines[i];
        if (line.kind == Line::Entry && sameName(line.name, key)) {
            out.append(content.substr(0, line.begin));
            out.append(line.name).append("=").append(value);
            out.append(content.substr(line.end));
            return out;
        }
        if (!trim(content.substr(line.begin, line.end - line.begin)).empty()) last = i;
    }
    const Line& after = lines[last];
    out.append(content.substr(0, after.next));
    if (after.next == after.end) out.append(lineBreak);  // the file ended without a line break
    out.append(key).append("=").append(value).append(lineBreak);
    out.append(content.substr(after.next));
    return out;
}

bool writable(std::string_view section, std::string_view key, std::string_view value) {
    auto breaksLines = [](std::string_view s) {
        return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
    };
    if (breaksLines(section) || breaksLines(key) || breaksLines(value)) return false;
    if (trim(section).empty() || trim(key).empty()) return false;
    if (key.find('=') != std::string_view::npos || trim(key).front() == '[') return false;
    return section.find(']') == std::string_view::npos;
}

std::string readFile(const std::string& fileName) {
    std::string bytes;
    if (!readBounded(fileName, bytes)) bytes.clear();
    return bytes;
}

std::string lookupText(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    std::string value = lookup(content, section, key, defaultValue);
    if (value.starts_with(kBom) && textfile::isValidUtf8(std::string_view(value).substr(kBom.size())))
        return value.substr(kBom.size());
    if (textfile::isValidUtf8(value)) return value;
    std::string text;
    textfile::appendWindows1252(value, text);
    return text;
}

bool writeValue(const std::string& fileName, std::string_view section, std::string_view key, std::string_view value) {
    if (!writable(section, key, value)) return false;
    std::error_code ec;
    const fs::path path(fileName);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) return false;

    std::string content;
    const bool exists = fs::exists(path, ec);
    if (exists) {
        if (!fs::is_regular_file(path, ec)) return false;
        // Opening for appending tests the right to write without changing a byte.
        if (!std::ofstream(path, std::ios::binary | std::ios::app)) return false;
        if (!readBounded(fileName, content)) return false;
    }
    const std::string updated = update(content, section, key, value);
    if (exists && updated == content) return true;

    return !fileio::writeFile(fileName, updated);
}

}  // namespace quill::ini
