#include "shell/paths.h"

namespace quill::paths {

std::string addBackslash(std::string folder, char separator) {
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

ProgramPaths programPaths(const std::string& executableFolder, char separator) {
    ProgramPaths p;
    p.appPath = addBackslash(executableFolder, separator);
    p.dataPath = p.appPath + "Data" + separator;
    p.scriptIniFile = p.appPath + "NPC Script.ini";
    p.settingsIniFile = p.dataPath + "Settings.ini";
    return p;
}

}  // namespace quill::paths
