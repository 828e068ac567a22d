#include "shell/EditorGlobals.h"

#include <QHash>

namespace quill {
namespace {

QHash<QString, LanguageDefinition>& registry() {
    static QHash<QString, LanguageDefinition> languages;
    return languages;
}

}  // namespace

void EditorGlobals::DefineLanguage(const QString& name, const LanguageDefinition& definition) {
    registry().insert(name, definition);
}

std::optional<LanguageDefinition> EditorGlobals::language(const QString& name) {
    const auto found = registry().constFind(name);
    if (found == registry().constEnd()) return std::nullopt;
    return *found;
}

}  // namespace quill
