#pragma once
// Small shared routines of the document module's companions.

#include <cstdint>
#include <string>

namespace quill {

// The larger of two 32-bit integers.
inline std::int32_t MaxLong(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

}  // namespace quill
