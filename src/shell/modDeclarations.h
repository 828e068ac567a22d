#pragma once
// The program's folder and the paths of its two INI files, fixed once at start.

#include <QString>

namespace quill::modDeclarations {

void InitPaths();
QString AppPath();
QString DataPath();
QString ScriptIniFile();
QString SettingsIniFile();

}  // namespace quill::modDeclarations
