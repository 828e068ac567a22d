#include <gtest/gtest.h>

#include "shell/misc.h"
#include "shell/paths.h"

using namespace quill;

TEST(ProgramPaths, EndInTheSeparatorOnce) {
    const std::string sep(1, kPathSeparator);
    // A folder as the platform names it, and the root folder, which already
    // ends in the separator.
    for (const std::string& folder : {sep + "opt" + sep + "Mir Tools", sep}) {
        const std::string app = folder == sep ? sep : folder + sep;
        const paths::ProgramPaths p = paths::programPaths(folder);
        EXPECT_EQ(p.appPath, app);
        EXPECT_EQ(p.dataPath, app + "Data" + sep);
        EXPECT_EQ(p.scriptIniFile, app + "NPC Script.ini");
        EXPECT_EQ(p.settingsIniFile, app + "Data" + sep + "Settings.ini");
    }
}
