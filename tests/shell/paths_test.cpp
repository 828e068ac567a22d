#include <gtest/gtest.h>

#include "shell/misc.h"
#include "shell/paths.h"
#include "shell/window_metrics.h"

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

TEST(WindowMetrics, FourKeysInOrderAsPlainNumbers) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(metrics::entries({false, -60, 0, 12000, 9000.5}),
              (Entries{{"frmMain X", "-60"}, {"frmMain Y", "0"}, {"frmMain Width", "12000"}, {"frmMain Height", "9000.5"}}));
    EXPECT_TRUE(metrics::entries({true, 1, 2, 3, 4}).empty());
    EXPECT_EQ(metrics::formatNumber(-1234567), "-1234567");
}
