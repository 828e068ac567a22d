#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "shell/file_io.h"
#include "slurp.h"

namespace fs = std::filesystem;
using namespace quill;
using quill::test::slurp;

namespace {

// On the build's own disk: a memory file system may not hold user attributes.
const fs::path dir = fs::absolute("file_io_test_" + std::to_string(getpid()));

std::vector<std::string> steps;
int stepsLeft = 0;
void record(const char* step) { steps.emplace_back(step); }
void killAtLastStep(const char*) {
    if (--stepsLeft == 0) raise(SIGKILL);
}

// Saves `text`, in three pieces, in a child run as `uid` and killed at its
// `n`th step; false when it was killed.
bool saveKilledAt(const fs::path& path, const std::string& text, int n, uid_t uid) {
    const pid_t child = fork();
    if (child == 0) {
        if (uid != 0 && (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)) _exit(2);
        stepsLeft = n, fileio::detail::onStep = killAtLastStep;
        const std::size_t third = text.size() / 3;
        const auto inThree = [&](const fileio::Put& put) {
            int error = 0;
            for (std::size_t at = 0; at < text.size() && error == 0; at += third) error = put(text.substr(at, third));
            return error;
        };
        _exit(fileio::writeFile(path, inThree) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status);
}

std::vector<fs::path> backupsIn(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find("quillmoor-backup") != std::string::npos) found.push_back(entry);
    return found;
}

// A save killed at any step leaves the old text or the new one at the path,
// and where it left neither, a backup of the old one that a person can find:
// beside the file, or in the cache folder where that cannot be written.
TEST(FileWrite, AKilledSaveLosesNothing) {
    const fs::path folder = dir / "scripts", path = folder / "s.txt", cache = dir / "cache";
    const std::string old(3 << 20, 'o'), now(3 << 20, 'n');
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    std::string inCache = path.string() + ".quillmoor-backup";
    std::replace(inCache.begin(), inCache.end(), '/', '%');
    enum Kind { renamed, hardLinked, readOnlyFolder, nearlyFullDisk };
    for (const Kind kind : {renamed, hardLinked, readOnlyFolder, nearlyFullDisk}) {
        SCOPED_TRACE(kind);
        fs::create_directories(folder), fs::create_directories(cache);
        if (kind == nearlyFullDisk) { ASSERT_EQ(mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=5m"), 0); }
        std::ofstream(path, std::ios::binary) << old;
        if (kind != renamed) fs::create_hard_link(path, folder / "link");
        if (kind == readOnlyFolder) { ASSERT_EQ(chown(path.c_str(), 65534, 0) | chown(cache.c_str(), 65534, 0), 0); }
        if (kind == readOnlyFolder) fs::permissions(folder, fs::perms::owner_all | fs::perms::others_exec);
        int mixed = 0;
        for (int n = 1; !saveKilledAt(path, now, n, kind == readOnlyFolder ? 65534 : 0); ++n) {
            const std::vector<fs::path> backups = backupsIn(dir);
            if (slurp(path) != old && slurp(path) != now && ++mixed) {
                ASSERT_EQ(backups.size(), 1u) << "killed at step " << n;
                EXPECT_EQ(slurp(backups[0]), old);
                EXPECT_EQ(backups[0], kind <= hardLinked ? fs::path(path.string() + ".quillmoor-backup") : cache / "quillmoor" / inCache);
            }
            for (const fs::path& backup : backups) fs::remove(backup);
            std::ofstream(path, std::ios::binary) << old;
            for (const auto& entry : fs::directory_iterator(folder))  // a short name of its own
                EXPECT_TRUE(entry.path() == path || entry.path().filename() == "link" ||
                            entry.path().filename().string().starts_with("quillmoor-save-"));
        }
        EXPECT_EQ(mixed, kind == renamed ? 0 : 2);
        EXPECT_EQ(slurp(path), now);
        EXPECT_TRUE(backupsIn(dir).empty());
        if (kind == nearlyFullDisk) umount(folder.c_str());
        fs::remove_all(dir);
    }
}

// Each save is on the disk before it counts as done: the bytes before the
// name, the name before the save returns, the backup before the first byte.
TEST(FileWrite, SyncsInOrder) {
    fs::create_directories(dir);
    const fs::path path = dir / (std::string(251, 'n') + ".txt");  // the longest name a file may have
    fileio::detail::onStep = record;
    EXPECT_FALSE(fileio::writeFile(path, "a new file, longer than what follows"));
    fs::create_hard_link(path, dir / "link");
    EXPECT_FALSE(fileio::writeFile(path, "in place"));
    EXPECT_EQ(slurp(dir / "link"), "in place");  // nothing left of the longer text
    fs::remove(dir / "link");
    EXPECT_FALSE(fileio::writeFile(path, "renamed"));
    EXPECT_EQ(slurp(path), "renamed");
    fileio::detail::onStep = nullptr;
    const std::vector<std::string> renamed = {"write", "fsync", "rename", "fsync folder"},
                                   inPlace = {"fsync", "fsync folder", "write", "fsync"};
    std::vector<std::string> expected = renamed;
    expected.insert(expected.end(), inPlace.begin(), inPlace.end());
    expected.insert(expected.end(), renamed.begin(), renamed.end());
    EXPECT_EQ(steps, expected);
    fs::remove_all(dir);
}

// The access list and the attributes stay, and the owning group gets no
// rights that the list's mask gave others.
TEST(FileWrite, KeepsTheAccessListAndAttributes) {
    fs::create_directories(dir);
    const fs::path path = dir / "s.txt";
    std::ofstream(path) << "old";
    const auto acl = [&] { return std::system(("getfacl -cp " + path.string() + " > " + path.string() + ".acl").c_str()) == 0 ? slurp(path.string() + ".acl") : ""; };
    ASSERT_EQ(chmod(path.c_str(), 0640) | std::system(("setfacl -m user:nobody:rw " + path.string()).c_str()), 0);
    ASSERT_EQ(setxattr(path.c_str(), "user.server", "east", 4, 0), 0);
    const std::string before = acl();
    EXPECT_FALSE(fileio::writeFile(path, "new"));
    EXPECT_EQ(acl(), before);
    EXPECT_NE(before.find("group::r--"), std::string::npos);
    char value[8] = {};
    EXPECT_EQ(getxattr(path.c_str(), "user.server", value, sizeof value), 4);
    EXPECT_STREQ(value, "east");
    fs::remove_all(dir);
}

}  // namespace
