#include "shell/paths.h"

#include "shell/misc.h"

namespace quill::paths {

ProgramPaths programPaths(std::string executableFolder) {
    ProgramPaths p;
    p.appPath = AddBackslash(executableFolder);
    std::string data = p.appPath + "Data";
    p.dataPath = AddBackslash(data);
    p.scriptIniFile = p.appPath + "NPC Script.ini";
    p.settingsIniFile = p.dataPath + "Settings.ini";
    return p;
}

}  // namespace quill::paths
