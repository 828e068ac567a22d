#pragma once
// The program's folder and the paths of its two INI files, built from the
// folder that holds the executable, with the platform's separator
// (kPathSeparator) after each folder.

#include <string>

namespace quill::paths {

struct ProgramPaths {
    std::string appPath;          // the executable's folder, separator at the end
    std::string dataPath;         // appPath + "Data" + separator
    std::string scriptIniFile;    // appPath + "NPC Script.ini"
    std::string settingsIniFile;  // dataPath + "Settings.ini"
};

ProgramPaths programPaths(std::string executableFolder);

}  // namespace quill::paths
