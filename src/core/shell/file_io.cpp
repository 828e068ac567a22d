#include "shell/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace quill::fileio {

void (*detail::onStep)(const char* step) = nullptr;

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string notAFile(const std::string& path, mode_t mode) {
    const char* what = S_ISDIR(mode)    ? "a folder"
                       : S_ISFIFO(mode) ? "a named pipe"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "not a plain file";
    return quoted(path) + " is " + what + ", not a file";
}

std::string cannotOpenForWriting(const std::string& path, int error) {
    return quoted(path) + " could not be opened for writing: " + std::strerror(error);
}

std::string cannotWrite(const std::string& path, int error) {
    return quoted(path) + " could not be written: " + std::strerror(error);
}

// Closes the descriptor it holds when it goes out of scope.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    // Closes now and reports whether the close itself succeeded (a full disk
    // on a network file system can show only here).
    bool close() {
        const int f = fd;
        fd = -1;
        return ::close(f) == 0;
    }
    // Closes it on another thread, for a descriptor that holds the last
    // reference to a file that has been replaced: the kernel frees the old
    // file's blocks and cached pages inside that close, tens of milliseconds
    // for a large script that the user need not wait for once the new one is
    // safely on disk.
    void closeInBackground() {
        const int f = fd;
        fd = -1;
        try {
            std::thread([f] { ::close(f); }).detach();
        } catch (const std::system_error&) {
            ::close(f);  // no thread to be had: the save is done all the same
        }
    }
};

void step(const char* name) {
    if (detail::onStep) detail::onStep(name);
}

constexpr off_t kLargeFile = off_t(8) << 20;
constexpr std::uint64_t kDiskStretch = std::uint64_t(4) << 20;

// Writes all of `bytes` at `offset`; 0 or the errno of the failure.
int writeAllAt(int fd, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes every piece of `source` from the start of the file; 0 or the errno
// of the failure. `written` is how many bytes went out.
int writeSource(int fd, const Source& source, std::uint64_t& written) {
    written = 0;
    std::uint64_t handedToDisk = 0;
    return source([&](std::string_view piece) {
        step("write");
        const int error = writeAllAt(fd, piece, static_cast<off_t>(written));
        if (error != 0) return error;
        written += piece.size();
        // The fsync that ends every write must wait for the disk; starting the
        // disk on what is already written lets it work while the rest is
        // made, so that wait is for the last stretch only. A failure here
        // shows again in that fsync.
        if (written - handedToDisk >= kDiskStretch) {
            ::sync_file_range(fd, static_cast<off_t>(handedToDisk), static_cast<off_t>(written - handedToDisk),
                              SYNC_FILE_RANGE_WRITE);
            handedToDisk = written;
        }
        return 0;
    });
}

// Reads from `fd` to its end into `bytes`; 0 or the errno of the failure.
int readToEnd(int fd, std::string& bytes, std::size_t expected) {
    bytes.clear();
    // One byte more than reported, so a file of the reported size is read
    // whole with one allocation and its end is seen without growing.
    bytes.resize(expected + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(bytes.size() < 65536 ? 65536 : bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return 0;
}

// A symbolic link stands for its target: the text goes there and the link
// stays. A dangling link names the file to create.
std::string resolveLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string target(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0) break;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') {
            const std::size_t slash = path.rfind('/');
            if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
        }
        path = target;
    }
    return path;
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int syncFile(int fd) {
    step("fsync");
    return ::fsync(fd) == 0 ? 0 : errno;
}

// A new or renamed name survives a power cut only once its folder is synced.
int syncFolder(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.fd < 0) return errno;
    step("fsync folder");
    // A file system that cannot sync a folder says so; its names are as
    // durable as it makes them.
    return ::fsync(fd.fd) == 0 || errno == EINVAL ? 0 : errno;
}

// The bytes a name may take on the file systems the scripts live on.
constexpr std::size_t kNameMax = 255;

bool continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The end of `name` that fits `room` bytes, never starting inside a UTF-8
// character.
std::string_view tailOf(std::string_view name, std::size_t room) {
    if (name.size() <= room) return name;
    std::size_t from = name.size() - room;
    while (from < name.size() && continuesCharacter(name[from])) ++from;
    return name.substr(from);
}

// Likewise its start.
std::string_view headOf(std::string_view name, std::size_t room) {
    if (name.size() <= room) return name;
    while (room > 0 && continuesCharacter(name[room])) --room;
    return name.substr(0, room);
}

