#pragma once
// The program's folder and the paths of its two INI files, fixed once at start.

#include <QString>

namespace quill::modDeclarations {

void InitPaths();
// The paths for an executable in `executableFolder`, without touching the
// document state; InitPaths uses it with the real folder.
void InitPathsFrom(const QString& executableFolder);
QString AppPath();
QString DataPath();
QString ScriptIniFile();
QString SettingsIniFile();

}  // namespace quill::modDeclarations
