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

// Sees the size the file reports and its first bytes (up to three) before
// the rest is read, and may refuse the file.
using ReadCheck = std::function<Failure(std::uint64_t reportedSize, std::string_view head)>;

// The whole plain file at `path`, read to its end whatever size it reports.
// Pipes, devices, sockets and folders are refused without being opened for
// reading, so the call never waits for a writer.
Failure readFile(const std::string& path, std::string& bytes, const ReadCheck& check = {});

// Makes `bytes` the content of the file at `path` (the target of a symbolic
// link), creating it when missing. An existing file keeps its owner, group
// and mode and every hard link sees the new bytes. The bytes go to a
// temporary file that replaces the old one when that keeps all of this;
// otherwise they are written over the old ones after a copy of those has been
// secured, and the copy is put back if the write fails.
Failure writeFile(const std::string& path, std::string_view bytes);

}  // namespace quill::fileio
