// Plain POSIX file helpers shared by the service and the profile-list
// library: whole writes and reads, atomic replacement, copying, and the
// writability test. The final path component is never followed as a
// symbolic link. Safe to call from several threads on different files.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

namespace pdk {

// Write all `size` bytes (retrying short writes); false on an error.
bool writeAll(int fd, const void* data, size_t size);
// The whole content of `path`; nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);
// Replace the content of `path` with `bytes`: written to a temporary file in
// the same folder with `mode`, synced, renamed over the target, and the
// folder synced. A crash leaves the old content or the new, never a mix.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode);
// Remove `to`, create it again with `mode` and copy `from` into it in
// blocks of 65535 bytes; a missing `from` leaves `to` empty.
void copyFileReplacing(const std::string& from, const std::string& to, mode_t mode);
// True when `path` opens for appending, creating it with `mode` under the
// file-creation mask 002; a file that did not exist is removed again.
bool testWritable(const std::string& path, mode_t mode);

}  // namespace pdk
