#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/file_io.h"
#include "shell/ini.h"
#include "shell/language.h"
#include "slurp.h"

namespace fs = std::filesystem;
using namespace quill;
using quill::test::slurp;

namespace {

TEST(IniLookup, FollowsTheProfileRules) {
    static const char binary[] = "[S]\n\0\xff=\x01\nk=\xe9t\xe9\n";
    // name, content, section, key, default, expected
    const std::tuple<const char*, std::string, const char*, const char*, const char*, const char*> cases[] = {
        {"letter case and blanks", "  [WINDOW metrics ]  \n  FRMMAIN x  =  7 b \t\n", "window Metrics", "frmmain X",
         "d", "7 b"},
        {"missing key gives default", "[S]\nk=1\n", "S", "other", "dflt ", "dflt "},
        {"empty value is not the default", "[S]\nk=\n", "S", "k", "dflt", ""},
        {"key of another section", "[A]\nk=1\n[B]\nj=2\n", "B", "k", "none", "none"},
        {"first section wins", "[S]\nk=1\n[S]\nk=2\nj=3\n", "S", "j", "none", "none"},
        {"first key wins, a line without = is none", "[S]\nk\nk=1\nk=2\n", "S", "k", "", "1"},
        {"value keeps =, no final break", "[S]\nk=a=b", "S", "k", "", "a=b"},
        {"unclosed section header", "[S\nk=1\n", "S", "k", "none", "none"},
        {"binary bytes", std::string(binary, sizeof binary - 1), "S", "k", "", "\xe9t\xe9"},
        {"lone CR ends a line", "[Window Metrics]\rfrmMain X=1\rkeep=me\r", "window metrics", "keep", "d", "me"},
        {"CR CR LF leaves no CR in the value", "[S]\r\r\nk=,last\r\r\n", "S", "k", "", ",last"},
        {"quotes dropped", "[S]\nk= \"a b\" \n", "S", "k", "", "a b"},
        {"one pair only", "[S]\nk=''a''\n", "S", "k", "", "'a'"},
        {"unmatched quotes kept", "[S]\nk='a\"\n", "S", "k", "", "'a\""},
    };
    for (const auto& [name, content, section, key, defaultValue, expected] : cases)
        EXPECT_EQ(ini::lookup(content, section, key, defaultValue), expected) << name;
    // 59999 characters at most, default included; the cut never splits a UTF-8 character.
    const std::string big(1'000'000, 'x');
    EXPECT_EQ(ini::lookup("[S]\nk=" + big + "\n", "S", "k", "").size(), 59999u);
    EXPECT_EQ(ini::lookup("", "S", "k", big).size(), 59999u);
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
        {"replace in place, keep the rest",
         "; top\r\n[Other]\r\na = 1\r\n[window metrics]\r\n  FRMMAIN X = 5 \r\nfrmMain Y=6\r\n", "Window Metrics",
         "frmMain X", "10", "; top\r\n[Other]\r\na = 1\r\n[window metrics]\r\nFRMMAIN X=10\r\nfrmMain Y=6\r\n"},
        {"add key after the section's last entry", "[S]\na=1\n\n[T]\nb=2\n", "S", "c", "3",
         "[S]\na=1\nc=3\n\n[T]\nb=2\n"},
        {"add section to a file without final break", "[T]\nb=2", "S", "c", "3", "[T]\nb=2\n[S]\nc=3\n"},
        {"first of duplicate keys", "[S]\nk=1\nk=2\n", "S", "k", "9", "[S]\nk=9\nk=2\n"},
        {"empty section", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        {"lone CR keeps the next line", "[Window Metrics]\nfrmMain X=1\rkeep=me\n", "Window Metrics", "frmMain X", "5",
         "[Window Metrics]\nfrmMain X=5\rkeep=me\n"},
        {"CR CR LF kept", "[S]\r\r\nk=1\r\r\n", "S", "k", "2", "[S]\r\r\nk=2\r\r\n"},
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
    void TearDown() override { fs::remove_all(dir); }
    // Root writes whatever the permissions say: the write is made by an
    // ordinary account in a child. 1 when `write` said it succeeded.
    static int asOrdinaryUser(const std::function<bool()>& write) {
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
            try {
                _exit(write() ? 1 : 0);
            } catch (...) { _exit(3); }
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const fs::path dir = fs::temp_directory_path() / ("ini_test_" + std::to_string(getpid()) +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(IniFileTest, WritesThroughLinksKeepingTheMode) {
    const fs::path target = dir / "real.ini", link = dir / "Settings.ini";
    std::ofstream(target, std::ios::binary) << "[S]\nk=1\n";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.ini", link);
    EXPECT_TRUE(ini::writeValue(link.string(), "S", "k", "2"));
    EXPECT_TRUE(ini::writeValue(link.string(), "S", "j", "3"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "[S]\nk=2\nj=3\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(ini::writeValue((dir / "new.ini").string(), "S", "k", "v"));
    EXPECT_EQ(slurp(dir / "new.ini"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3) << "no temporary file left";
}

TEST_F(IniFileTest, FailsSilentlyAndCreatesNothing) {
    EXPECT_FALSE(ini::writeValue((dir / "Data" / "Settings.ini").string(), "S", "k", "v"));
    EXPECT_FALSE(fs::exists(dir / "Data"));
    // An entry that would break the file's lines is refused.
    const fs::path file = dir / "a.ini";
    const std::tuple<std::string, std::string, std::string> refused[] = {
        {"S", "k", "1\r\n[Injected]"},      {"S\r", "k", "1"}, {"S", "k\n", "1"},
        {"S", "k", std::string("a\0b", 3)}, {"S]x", "k", "1"}, {"S", "a=b", "1"}};
    for (const auto& [section, key, value] : refused)
        EXPECT_FALSE(ini::writeValue(file.string(), section, key, value)) << key;
    EXPECT_FALSE(fs::exists(file));
    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(ini::writeValue((dir / "folder.ini").string(), "S", "k", "v"));
    // A file its user may not write.
    const fs::path locked = dir / "locked.ini";
    std::ofstream(locked, std::ios::binary) << "[S]\nk=1\n";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir, fs::perms::all);
    EXPECT_EQ(asOrdinaryUser([&] { return ini::writeValue(locked.string(), "S", "k", "2"); }), 0);
    EXPECT_EQ(slurp(locked), "[S]\nk=1\n");
}

// What is not a plain INI file is missing: a pipe would freeze the program at
// start-up, /dev/zero or a huge file swallow it. Should a read block, the
// alarm ends the test run.
TEST_F(IniFileTest, APipeADeviceOrAHugeFileIsMissing) {
    const fs::path pipe = dir / "NPC Script.ini", zero = dir / "Settings.ini", huge = dir / "huge.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", zero);
    std::ofstream(huge, std::ios::binary) << "[Definition]\nKeywords=a\n";
    fs::resize_file(huge, std::uint64_t(17) << 20);
    alarm(60);
    EXPECT_EQ(language::readDefinition(pipe.string()).lists[language::Keywords], "");
    for (const fs::path& file : {pipe, zero, huge}) {
        EXPECT_EQ(ini::readFile(file.string()), "") << file;
        EXPECT_FALSE(ini::writeValue(file.string(), "Definition", "Keywords", "b")) << file;
    }
    alarm(0);
    EXPECT_EQ(fs::file_size(huge), std::uint64_t(17) << 20);
}

// The file a large save replaces is let go on a thread of its own; where no
// thread can be started the save still succeeds, rather than fail after the fact.
TEST_F(IniFileTest, ALargeFileIsReplacedWhenNoThreadCanStart) {
    const fs::path file = dir / "big.txt";
    const std::string big(9 << 20, 'x');
    std::ofstream(file, std::ios::binary) << big;
    if (geteuid() == 0) { ASSERT_EQ(chown(dir.c_str(), 65534, 65534) | chown(file.c_str(), 65534, 65534), 0); }
    const rlimit none{0, 0};  // root is not held to it: an ordinary account is
    EXPECT_EQ(asOrdinaryUser([&] {
                  return setrlimit(RLIMIT_NPROC, &none) == 0 && !fileio::writeFile(file.string(), big.substr(1));
              }),
              1);
    EXPECT_EQ(fs::file_size(file), big.size() - 1);
}

}  // namespace
