#include "profile_file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "pdk/file_io.h"
#include "pdk/text.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

constexpr mode_t kFileMode = 0664;

}  // namespace

bool testWritable(const std::string& path) { return pdk::testWritable(path, kFileMode); }

void swapGenerations(int32_t type, const std::optional<std::string>& current,
                     const std::optional<std::string>& previous) {
  switch (type) {
    case 2:
      // Without a current list the previous generation is all that is left
      // of the user's list: keep it.
      if (current && previous) pdk::copyFileReplacing(*current, *previous, kFileMode);
      break;
    case 1:
      if (previous) ::unlink(previous->c_str());
      break;
    case 0:
      // rename() replaces the current file in one step; without a previous
      // file the current one is removed, as a restore of "no list" would.
      if (current && previous && ::rename(previous->c_str(), current->c_str()) == 0) break;
      if (current) ::unlink(current->c_str());
      break;
    default:
      break;
  }
}

bool existsForReading(const std::string& path) {
  const int fd = pdk::openRegularFile(path, O_RDONLY);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool removeEntry(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool replaceFileContent(const std::string& path, const std::string& bytes) {
  return pdk::replaceFileAtomically(path, bytes, kFileMode);
}

bool appendChunk(const std::string& temporaryPath, const std::string& chunk) {
  auto old = pdk::readWholeFile(temporaryPath, kMaxListFileBytes);
  if (!old || !pdk::isValidUtf8(*old)) old = std::string();
  if (old->size() + chunk.size() > kMaxListFileBytes) return false;
  return replaceFileContent(temporaryPath, *old + chunk);
}

bool renameTemporaryOver(const std::string& temporaryPath, const std::string& path) {
  struct stat st;
  if (::lstat(temporaryPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ::rename(temporaryPath.c_str(), path.c_str()) == 0;
}

void removeAbandonedTemporaries(const std::string& folder) {
  pdk::removeStaleTemporaries(folder, [](std::string_view target) {
    return target.ends_with(".plist") || target.ends_with(".plist.dummy");
  });
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
