// Random bytes as a script file: whatever format they are read in, writing
// the text back in that format must give exactly the same bytes, and the
// editor must get valid UTF-8.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quill::textfile;
    const std::string file(reinterpret_cast<const char*>(bytes), size);
    std::string text = file;
    const TextFormat format = decodeInPlace(text);
    if (!isValidUtf8(text)) std::abort();
    std::string written, error;
    if (!encode(text, format, written, error)) std::abort();
    if (written != file) std::abort();
    return 0;
}
