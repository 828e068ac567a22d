#include "shell/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace quill::fileio {
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

// A new file next to `base` (whose name it starts with), made with O_EXCL so
// nothing of another's is taken over.
int createBeside(const std::string& base, const char* suffix, mode_t mode, std::string& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = base + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The bytes go to a temporary file in the same folder, which then replaces
// the file in one step. Returns nullopt, having left nothing behind, when
// this cannot keep the file's owner and group; the caller then writes in
// place. `existing` is null for a new file.
std::optional<Failure> replaceByRename(const std::string& shown, const std::string& target, const struct stat* existing,
                                       const Source& source) {
    std::string temp;
    Fd fd(createBeside(target, ".tmp", existing ? S_IRUSR | S_IWUSR : 0666, temp));
    if (fd.fd < 0) {
        if (existing) return std::nullopt;  // a folder we may not write in: write in place
        return Failure(cannotOpenForWriting(shown, errno));
    }
    auto discard = [&](Failure failure) -> std::optional<Failure> {
        fd.close();
        ::unlink(temp.c_str());
        return failure;
    };
    if (existing) {
        // Owner before mode: a change of owner clears the set-id bits.
        if (::fchown(fd.fd, existing->st_uid, existing->st_gid) != 0) {
            fd.close();
            ::unlink(temp.c_str());
            return std::nullopt;
        }
        if (::fchmod(fd.fd, existing->st_mode & 07777) != 0) return discard(cannotWrite(shown, errno));
    }
    std::uint64_t written = 0;
    if (const int error = writeSource(fd.fd, source, written)) return discard(cannotWrite(shown, error));
    if (::fsync(fd.fd) != 0) return discard(cannotWrite(shown, errno));
    if (!fd.close()) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Failure(cannotWrite(shown, error));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Failure(cannotWrite(shown, error));
    }
    return Failure();
}

// Where the bytes must go through the file itself (more than one name, a
// folder we may not write in, an owner we may not give away): a copy of the
// old bytes is kept in memory and on disk (beside the file, else in the
// temporary folder) before they are overwritten, and put back if the write
// fails.
Failure writeInPlace(const std::string& shown, const std::string& target, int writeFd, const Source& source) {
    std::string old;
    {
        Fd readFd(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (readFd.fd < 0) return cannotWrite(shown, errno) + " (no copy of the old text could be kept)";
        if (const int error = readToEnd(readFd.fd, old, 0)) return cannotWrite(shown, error);
    }
    std::string backup;
    int backupFd = createBeside(target, ".bak", S_IRUSR | S_IWUSR, backup);
    if (backupFd < 0) {
        const char* tmp = std::getenv("TMPDIR");
        const std::string folder = tmp && *tmp ? tmp : "/tmp";
        backupFd = createBeside(folder + "/" + nameOf(target), ".bak", S_IRUSR | S_IWUSR, backup);
    }
    if (backupFd < 0) return cannotWrite(shown, errno) + " (no copy of the old text could be kept)";
    {
        Fd fd(backupFd);
        const int error = writeAllAt(fd.fd, old, 0);
        if (error != 0 || ::fsync(fd.fd) != 0 || !fd.close()) {
            ::unlink(backup.c_str());
            return cannotWrite(shown, error ? error : errno) + " (no copy of the old text could be kept)";
        }
    }
    // Overwrite from the start and cut the rest off only at the end: the old
    // file's blocks are reused, so putting the old bytes back never needs
    // more room than the file already had.
    std::uint64_t written = 0;
    int error = writeSource(writeFd, source, written);
    if (error == 0 && ::ftruncate(writeFd, static_cast<off_t>(written)) != 0) error = errno;
    if (error == 0 && ::fsync(writeFd) != 0) error = errno;
    if (error == 0) {
        ::unlink(backup.c_str());
        return std::nullopt;
    }
    const bool restored = writeAllAt(writeFd, old, 0) == 0 &&
                          ::ftruncate(writeFd, static_cast<off_t>(old.size())) == 0 && ::fsync(writeFd) == 0;
    if (!restored) return cannotWrite(shown, error) + "; the old text is kept in " + quoted(backup);
    ::unlink(backup.c_str());
    return cannotWrite(shown, error);
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

Failure writeFile(const std::string& path, std::string_view bytes) {
    return writeFile(path, [bytes](const Put& put) { return put(bytes); });
}

Failure writeFile(const std::string& path, const Source& source) {
    const std::string target = resolveLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) return cannotOpenForWriting(path, errno);
        return *replaceByRename(path, target, nullptr, source);
    }
    if (!S_ISREG(st.st_mode)) return notAFile(path, st.st_mode);
    // The right to write the file itself decides, as it does for an editor
    // that writes in place; the folder's rights only choose the way.
    Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.fd < 0) return cannotOpenForWriting(path, errno);
    if (st.st_nlink == 1)
        if (std::optional<Failure> done = replaceByRename(path, target, &st, source)) {
            if (!*done && st.st_size >= kLargeFile) fd.closeInBackground();
            return *done;
        }
    Failure failure = writeInPlace(path, target, fd.fd, source);
    if (!fd.close() && !failure) return cannotWrite(path, errno);
    return failure;
}

}  // namespace quill::fileio
