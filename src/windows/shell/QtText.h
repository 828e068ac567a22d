#pragma once
// The core speaks UTF-8 std::string; the windows speak QString.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline QStringList qStringList(const std::vector<std::string>& rows) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(rows.size()));
    for (const std::string& row : rows) list.append(qs(row));
    return list;
}

}  // namespace quill
