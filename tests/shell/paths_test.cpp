#include <gtest/gtest.h>

#include <algorithm>

#include "shell/misc.h"
#include "shell/paths.h"

using namespace quill;

TEST(ProgramPaths, EndInTheSeparatorOnce) {
    // Written with '/', compared in the platform's separator.
    const auto native = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', kPathSeparator);
        return path;
    };
    // folder, program folder, data folder
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/opt/Mir Tools", "/opt/Mir Tools/", "/opt/Mir Tools/Data/"},
        {"/opt/Mir Tools/", "/opt/Mir Tools/", "/opt/Mir Tools/Data/"},
        {"/", "/", "/Data/"},
    };
    for (const auto& [folder, app, data] : cases) {
        const paths::ProgramPaths p = paths::programPaths(native(folder));
        EXPECT_EQ(p.appPath, native(app));
        EXPECT_EQ(p.dataPath, native(data));
        EXPECT_EQ(p.scriptIniFile, native(app) + "NPC Script.ini");
        EXPECT_EQ(p.settingsIniFile, native(data) + "Settings.ini");
    }
}
