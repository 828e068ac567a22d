#include "shell/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

namespace quill::codepage {
namespace {

struct LanguageRow {
    std::string_view language;
    int codePage;
};

// Windows' default ANSI code page of each language whose page is not 1252
// (its "language for non-Unicode programs"). Chinese, Serbian, Uzbek and
// Azerbaijani depend on territory or script too; see forLocale.
constexpr LanguageRow kLanguages[] = {
    {"th", 874},  {"ja", 932},  {"zh", 936},  {"ko", 949},  {"cs", 1250}, {"hr", 1250}, {"hu", 1250}, {"pl", 1250},
    {"ro", 1250}, {"sk", 1250}, {"sl", 1250}, {"sq", 1250}, {"bs", 1250}, {"tk", 1250}, {"ru", 1251}, {"uk", 1251},
    {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251}, {"kk", 1251}, {"ky", 1251}, {"mn", 1251}, {"tt", 1251},
    {"tg", 1251}, {"ba", 1251}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"uz", 1254}, {"he", 1255}, {"ar", 1256},
    {"fa", 1256}, {"ur", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258},
};

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// One conversion descriptor, closed on every way out.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts what is left of `in`, appending to `out` from `used` on and
    // growing it as needed; `last` also writes out what the converter may
    // hold back. Returns 0, or the errno that stopped it with `in` left at the
    // character that could not be converted (EINVAL: cut short at the end).
    int run(std::string_view& in, std::string& out, std::size_t& used, bool last = true) {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        bool flushed = false;
        while (!flushed) {
            if (out.size() - used < 16) out.resize(out.size() + out.size() / 2 + 64);
            char* dst = out.data() + used;
            std::size_t dstLeft = out.size() - used;
            const bool flushing = srcLeft == 0;
            const std::size_t r =
                flushing ? iconv(cd_, nullptr, nullptr, &dst, &dstLeft) : iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            used = out.size() - dstLeft;
            in = std::string_view(src, srcLeft);
            if (r == static_cast<std::size_t>(-1)) {
                if (errno != E2BIG) return errno;
            } else if (flushing || (srcLeft == 0 && !last)) {
                flushed = true;
            }
        }
        return 0;
    }

private:
    iconv_t cd_;
};

std::string iconvName(int codePage) { return "CP" + std::to_string(codePage); }

}  // namespace

SingleBytePage::SingleBytePage(const char16_t* iconvTable) {
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        char32_t c = iconvTable[b - 0x80];
        if (c == 0 && b < 0xA0) c = b;  // unassigned: the control character of the same value
        if (c == 0) continue;
        Utf8& e = utf8_[b - 0x80];
        if (c < 0x800) {
            e.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
            e.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
            e.length = 2;
            low_[c - 0x80] = static_cast<std::uint8_t>(b);
        } else {
            e.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
            e.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            e.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
            e.length = 3;
            high_[highCount_++] = {static_cast<char16_t>(c), static_cast<std::uint8_t>(b)};
        }
    }
}

const SingleBytePage* SingleBytePage::of(int codePage) {
    static constexpr int kPages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
    static const std::array<SingleBytePage, std::size(kPages)> pages = [] {
        return [&]<std::size_t... i>(std::index_sequence<i...>) {
            return std::array<SingleBytePage, sizeof...(i)>{SingleBytePage(iconvTable(kPages[i]))...};
        }
        (std::make_index_sequence<std::size(kPages)>());
    }();
    for (std::size_t i = 0; i < std::size(kPages); ++i)
        if (kPages[i] == codePage) return &pages[i];
    return nullptr;
}

int forLocale(std::string_view locale) {
    const std::size_t at = locale.find('@');
    const std::string modifier = at == std::string_view::npos ? std::string() : lower(locale.substr(at + 1));
    const std::string name = lower(locale.substr(0, std::min(locale.find('.'), at)));
    const std::size_t underscore = name.find('_');
    const std::string language = name.substr(0, underscore);
    const std::string territory = underscore == std::string::npos ? std::string() : name.substr(underscore + 1);

    if (language == "zh" && (territory == "tw" || territory == "hk" || territory == "mo")) return 950;
    // glibc spells the other script of these languages as a modifier.
    if ((language == "sr" || language == "bs") && modifier == "latin") return 1250;
    if ((language == "uz" || language == "az" || language == "bs") && modifier == "cyrillic") return 1251;
    for (const LanguageRow& row : kLanguages)
        if (row.language == language) return row.codePage;
    return kWestern;
}

int forEnvironment(const char* lcAll, const char* lcCtype, const char* lang) {
    for (const char* value : {lcAll, lcCtype, lang})
        if (value && *value) return forLocale(value);
    return kWestern;
}

int ofThisProcess() { return forEnvironment(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG")); }

struct Decoder::Converters {
    explicit Converters(int codePage) : toText("UTF-8", iconvName(codePage)), back(iconvName(codePage), "UTF-8") {}
    Converter toText, back;
    std::string written;  // the text written back, to be compared with the bytes
};

Decoder::Decoder(int codePage) : converters_(std::make_unique<Converters>(codePage)) {}

Decoder::~Decoder() = default;

bool Decoder::add(std::string_view bytes, std::string& utf8) {
    Converters& c = *converters_;
    if (!c.toText.ok() || !c.back.ok()) return false;
    std::string joined;
    if (!pending_.empty()) bytes = joined = pending_ + std::string(bytes);
    const std::size_t start = utf8.size();
    std::size_t used = start;
    utf8.resize(start + bytes.size() + bytes.size() / 2 + 64);
    std::string_view rest = bytes;
    // EINVAL: the piece ends inside a character, which waits for the next.
    if (const int error = c.toText.run(rest, utf8, used, false); error != 0 && error != EINVAL) return false;
    utf8.resize(used);
    pending_.assign(rest);
    // Two byte sequences may stand for one character; only a text that
    // writes back the very same bytes is read this way. These pages keep no
    // state between characters, so each piece is compared on its own.
    std::string_view text = std::string_view(utf8).substr(start);
    std::size_t written = 0;
    if (c.back.run(text, c.written, written) != 0) return false;
    return bytes.substr(0, bytes.size() - rest.size()) == std::string_view(c.written.data(), written);
}

bool encode(std::string_view utf8, int codePage, std::string& out, std::size_t& badAt) {
    Converter conv(iconvName(codePage), "UTF-8");
    std::string_view in = utf8;
    out.clear();
    // A character takes no more bytes in any of these code pages than in UTF-8.
    out.resize(utf8.size() + 64);
    std::size_t used = 0;
    if (!conv.ok() || conv.run(in, out, used) != 0) {
        badAt = utf8.size() - in.size();
        return false;
    }
    out.resize(used);
    return true;
}

}  // namespace quill::codepage