// A file being made in a folder, which no one else can reach until it is
// given a name: unnamed where the file system offers that, so a save cut
// short leaves nothing behind, else under a short name of its own, which
// fits whatever the script is called and says whose it is. Unless it was
// put in place, it is removed when it goes out of scope.
class NewFile {
public:
    explicit NewFile(std::string folder) : folder_(std::move(folder)) {}
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    int fd() const { return fd_.fd; }
    const std::string& name() const { return name_; }

    int create(mode_t mode) {
        fd_.fd = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        for (int attempt = 0; fd_.fd < 0 && attempt < 100; ++attempt) {
            name_ = shortName();
            fd_.fd = ::open(name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_.fd < 0 && errno != EEXIST) break;
        }
        if (fd_.fd >= 0) return 0;
        const int error = errno;
        name_.clear();
        return error;
    }

    // Gives it the name `path`, which must be free: EEXIST when it is not.
    int link(const std::string& path) {
        if (!name_.empty()) {
            if (::renameat2(AT_FDCWD, name_.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) return errno;
        } else if (::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd_.fd)).c_str(), AT_FDCWD, path.c_str(),
                            AT_SYMLINK_FOLLOW) != 0 &&
                   (errno != ENOENT || ::linkat(fd_.fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) != 0)) {
            return errno;  // ENOENT: no /proc; linking the descriptor itself needs a privilege
        }
        name_ = path;
        return 0;
    }

    // Puts it in place of `target`, in one step.
    int replace(const std::string& target) {
        int error = name_.empty() ? EEXIST : 0;
        for (int attempt = 0; error == EEXIST && attempt < 100; ++attempt) error = link(shortName());
        if (error != 0) return error;
        step("rename");
        if (::rename(name_.c_str(), target.c_str()) != 0) return errno;
        name_.clear();
        return 0;
    }

    // Kept under the name it was given.
    Fd& keep() {
        name_.clear();
        return fd_;
    }

private:
    std::string shortName() const {
        static unsigned counter = 0;
        return folder_ + "/quillmoor-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    }
    std::string folder_, name_;
    Fd fd_{-1};
};

// Copies all that `from` holds to the start of `to`; 0 or the errno of the
// failure. `copied` is how many bytes went over.
int copyAll(int from, int to, off_t& copied) {
    off_t in = 0;
    for (;;) {
        // Copied inside the kernel, or shared, where the file system can.
        const ssize_t n = ::copy_file_range(from, &in, to, &copied, std::size_t(1) << 30, 0);
        if (n == 0) return 0;
        if (n > 0 || errno == EINTR) continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
        break;
    }
    std::string buffer(std::size_t(1) << 20, '\0');
    for (;;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), in);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0 ? 0 : errno;
        if (const int error = writeAllAt(to, std::string_view(buffer.data(), static_cast<std::size_t>(n)), copied))
            return error;
        in += n;
        copied += n;
    }
}

// Reads a list or a value whose size is asked first and may grow meanwhile.
template <typename Call>
bool readSized(std::string& out, Call call) {
    for (;;) {
        const ssize_t size = call(nullptr, 0);
        if (size < 0) return false;
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got = call(out.data(), out.size());
        if (got >= 0) return out.resize(static_cast<std::size_t>(got)), true;
        if (errno != ERANGE) return false;
    }
}

// The names of a file's extended attributes, each ended by a NUL.
bool attributeNames(int fd, std::string& names) {
    if (readSized(names, [fd](char* to, std::size_t size) { return ::flistxattr(fd, to, size); })) return true;
    names.clear();
    return errno == ENOTSUP;  // a file system without them
}

bool listed(const std::string& names, const char* name) {
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1)
        if (std::strcmp(names.c_str() + at, name) == 0) return true;
    return false;
}

// Makes the extended attributes of `to` those of `from`: the access list
// (system.posix_acl_access) among them, and none that `to` took from its
// folder. False where one cannot be read, set or removed.
bool copyAttributes(int from, int to) {
    std::string names, present, value;
    if (!attributeNames(from, names) || !attributeNames(to, present)) return false;
    for (std::size_t at = 0; at < present.size(); at += std::strlen(present.c_str() + at) + 1)
        if (!listed(names, present.c_str() + at) && ::fremovexattr(to, present.c_str() + at) != 0) return false;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        const char* name = names.c_str() + at;
        const auto get = [from, name](char* into, std::size_t size) { return ::fgetxattr(from, name, into, size); };
        if (!readSized(value, get) || ::fsetxattr(to, name, value.data(), value.size(), 0) != 0) return false;
    }
    return true;
}

