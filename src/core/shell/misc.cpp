#include "shell/misc.h"

#include <filesystem>
#include <system_error>

namespace quill {

bool FileExists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
    if (error) return false;
    // The length was always read as a signed 32-bit number; a file whose
    // length reads as negative there never counted as one to insert.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(size)) >= 0;
}

std::string& AddBackslash(std::string& path) {
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return path;
}

}  // namespace quill
