#pragma once
// The core speaks UTF-8 std::string; the windows speak QString.

#include <QString>
#include <string_view>

namespace quill {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace quill