// Gives the new file everything of the old one but its bytes; false where
// something cannot be given, as the file would then be less than it was.
bool takeOver(int oldFd, const struct stat& old, int newFd) {
    // Owner before mode: a change of owner clears the set-id bits. The access
    // list before the mode too: setting the list sets the group bits to its
    // mask, and the mode sets that mask back to what it was, so the owning
    // group never gets the rights of the list's other entries.
    return ::fchown(newFd, old.st_uid, old.st_gid) == 0 && copyAttributes(oldFd, newFd) &&
           ::fchmod(newFd, old.st_mode & 07777) == 0;
}

// The bytes go to a new file in the same folder, which then replaces the
// file in one step. Returns nullopt, having left nothing behind, when this
// cannot keep all the file is (owner, group, attributes); the caller then
// writes in place. `existing` is null for a new file.
std::optional<Failure> replaceByRename(const std::string& shown, const std::string& target, const struct stat* existing,
                                       int existingFd, const Source& source) {
    const std::string folder = folderOf(target);
    NewFile file(folder);
    if (const int error = file.create(existing ? S_IRUSR | S_IWUSR : 0666)) {
        if (existing) return std::nullopt;  // a folder we may not write in: write in place
        return Failure(cannotOpenForWriting(shown, error));
    }
    if (existing && !takeOver(existingFd, *existing, file.fd())) return std::nullopt;
    std::uint64_t written = 0;
    int error = writeSource(file.fd(), source, written);
    if (error == 0) error = syncFile(file.fd());
    if (error == 0) error = file.replace(target);
    if (error == 0) error = syncFolder(folder);
    if (error == 0 && !file.keep().close()) error = errno;
    return error == 0 ? Failure() : Failure(cannotWrite(shown, error));
}

// The user's own cache folder for the program, made where missing; empty
// when the user has no home to hold it.
std::string cacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string root;
    if (cache && *cache == '/') root = cache;
    else if (home && *home == '/') root = std::string(home) + "/.cache";
    else return {};
    const std::string folder = root + "/quillmoor";
    for (const std::string& made : {root, folder})
        if (::mkdir(made.c_str(), 0700) == 0) syncFolder(folderOf(made));
    return folder;
}

// Says what the file is and whose: beside the script it carries the
// script's name; in the cache folder, its whole path with each "/" as "%"
// (the end of it, where that is too long).
std::string backupName(const std::string& target, bool beside, int attempt) {
    std::string mark = ".quillmoor-backup";
    if (attempt > 1) mark.append("-").append(std::to_string(attempt));
    const std::size_t room = kNameMax - mark.size();
    if (beside) return std::string(headOf(nameOf(target), room)) + mark;
    std::string path = target;
    for (char& c : path)
        if (c == '/') c = '%';
    return std::string(tailOf(path, room)) + mark;
}

// A durable copy of what `readFd` holds, taken before the file is written
// over: beside the file, else in the user's cache folder, never where a
// restart would clear it. It only gets its name once it is whole, and no
// earlier backup is ever taken over, as it may be the last copy of a script.
int makeBackup(const std::string& target, int readFd, std::string& path, Fd& fd, off_t& size) {
    int error = 0;
    for (const bool beside : {true, false}) {
        const std::string folder = beside ? folderOf(target) : cacheFolder();
        if (folder.empty()) continue;
        NewFile file(folder);
        size = 0;
        error = file.create(S_IRUSR | S_IWUSR);
        if (error == 0) error = copyAll(readFd, file.fd(), size);
        if (error == 0) error = syncFile(file.fd());
        if (error == 0) error = EEXIST;  // the first name to try
        for (int attempt = 1; error == EEXIST && attempt < 100; ++attempt)
            error = file.link(folder + "/" + backupName(target, beside, attempt));
        if (error == 0) error = syncFolder(folder);
        if (error == 0) {
            path = file.name();
            std::swap(fd.fd, file.keep().fd);
            return 0;
        }
    }
    return error;
}

// Where the bytes must go through the file itself (more than one name, a
// folder we may not write in, an owner or an attribute we may not give): a
// durable backup of the old bytes is made first, so that a crash at any
// instant leaves the old text, the new text, or that backup; it is put back
// if the write fails, and removed once the new text is durable.
Failure writeInPlace(const std::string& shown, const std::string& target, int writeFd, const Source& source) {
    const std::string noCopy = " (no copy of the old text could be kept)";
    std::string backup;
    Fd backupFd(-1);
    off_t oldSize = 0;
    {
        Fd readFd(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (readFd.fd < 0) return cannotWrite(shown, errno) + noCopy;
        if (const int error = makeBackup(target, readFd.fd, backup, backupFd, oldSize))
            return cannotWrite(shown, error) + noCopy;
    }
    // Overwrite from the start and cut the rest off only at the end: the old
    // file's blocks are reused, so putting the old bytes back never needs
    // more room than the file already had.
    std::uint64_t written = 0;
    int error = writeSource(writeFd, source, written);
    if (error == 0 && ::ftruncate(writeFd, static_cast<off_t>(written)) != 0) error = errno;
    if (error == 0) error = syncFile(writeFd);
    if (error != 0) {
        off_t copied = 0;
        const bool restored = copyAll(backupFd.fd, writeFd, copied) == 0 && ::ftruncate(writeFd, oldSize) == 0 &&
                              syncFile(writeFd) == 0;
        if (!restored) return cannotWrite(shown, error) + "; the old text is kept in " + quoted(backup);
    }
    ::unlink(backup.c_str());
    if (error != 0) return cannotWrite(shown, error);
    return std::nullopt;
}

}  // namespace

