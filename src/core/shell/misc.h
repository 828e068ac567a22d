#pragma once
// Small shared routines of the document module's companions.

#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// The separator that ends a folder path on this platform.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The larger of two 32-bit integers.
inline std::int32_t MaxLong(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

// True when `path` names a file whose length can be read (a folder, a missing
// file and the empty path are not). Never throws.
bool FileExists(std::string_view path);

// Appends the separator unless `path` already ends in one; changes `path`
// itself and returns it.
std::string& AddBackslash(std::string& path);

}  // namespace quill
