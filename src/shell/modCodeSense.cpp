#include "shell/modCodeSense.h"

#include <QFont>

#include "shell/maxEdit.h"

namespace quill::modCodeSense {

void SetupNPCScriptLanguage(maxEdit&) {}

void SetupEditorAppearance(maxEdit& editor) { editor.setFont(QFont(QStringLiteral("Courier New"), 9)); }

}  // namespace quill::modCodeSense
