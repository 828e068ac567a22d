#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
std::size_t killAt = 0;
void record(const char* step) {
    steps.emplace_back(step);
    if (steps.size() == killAt) raise(SIGKILL);  // as a crash there would
}

// Saves `text`, in three pieces, in a child run as `uid` and killed at its
// `n`th step; false when it was killed.
bool saveKilledAt(const fs::path& path, const std::string& text, std::size_t n, uid_t uid) {
    if (const pid_t child = fork(); child != 0) {
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status);
    }
    if (uid != 0 && (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)) _exit(2);
    killAt = n, fileio::detail::onStep = record;
    _exit(!!fileio::writeFile(path, [&](const fileio::Put& put) {
        int error = 0;
        for (std::size_t at = 0; at < text.size() && error == 0; at += text.size() / 3)
            error = put(text.substr(at, text.size() / 3));
        return error;
    }));
}

// A save killed at any step leaves the old text or the new one at the path,
// and where it left neither, a backup of the old one that a person can find:
// beside the file, or in the cache folder where that cannot be written. What
// else it leaves has a short name that says whose it is.
TEST(FileWrite, AKilledSaveLosesNothing) {
    const fs::path folder = dir / "scripts", path = folder / "s.txt", cache = dir / "cache";
    const std::string old(3 << 20, 'o'), now(3 << 20, 'n');
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    std::string inCache = path.string() + ".quillmoor-backup";
    std::replace(inCache.begin(), inCache.end(), '/', '%');
    enum Kind { renamed, hardLinked, readOnlyFolder, nearlyFullDisk };
    // Mounting the small disk and handing the folder to another account take
    // root (as CI runs); an ordinary account locks its own folder instead.
    const bool root = geteuid() == 0;
    for (const Kind kind : {renamed, hardLinked, readOnlyFolder, nearlyFullDisk}) {
        if (kind == nearlyFullDisk && !root) continue;
        fs::create_directories(folder), fs::create_directories(cache);
        if (kind == nearlyFullDisk) { ASSERT_EQ(mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=5m"), 0); }
        std::ofstream(path, std::ios::binary) << old;
        if (kind != renamed) fs::create_hard_link(path, folder / "link");
        if (kind == readOnlyFolder) {
            if (root) { ASSERT_EQ(chown(path.c_str(), 65534, 0) | chown(cache.c_str(), 65534, 0), 0); }
            ASSERT_EQ(chmod(folder.c_str(), root ? 0701 : 0501), 0);
        }
        int mixed = 0;
        for (std::size_t n = 1; !saveKilledAt(path, now, n, kind == readOnlyFolder && root ? 65534 : 0); ++n) {
            std::vector<fs::path> left;
            for (const auto& entry : fs::recursive_directory_iterator(dir))
                if (entry.is_regular_file() && entry.path() != path && entry.path().filename() != "link")
                    left.push_back(entry);
            if (slurp(path) != old && slurp(path) != now && ++mixed) {
                const fs::path backup =
                    kind <= hardLinked ? fs::path(path.string() + ".quillmoor-backup") : cache / "quillmoor" / inCache;
                EXPECT_EQ(left, std::vector<fs::path>{backup});
            }
            for (const fs::path& file : left) {
                EXPECT_TRUE(file.filename().string().starts_with("quillmoor-save-") || slurp(file) == old) << file;
                fs::remove(file);
            }
            std::ofstream(path, std::ios::binary) << old;
        }
        EXPECT_EQ(std::make_pair(mixed, slurp(path)), std::make_pair(kind == renamed ? 0 : 2, now));
        if (kind == nearlyFullDisk) umount(folder.c_str());
        chmod(folder.c_str(), 0700);
        fs::remove_all(dir);
    }
}

// A save is on the disk before it counts as done (the bytes before their
// name, the name before the save returns, the backup before the first byte
// is overwritten), whatever the file is called; and the file keeps its access
// list, its attributes and its mode, so the owning group does not take the
// list's mask.
TEST(FileWrite, KeepsTheFileAndSyncsInOrder) {
    fs::create_directories(dir);
    const std::string path = dir / (std::string(251, 'n') + ".txt");  // the longest name a file may have
    const auto attributes = [&] {
        return std::system(
                   ("(getfattr --absolute-names -dm- -ehex " + path + "; stat -c%a " + path + ") >attrs").c_str())
                   ? ""
                   : slurp("attrs");
    };
    killAt = 99, fileio::detail::onStep = record;
    const mode_t mask = umask(022);  // a new file is made as any program makes one
    EXPECT_FALSE(fileio::writeFile(path, "a new file, longer than what follows"));
    umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0644));
    ASSERT_EQ(std::system(("chmod 640 " + path + " && setfacl -m user:nobody:rw " + path +
                           " && setfattr -n user.server -v east " + path)
                              .c_str()),
              0);
    const std::string before = attributes();
    fs::create_hard_link(path, dir / "link");
    EXPECT_FALSE(fileio::writeFile(path, "in place"));
    EXPECT_EQ(slurp(dir / "link"), "in place");
    fs::remove(dir / "link");
    EXPECT_FALSE(fileio::writeFile(path, "renamed"));
    fileio::detail::onStep = nullptr;
    EXPECT_EQ(steps, (std::vector<std::string>{"write", "fsync", "rename", "fsync folder", "fsync", "fsync folder",
                                               "write", "fsync", "write", "fsync", "rename", "fsync folder"}));
    EXPECT_EQ(std::make_pair(slurp(path), attributes()), std::make_pair(std::string("renamed"), before));
    EXPECT_TRUE(before.find("posix_acl_access") != before.npos && before.find("user.server") != before.npos) << before;
    fs::remove_all(dir), fs::remove("attrs");
}

}  // namespace
