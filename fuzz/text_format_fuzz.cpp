// Random bytes as a script file, read by a user of one of the languages whose
// code page differs: whatever format the file is read in, writing the text
// back in that format must give exactly the same bytes, and the editor must
// get valid UTF-8. A refused file (broken UTF-16) must say why.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quill::textfile;
    // The first byte picks the user's code page; the rest is the file.
    static constexpr int kCodePages[] = {1252, 936, 949, 950, 932, 1251, 1250, 1253, 1254, 1255, 1256, 1257, 1258, 874};
    if (size == 0) return 0;
    const int codePage = kCodePages[bytes[0] % (sizeof kCodePages / sizeof kCodePages[0])];
    const std::string file(reinterpret_cast<const char*>(bytes + 1), size - 1);
    std::string text, error;
    TextFormat format;
    if (!decodeFile(file, codePage, format, text, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (!isValidUtf8(text)) std::abort();
    std::string written;
    if (!encode(text, format, written, error)) std::abort();
    if (written != file) std::abort();
    return 0;
}
