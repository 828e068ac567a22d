#pragma once
// The program's folder and the paths of its two INI files, built from the
// folder that holds the executable.

#include <string>

namespace quill::paths {

// The folder separator of the platform the program runs on.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// `folder` with `separator` at its end, added only when it is not there yet.
std::string addBackslash(std::string folder, char separator = kSeparator);

struct ProgramPaths {
    std::string appPath;          // the executable's folder, separator at the end
    std::string dataPath;         // appPath + "Data" + separator
    std::string scriptIniFile;    // appPath + "NPC Script.ini"
    std::string settingsIniFile;  // dataPath + "Settings.ini"
};

ProgramPaths programPaths(const std::string& executableFolder, char separator = kSeparator);

}  // namespace quill::paths
