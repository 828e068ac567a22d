#pragma once
// Private-profile access for the rest of the program, in its own text type.

#include <QString>

namespace quill::modINI {

// The value, or `Default` when the file, section or key is missing; at most
// 59999 characters. Bytes that are not UTF-8 are read as Windows-1252
// (ini::lookupText). Nothing calls it today, the language lists being read
// by language::readDefinition; it is kept as the system's INI interface for
// its callers-to-be.
QString ReadINI(const QString& Section, const QString& Key, const QString& Default, const QString& FileName);

// Sets the key; a failure (no such folder, a file that cannot be written)
// writes nothing and is not reported.
void WriteINI(const QString& Section, const QString& Key, const QString& Value, const QString& FileName);

}  // namespace quill::modINI
