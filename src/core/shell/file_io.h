#pragma once
// Whole-file reads and writes for the script and the INI files, done so that
// nothing the user owns is lost: a read never blocks on something that is
// not a plain file, and a write keeps the file what it was (owner, group,
// mode, symbolic and hard links) and leaves the old bytes readable when it
// fails. Failures come back as the description shown to the user.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quill::fileio {

using Failure = std::optional<std::string>;

// Sees the size the file reports and its first bytes (up to four) before
// the rest is read, and may refuse the file.
using ReadCheck = std::function<Failure(std::uint64_t reportedSize, std::string_view head)>;

// The whole plain file at `path`, read to its end whatever size it reports.
// Pipes, devices, sockets and folders are refused without being opened for
// reading, so the call never waits for a writer.
Failure readFile(const std::string& path, std::string& bytes, const ReadCheck& check = {});

// The same file read a piece at a time, for text that goes on elsewhere as it
// is read, so that the whole file is never held here. The same refusals and
// failures as readFile.
class Reader {
public:
    static constexpr std::size_t kPiece = std::size_t(1) << 20;
    Reader() = default;
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    ~Reader();
    Failure open(const std::string& path, const ReadCheck& check = {});
    // The size the file reported when it was opened.
    std::uint64_t reportedSize() const { return size_; }
    // The next piece, kPiece bytes unless the file ends first; empty at its end.
    Failure next(std::string& piece);
    // Back to the file's first byte.
    void rewind() { offset_ = 0; }

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t offset_ = 0;
};

// What tells one state of a file from another: when any of it differs, the
// file was replaced or written since.
struct Stamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t seconds = 0, nanoseconds = 0;  // of the last modification
    bool operator==(const Stamp&) const = default;
};

// The file at `path` (the target of a symbolic link) as it is now; nullopt
// when there is none.
std::optional<Stamp> stampOf(const std::string& path);

// Makes `bytes` the content of the file at `path` (the target of a symbolic
// link), creating it when missing. An existing file keeps its owner, group,
// mode, access list and extended attributes, and every hard link sees the
// new bytes. The bytes go to a new file that replaces the old one when that
// keeps all of this; otherwise they are written over the old ones after a
// durable backup of those has been made (beside the file, else in the
// user's cache folder), which is put back if the write fails. Once it
// returns without failure, the new bytes and the file's name are on the disk.
Failure writeFile(const std::string& path, std::string_view bytes);

// Hands the bytes a piece at a time to the function it is given, which writes
// each and returns 0 or the errno of its failure; returns the first such
// failure, or 0 once every piece has been written.
using Put = std::function<int(std::string_view piece)>;
using Source = std::function<int(const Put& put)>;

// As writeFile, for bytes that are made a piece at a time while they are
// written, so they are never held whole. A failure of the source fails the
// write just as a failure of the disk does.
Failure writeFile(const std::string& path, const Source& source);

namespace detail {
// Called with each step that makes a save durable ("write", "fsync",
// "rename", "fsync folder"), in order, when set.
extern void (*onStep)(const char* step);
}  // namespace detail

}  // namespace quill::fileio
