#pragma once
// The editor's language, read from "NPC Script.ini", and its appearance.

namespace quill {
class maxEdit;

namespace modCodeSense {

void SetupNPCScriptLanguage(maxEdit& editor);
void SetupEditorAppearance(maxEdit& editor);

}  // namespace modCodeSense
}  // namespace quill
