#include "shell/modCodeSense.h"

#include <QFile>

#include "shell/EditorGlobals.h"
#include "shell/language.h"
#include "shell/maxEdit.h"
#include "shell/maxEditOptions.h"
#include "shell/modDeclarations.h"
#include "shell/tokenizer.h"

namespace quill::modCodeSense {

using namespace appearance;

void SetupNPCScriptLanguage(maxEdit& editor) {
    const QString name = QString::fromLatin1(language::kLanguageName.data(), qsizetype(language::kLanguageName.size()));
    const std::string iniFile = QFile::encodeName(modDeclarations::ScriptIniFile()).toStdString();
    EditorGlobals().DefineLanguage(name, language::readDefinition(iniFile));
    editor.LanguageName(name);
}

void SetupEditorAppearance(maxEdit& editor) {
    auto rgb = [](quint32 red, quint32 green, quint32 blue) { return red | (green << 8) | (blue << 16); };
    editor.AppearanceOption(WordWrap, false);
    editor.AppearanceOption(ShowWhitespace, false);
    editor.AppearanceOption(CurrentLine, true);
    editor.AppearanceOption(CaretWidth, 1);
    editor.AppearanceOption(AutoIndent, true);
    editor.AppearanceOption(ColourSyntax, true);
    editor.AppearanceOption(LineNumbers, true);
    editor.AppearanceOption(TabWidth, 4);
    editor.Font().Name(QStringLiteral("Courier New"));
    editor.Font().Size(9);
    editor.SetColourSlot(CurrentLineSlot, rgb(240, 240, 240));
    editor.SetColourSlot(LineNumberSlot, rgb(170, 170, 170));
    editor.SetColourSlot(ScopeSlot, rgb(128, 0, 225));
    editor.SetColourSlot(KeywordSlot, rgb(0, 0, 255));
    editor.SetColourSlot(CommentSlot, rgb(128, 128, 128));
    editor.SetColourSlot(OperatorSlot, rgb(0, 0, 255));
    editor.SetColourSlot(StringSlot, rgb(255, 0, 0));
    editor.SetColourSlot(NumberSlot, rgb(255, 0, 0));
    editor.SetSlotValue(lexer::Operator, 0);
    editor.SetSlotValue(lexer::Keyword, 0);
    editor.SetSlotValue(lexer::Number, 0);
}

}  // namespace quill::modCodeSense
