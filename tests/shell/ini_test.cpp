#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/ini.h"

namespace fs = std::filesystem;
using namespace quill;

namespace {

TEST(IniLookup, FollowsTheProfileRules) {
    const std::string big(1'000'000, 'x');
    static const char binary[] = "[S]\n\0\xff=\x01\nk=\xe9t\xe9\n";
    // name, content, section, key, default, expected
    const std::tuple<const char*, std::string, const char*, const char*, const char*, const char*> cases[] = {
        {"plain", "[Window Metrics]\r\nfrmMain X=120\r\n", "Window Metrics", "frmMain X", "d", "120"},
        {"letter case ignored", "[WINDOW metrics]\nFRMMAIN x=7\n", "window Metrics", "frmmain X", "d", "7"},
        {"blanks trimmed", "  [ S ]  \n  key  =  a b  \t\n", "S", "key", "d", "a b"},
        {"missing key gives default", "[S]\nk=1\n", "S", "other", "dflt ", "dflt "},
        {"missing section gives default", "[T]\nk=1\n", "S", "k", "", ""},
        {"empty value is not the default", "[S]\nk=\n", "S", "k", "dflt", ""},
        {"key of another section", "[A]\nk=1\n[B]\nj=2\n", "B", "k", "none", "none"},
        {"first section wins", "[S]\nk=1\n[S]\nk=2\nj=3\n", "S", "j", "none", "none"},
        {"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "", "1"},
        {"line without = is no key", "[S]\nk\nk=5\n", "S", "k", "", "5"},
        {"value keeps =", "[S]\nk=a=b\n", "S", "k", "", "a=b"},
        {"no line break at end", "[S]\nk=9", "S", "k", "", "9"},
        {"unclosed section header", "[S\nk=1\n", "S", "k", "none", "none"},
        {"binary bytes", std::string(binary, sizeof binary - 1), "S", "k", "", "\xe9t\xe9"},
        {"lone CR ends a line", "[Window Metrics]\rfrmMain X=1\rkeep=me\r", "window metrics", "keep", "d", "me"},
        {"CR CR LF leaves no CR in the value", "[S]\r\r\nk=,last\r\r\n", "S", "k", "", ",last"},
        {"quotes dropped", "[S]\nk= \"a b\" \n", "S", "k", "", "a b"},
        {"single quotes dropped", "[S]\nk='a'\n", "S", "k", "", "a"},
        {"one pair only", "[S]\nk=\"\"a\"\"\n", "S", "k", "", "\"a\""},
        {"unmatched quotes kept", "[S]\nk='a\"\n", "S", "k", "", "'a\""},
        {"a lone quote kept", "[S]\nk=\"\n", "S", "k", "", "\""},
    };
    for (const auto& [name, content, section, key, defaultValue, expected] : cases)
        EXPECT_EQ(ini::lookup(content, section, key, defaultValue), expected) << name;
    EXPECT_EQ(ini::lookup("[S]\nk=" + big + "\n", "S", "k", "").size(), ini::kMaxValueLength);
    EXPECT_EQ(ini::lookup("", "S", "k", big).size(), ini::kMaxValueLength);
    // The cut counts UTF-8 characters, never splitting one.
    const auto e = [](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += "\xC3\xA9";
        return s;
    };
    EXPECT_EQ(ini::lookup("[S]\nk=" + e(40000) + "\n", "S", "k", ""), e(40000));
    EXPECT_EQ(ini::lookup("[S]\nk=" + e(70000) + "\n", "S", "k", ""), e(59999));
}

TEST(IniUpdate, ChangesOnlyTheLineItSets) {
    // name, before, section, key, value, after
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"new file", "", "Window Metrics", "frmMain X", "-60", "[Window Metrics]\r\nfrmMain X=-60\r\n"},
        {"replace in place, keep the rest",
         "; top\r\n[Other]\r\na = 1\r\n[window metrics]\r\n  FRMMAIN X = 5 \r\nfrmMain Y=6\r\n",
         "Window Metrics", "frmMain X", "10",
         "; top\r\n[Other]\r\na = 1\r\n[window metrics]\r\nFRMMAIN X=10\r\nfrmMain Y=6\r\n"},
        {"add key after the section's last entry", "[S]\na=1\n\n[T]\nb=2\n", "S", "c", "3",
         "[S]\na=1\nc=3\n\n[T]\nb=2\n"},
        {"add section to a file without final break", "[T]\nb=2", "S", "c", "3", "[T]\nb=2\n[S]\nc=3\n"},
        {"add key to a last section without final break", "[S]\na=1", "S", "c", "3", "[S]\na=1\nc=3\n"},
        {"first of duplicate keys", "[S]\nk=1\nk=2\n", "S", "k", "9", "[S]\nk=9\nk=2\n"},
        {"empty section", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        {"lone CR keeps the next line", "[Window Metrics]\nfrmMain X=1\rkeep=me\n", "Window Metrics", "frmMain X", "5",
         "[Window Metrics]\nfrmMain X=5\rkeep=me\n"},
        {"CR CR LF kept", "[S]\r\r\nk=1\r\r\n", "S", "k", "2", "[S]\r\r\nk=2\r\r\n"},
        {"lone CR file gets CR lines", "[S]\ra=1\r", "S", "c", "3", "[S]\ra=1\rc=3\r"},
        {"section after a last lone CR", "[T]\rb=2\r", "S", "c", "3", "[T]\rb=2\r[S]\rc=3\r"},
    };
    for (const auto& [name, before, section, key, value, after] : cases)
        EXPECT_EQ(ini::update(before, section, key, value), after) << name;
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    // The exit status of a child that writes the value under an ordinary
    // account when this process runs as root: 0 when the write was refused.
    static int writeAsOrdinaryUser(const fs::path& file, const char* section, const char* key, const char* value) {
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
            _exit(ini::writeValue(file.string(), section, key, value) ? 1 : 0);
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string slurp(const fs::path& p) {
        std::ostringstream s;
        s << std::ifstream(p, std::ios::binary).rdbuf();
        return s.str();
    }
    const fs::path dir = fs::temp_directory_path() / ("ini_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(IniFileTest, WritesAndReadsBackWholeFiles) {
    const fs::path file = dir / "Settings.ini";
    for (const char* key : {"frmMain X", "frmMain Y", "frmMain Width", "frmMain Height"})
        EXPECT_TRUE(ini::writeValue(file.string(), "Window Metrics", key, "1"));
    EXPECT_TRUE(ini::writeValue(file.string(), "Window Metrics", "frmMain X", "-60"));
    EXPECT_EQ(slurp(file), "[Window Metrics]\r\nfrmMain X=-60\r\nfrmMain Y=1\r\nfrmMain Width=1\r\nfrmMain Height=1\r\n");
    EXPECT_EQ(ini::lookup(ini::readFile(file.string()), "window metrics", "FRMMAIN X", ""), "-60");
    EXPECT_EQ(ini::lookup(ini::readFile((dir / "none.ini").string()), "S", "k", "dflt"), "dflt");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
}

TEST_F(IniFileTest, WritesThroughLinksAndKeepsTheMode) {
    const fs::path target = dir / "real.ini", link = dir / "Settings.ini";
    std::ofstream(target, std::ios::binary) << "[S]\nk=1\n";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.ini", link);
    EXPECT_TRUE(ini::writeValue(link.string(), "S", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "[S]\nk=2\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(IniFileTest, FailsSilentlyAndCreatesNothing) {
    EXPECT_FALSE(ini::writeValue((dir / "Data" / "Settings.ini").string(), "S", "k", "v"));
    EXPECT_FALSE(fs::exists(dir / "Data"));

    // An entry that would break the file's lines is refused.
    const fs::path file = dir / "a.ini";
    EXPECT_FALSE(ini::writeValue(file.string(), "S", "k", "1\r\n[Injected]"));
    EXPECT_FALSE(ini::writeValue(file.string(), "S]x", "k", "1"));
    EXPECT_FALSE(ini::writeValue(file.string(), "S", "a=b", "1"));
    EXPECT_FALSE(fs::exists(file));
    // A name that is a folder, not a file.
    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(ini::writeValue((dir / "folder.ini").string(), "S", "k", "v"));

    // A file its user may not write. Root may write any file, so the write
    // is made by an ordinary account there.
    const fs::path locked = dir / "locked.ini";
    std::ofstream(locked, std::ios::binary) << "[S]\nk=1\n";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir, fs::perms::all);
    EXPECT_EQ(writeAsOrdinaryUser(locked, "S", "k", "2"), 0);
    EXPECT_EQ(slurp(locked), "[S]\nk=1\n");
}

}  // namespace
