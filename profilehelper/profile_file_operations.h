// The file operations behind the service's requests, acting directly on
// paths the caller policy has already admitted. Final path components are
// never followed as symbolic links, and only regular files are opened: a
// FIFO or device in a list's place is refused without blocking. Thread-safe
// as far as the file system is: operations on the same file from two
// threads are not coordinated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Open `path` for appending, creating it with bits 0664 (file-creation mask
// 002); remove it again if it did not exist. True when it opened.
bool testWritable(const std::string& path);

// Largest list file the chunked write assembles.
inline constexpr size_t kMaxListFileBytes = 16u << 20;

// Swap of the previous generation: 2 copies `current` over `previous` (a
// missing `current` leaves `previous` as it was), 1 removes `previous`, 0
// moves `previous` in place of `current` (and removes `current` when there
// is no previous file); other types do nothing.
void swapGenerations(int32_t type, const std::optional<std::string>& current,
                     const std::optional<std::string>& previous);

// True when `path` opens for reading as a regular file.
bool existsForReading(const std::string& path);

// True when the entry at `path` was removed.
bool removeEntry(const std::string& path);

// Replace the content of `path` with `bytes`: written to a temporary file in
// the same folder, synced and renamed over the target. True on success.
bool replaceFileContent(const std::string& path, const std::string& bytes);

// Append `chunk` to the temporary file `temporaryPath` (replaced atomically);
// a present file that is not UTF-8 text is started afresh. False when the
// result would exceed kMaxListFileBytes. True on success.
bool appendChunk(const std::string& temporaryPath, const std::string& chunk);

// Move the assembled `temporaryPath` over `path` in one atomic rename.
// False, with `path` left as it was, when there is no temporary file.
bool renameTemporaryOver(const std::string& temporaryPath, const std::string& path);

// Remove the temporary files that writes of profile lists left in `folder`
// when the service was killed mid-write.
void removeAbandonedTemporaries(const std::string& folder);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