namespace {

Failure readFailure(const std::string& path, int error) {
    if (error == ENOENT || error == ENOTDIR) return "the file " + quoted(path) + " does not exist";
    if (error == EACCES) return "permission to read " + quoted(path) + " was denied";
    return quoted(path) + " could not be read: " + std::strerror(error);
}

// Opens the plain file at `path` for reading and lets `check` see it first;
// `fd` is then open on it and `size` is the size it reports.
Failure openForReading(const std::string& path, const ReadCheck& check, int& fdOut, std::uint64_t& size) {
    auto failed = [&path](int error) -> Failure { return readFailure(path, error); };
    struct stat st {};
    // Checked before opening: opening a pipe for reading waits for a writer.
    if (::stat(path.c_str(), &st) != 0) return failed(errno);
    if (!S_ISREG(st.st_mode)) return notAFile(path, st.st_mode);
    // Non-blocking all the same, should the path have been swapped since.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.fd < 0) return failed(errno);
    if (::fstat(fd.fd, &st) != 0) return failed(errno);
    if (!S_ISREG(st.st_mode)) return notAFile(path, st.st_mode);
    size = static_cast<std::uint64_t>(st.st_size);
    if (check) {
        char head[4];
        ssize_t n;
        do n = ::pread(fd.fd, head, sizeof head, 0);
        while (n < 0 && errno == EINTR);
        if (n < 0) return failed(errno);
        if (Failure refused = check(size, std::string_view(head, static_cast<std::size_t>(n)))) return refused;
    }
    fdOut = fd.fd;
    fd.fd = -1;
    return std::nullopt;
}

}  // namespace

Reader::~Reader() {
    if (fd_ >= 0) ::close(fd_);
}

Failure Reader::open(const std::string& path, const ReadCheck& check) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_ = path;
    offset_ = 0;
    return openForReading(path, check, fd_, size_);
}

Failure Reader::next(std::string& piece) {
    piece.resize(kPiece);
    std::size_t got = 0;
    while (got < piece.size()) {
        const ssize_t n = ::pread(fd_, piece.data() + got, piece.size() - got, static_cast<off_t>(offset_ + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            piece.clear();
            return readFailure(path_, errno);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    piece.resize(got);
    offset_ += got;
    return std::nullopt;
}

Failure readFile(const std::string& path, std::string& bytes, const ReadCheck& check) {
    int descriptor = -1;
    std::uint64_t size = 0;
    if (Failure failure = openForReading(path, check, descriptor, size)) return failure;
    Fd fd(descriptor);
    if (const int error = readToEnd(fd.fd, bytes, static_cast<std::size_t>(size))) return readFailure(path, error);
    return std::nullopt;
}

std::optional<Stamp> stampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Stamp{st.st_dev, st.st_ino, static_cast<std::uint64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

Failure writeFile(const std::string& path, std::string_view bytes) {
    return writeFile(path, [bytes](const Put& put) { return put(bytes); });
}

Failure writeFile(const std::string& path, const Source& source) {
    const std::string target = resolveLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) return cannotOpenForWriting(path, errno);
        return *replaceByRename(path, target, nullptr, -1, source);
    }
    if (!S_ISREG(st.st_mode)) return notAFile(path, st.st_mode);
    // The right to write the file itself decides, as it does for an editor
    // that writes in place; the folder's rights only choose the way.
    Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.fd < 0) return cannotOpenForWriting(path, errno);
    if (st.st_nlink == 1)
        if (std::optional<Failure> done = replaceByRename(path, target, &st, fd.fd, source)) {
            if (!*done && st.st_size >= kLargeFile) fd.closeInBackground();
            return *done;
        }
    Failure failure = writeInPlace(path, target, fd.fd, source);
    if (!fd.close() && !failure) return cannotWrite(path, errno);
    return failure;
}

}  // namespace quill::fileio
