// File access of the service build: acts on the files at the paths of the
// walk request being served (profile_paths.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "file_access.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

constexpr mode_t kFileMode = 0664;
constexpr size_t kCopyBlock = 65535;

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copy the current list to the previous path, which is replaced.
void copyCurrentToPrevious(const char* current, const char* previous) {
  ::unlink(previous);
  const int in = ::open(current, O_RDONLY | O_CLOEXEC);
  const int out = ::open(previous, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, kFileMode);
  if (in >= 0 && out >= 0) {
    char buffer[kCopyBlock];
    for (;;) {
      std::memset(buffer, 0, sizeof buffer);
      const ssize_t n = ::read(in, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || !writeAll(out, buffer, static_cast<size_t>(n))) break;
    }
  }
  if (in >= 0) ::close(in);
  if (out >= 0) ::close(out);
}

// Sync the folder so that a rename into it survives a crash.
void syncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string currentListPath() { return ZN_PLIST_PROFILE_PATH; }

std::string previousListPath() { return ZN_PLIST_PROFILE_PREV_PATH; }

int32_t writeListXml(const std::string& xml) {
  const std::string path = currentListPath();
  if (path.empty()) return -1;
  // A crash must never leave a half-written list: write aside, sync, rename.
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  bool ok = ::fchmod(fd, kFileMode) == 0 && writeAll(fd, xml.data(), xml.size()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return -1;
  }
  syncFolderOf(path);
  return 0;
}

int32_t ZNPListIsAdminProfile() {
  const char* path = ZN_PLIST_PROFILE_PATH;
  if (!*path) return 0;
  struct stat st;
  const bool existed = ::stat(path, &st) == 0;
  ::umask(002);
  const int fd = ::open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, kFileMode);
  if (fd < 0) return 0;
  ::close(fd);
  if (!existed) ::unlink(path);
  return 1;
}

void ZNPListSwapProfile(int32_t swapType) {
  if (ZNPListIsAdminProfile() != 1) return;
  const char* current = ZN_PLIST_PROFILE_PATH;
  const char* previous = ZN_PLIST_PROFILE_PREV_PATH;
  switch (swapType) {
    case 2:
      if (*previous) copyCurrentToPrevious(current, previous);
      break;
    case 1:
      if (*previous) ::unlink(previous);
      break;
    case 0:
      if (!*previous) break;
      ::unlink(current);
      ::rename(previous, current);
      break;
    default:
      break;
  }
}

int32_t ZNPListExistProfile() {
  if (ZNPListIsAdminProfile() != 1) return 0;
  const int fd = ::open(ZN_PLIST_PROFILE_PATH, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  ::close(fd);
  return 1;
}

int32_t ZNPListRemove(int32_t which) {
  if (ZNPListIsAdminProfile() != 1) return 0;
  const char* path = which == 3 ? ZN_PLIST_PROFILE_PATH : which == 2 ? ZN_PLIST_PROFILE_PREV_PATH : nullptr;
  if (!path || !*path) return 0;
  return ::unlink(path) == 0 ? 1 : 0;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
