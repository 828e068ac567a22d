#include "shell/modCodeSense.h"

#include "shell/EditorGlobals.h"
#include "shell/maxEdit.h"
#include "shell/modDeclarations.h"
#include "shell/modINI.h"

namespace quill::modCodeSense {

void SetupNPCScriptLanguage(maxEdit& editor) {
    const QString name = QString::fromLatin1(language::kLanguageName.data(), qsizetype(language::kLanguageName.size()));
    const QString section = QString::fromLatin1(language::kSection.data(), qsizetype(language::kSection.size()));
    EditorGlobals globals;
    LanguageDefinition definition;
    definition.caseSensitive = false;
    for (std::size_t i = 0; i < language::ListCount; ++i) {
        const QString key = QString::fromLatin1(language::kKeys[i].data(), qsizetype(language::kKeys[i].size()));
        QString value = modINI::ReadINI(section, key, QString(), modDeclarations::ScriptIniFile());
        value.replace(QLatin1Char(','), QLatin1Char('\n'));
        definition.lists[i] = value.toStdString();
    }
    globals.DefineLanguage(name, definition);
    editor.LanguageName(name);
}

void SetupEditorAppearance(maxEdit& editor) {
    auto rgb = [](quint32 red, quint32 green, quint32 blue) { return red | (green << 8) | (blue << 16); };
    editor.AppearanceOption(19, false);
    editor.AppearanceOption(6, false);
    editor.AppearanceOption(3, true);
    editor.AppearanceOption(88, 1);
    editor.AppearanceOption(87, true);
    editor.AppearanceOption(0, true);
    editor.AppearanceOption(75, true);
    editor.AppearanceOption(21, 4);
    editor.Font().Name(QStringLiteral("Courier New"));
    editor.Font().Size(9);
    editor.SetColourSlot(27, rgb(240, 240, 240));
    editor.SetColourSlot(26, rgb(170, 170, 170));
    editor.SetColourSlot(14, rgb(128, 0, 225));
    editor.SetColourSlot(20, rgb(0, 0, 255));
    editor.SetColourSlot(16, rgb(128, 128, 128));
    editor.SetColourSlot(22, rgb(0, 0, 255));
    editor.SetColourSlot(24, rgb(255, 0, 0));
    editor.SetColourSlot(10, rgb(255, 0, 0));
    editor.SetSlotValue(9, 0);
    editor.SetSlotValue(2, 0);
    editor.SetSlotValue(5, 0);
}

}  // namespace quill::modCodeSense
