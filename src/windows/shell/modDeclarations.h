#pragma once
// The program's folder and the paths of its two INI files, fixed once at start.

#include <QString>

namespace quill::modDeclarations {

// The paths for the folder that holds the running executable.
void InitPaths();
// The paths for an executable in `executableFolder`.
void InitPathsFrom(const QString& executableFolder);
// The program's folder and its "Data" folder: the module's interface with no
// caller yet, kept for the callers to come.
QString AppPath();
QString DataPath();
QString ScriptIniFile();
QString SettingsIniFile();

}  // namespace quill::modDeclarations
