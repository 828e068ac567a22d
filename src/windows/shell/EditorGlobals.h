#pragma once
// The languages the editor knows, registered by name once at start-up and
// selected on an editor through maxEdit::LanguageName.

#include <QString>
#include <optional>

#include "shell/language.h"

namespace quill {

using LanguageDefinition = language::LanguageDefinition;

class EditorGlobals {
public:
    // Registers (or replaces) the language `name`; names match exactly.
    void DefineLanguage(const QString& name, const LanguageDefinition& definition);
    static std::optional<LanguageDefinition> language(const QString& name);
};

}  // namespace quill
