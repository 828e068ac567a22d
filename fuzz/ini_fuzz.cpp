// Random bytes as an INI file: reading, updating and writing it back, and the
// language lists and colouring built from it, must neither crash nor trip a
// sanitizer, and what is written must read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

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
        std::string_view trimmed = value;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
        while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.remove_suffix(1);
        if (quill::ini::lookup(updated, section, key, "") != trimmed.substr(0, quill::ini::kMaxValueLength)) std::abort();
    }

    // On disk, as the program does it.
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ini_fuzz_" + std::to_string(::getpid()) + ".ini");
    { std::ofstream(file, std::ios::binary | std::ios::trunc) << content; }
    quill::ini::writeValue(file.string(), section, key, value);
    const quill::language::LanguageDefinition definition = quill::language::readDefinition(file.string());

    // The language from it colours its own text, every byte once.
    const quill::lexer::Tokenizer tokenizer(definition);
    Discard sink;
    tokenizer.run(content, 0, sink);
    if (sink.covered != content.size()) std::abort();
    return 0;
}
