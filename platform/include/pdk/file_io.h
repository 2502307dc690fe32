// Plain POSIX file helpers shared by the service and the profile-list
// library: whole writes and reads, atomic replacement, copying, and the
// writability test. The final path component is never followed as a
// symbolic link, and only regular files are read or written: a FIFO or a
// device put in a file's place is refused without blocking. Safe to call
// from several threads and processes on the same or different files.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pdk {

// Largest file readWholeFile reads unless told otherwise.
inline constexpr size_t kDefaultMaxReadBytes = 64u << 20;

// Write all `size` bytes (retrying short writes); false on an error.
bool writeAll(int fd, const void* data, size_t size);
// Open `path` with `flags` (and `mode` when creating) without following a
// symbolic link and without blocking; -1 unless it is a regular file. The
// descriptor is close-on-exec and blocking again.
int openRegularFile(const std::string& path, int flags, mode_t mode = 0);
// The whole content of the regular file `path`; nothing when it cannot be
// read or holds more than `maxBytes`.
std::optional<std::string> readWholeFile(const std::string& path, size_t maxBytes = kDefaultMaxReadBytes);
// Replace the content of `path` with `bytes`: written to a temporary file
// "<path>.XXXXXX" in the same folder with `mode`, synced, renamed over the
// target, and the folder synced. A crash leaves the old content or the new,
// never a mix. Temporary files of `path` left by a writer that was killed
// are removed first.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode);
// Replace `to` with a copy of the regular file `from`, made with `mode` in
// blocks of 65535 bytes and put in place atomically. When `from` cannot be
// opened, `to` is left as it was and the result is false.
bool copyFileReplacing(const std::string& from, const std::string& to, mode_t mode);
// True when `path` opens for appending as a regular file, creating it with
// `mode` under the file-creation mask 002; a file that did not exist is
// removed again.
bool testWritable(const std::string& path, mode_t mode);
// Remove the temporary files that replaceFileAtomically left in `folder`
// for the targets whose file names `isTarget` accepts, when their writer
// was killed. A temporary file still being written is left alone.
void removeStaleTemporaries(const std::string& folder, const std::function<bool(std::string_view)>& isTarget);

}  // namespace pdk
