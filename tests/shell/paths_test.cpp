#include <gtest/gtest.h>

#include "shell/paths.h"
#include "shell/window_metrics.h"

using namespace quill;

TEST(ProgramPaths, EndInTheSeparatorOnce) {
    struct Case {
        const char* folder;
        char separator;
        const char *app, *data, *script, *settings;
    } const cases[] = {
        {"D:\\Mir\\Tools", '\\', "D:\\Mir\\Tools\\", "D:\\Mir\\Tools\\Data\\", "D:\\Mir\\Tools\\NPC Script.ini",
         "D:\\Mir\\Tools\\Data\\Settings.ini"},
        {"D:\\", '\\', "D:\\", "D:\\Data\\", "D:\\NPC Script.ini", "D:\\Data\\Settings.ini"},
        {"/opt/quill", '/', "/opt/quill/", "/opt/quill/Data/", "/opt/quill/NPC Script.ini", "/opt/quill/Data/Settings.ini"},
        {"/", '/', "/", "/Data/", "/NPC Script.ini", "/Data/Settings.ini"},
    };
    for (const Case& c : cases) {
        const paths::ProgramPaths p = paths::programPaths(c.folder, c.separator);
        EXPECT_EQ(p.appPath, c.app) << c.folder;
        EXPECT_EQ(p.dataPath, c.data) << c.folder;
        EXPECT_EQ(p.scriptIniFile, c.script) << c.folder;
        EXPECT_EQ(p.settingsIniFile, c.settings) << c.folder;
    }
}

TEST(WindowMetrics, FourKeysInOrderAsPlainNumbers) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(metrics::entries({false, -60, 0, 12000, 9000.5}),
              (Entries{{"frmMain X", "-60"}, {"frmMain Y", "0"}, {"frmMain Width", "12000"}, {"frmMain Height", "9000.5"}}));
    EXPECT_TRUE(metrics::entries({true, 1, 2, 3, 4}).empty());
    EXPECT_EQ(metrics::formatNumber(-1234567), "-1234567");
}
