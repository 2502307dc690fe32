#include "pdk/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace pdk {

namespace {

constexpr size_t kBlock = 65536;
constexpr size_t kCopyBlock = 65535;
// mkostemp's six characters after the target's name and a dot.
constexpr std::string_view kTemporaryTemplate = ".XXXXXX";

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Sync the folder holding `path`, so that a rename into it survives a crash.
void syncFolderOf(const std::string& path) {
  const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The target of a temporary name "<target>.XXXXXX", or empty.
std::string_view targetOfTemporary(std::string_view name) {
  if (name.size() <= kTemporaryTemplate.size()) return {};
  const size_t dot = name.size() - kTemporaryTemplate.size();
  if (name[dot] != '.') return {};
  for (char c : name.substr(dot + 1)) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return {};
  }
  return name.substr(0, dot);
}

// A temporary file is written under an exclusive lock that lasts until it
// is renamed or removed; one whose lock can be taken has no writer left.
void removeIfAbandoned(int folderFd, const char* name) {
  const int fd = ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    ::unlinkat(folderFd, name, 0);
  }
  ::close(fd);
}

// Create a temporary file beside `path` and lock it. A cleaner may take a
// new file for an abandoned one before its writer holds the lock; the
// writer then finds its name gone and starts again with a new file.
int createLockedTemporary(const std::string& path, std::string* temporary) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    *temporary = path + std::string(kTemporaryTemplate);
    const int fd = ::mkostemp(temporary->data(), O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat mine, named;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &mine) == 0 && ::lstat(temporary->c_str(), &named) == 0 &&
        mine.st_dev == named.st_dev && mine.st_ino == named.st_ino) {
      return fd;
    }
    ::close(fd);
  }
  return -1;
}

// Write `bytes` into a new locked temporary file beside `path`; its name,
// or empty on failure (nothing left behind).
std::string writeTemporary(const std::string& path, const char* data, size_t size, mode_t mode, int* fdOut) {
  std::string temporary;
  const int fd = createLockedTemporary(path, &temporary);
  if (fd < 0) return "";
  if (!(::fchmod(fd, mode) == 0 && writeAll(fd, data, size) && ::fsync(fd) == 0)) {
    ::unlink(temporary.c_str());
    ::close(fd);
    return "";
  }
  *fdOut = fd;
  return temporary;
}

// Put a written temporary file in place of `path`; the lock goes with the close.
bool commitTemporary(const std::string& temporary, int fd, const std::string& path) {
  const bool renamed = ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!renamed) ::unlink(temporary.c_str());
  const bool closed = ::close(fd) == 0;
  if (renamed) syncFolderOf(path);
  return renamed && closed;
}

}  // namespace

bool writeAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

int openRegularFile(const std::string& path, int flags, mode_t mode) {
  const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::optional<std::string> readWholeFile(const std::string& path, size_t maxBytes) {
  const int fd = openRegularFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  std::vector<char> buf(kBlock);
  for (;;) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || bytes.size() + static_cast<size_t>(n) > maxBytes) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buf.data(), static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

bool replaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode) {
  const std::string base = baseNameOf(path);
  removeStaleTemporaries(folderOf(path), [&](std::string_view target) { return target == base; });
  int fd = -1;
  const std::string temporary = writeTemporary(path, bytes.data(), bytes.size(), mode, &fd);
  return !temporary.empty() && commitTemporary(temporary, fd, path);
}

bool copyFileReplacing(const std::string& from, const std::string& to, mode_t mode) {
  const int in = openRegularFile(from, O_RDONLY);
  if (in < 0) return false;
  std::string copy;
  std::vector<char> buf(kCopyBlock);
  bool ok = true;
  for (;;) {
    std::fill(buf.begin(), buf.end(), 0);
    const ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    copy.append(buf.data(), static_cast<size_t>(n));
  }
  ::close(in);
  return ok && replaceFileAtomically(to, copy, mode);
}

bool testWritable(const std::string& path, mode_t mode) {
  struct stat st;
  const bool existed = ::lstat(path.c_str(), &st) == 0;
  ::umask(002);
  const int fd = openRegularFile(path, O_RDWR | O_APPEND | O_CREAT, mode);
  if (fd < 0) return false;
  ::close(fd);
  if (!existed) ::unlink(path.c_str());
  return true;
}

void removeStaleTemporaries(const std::string& folder, const std::function<bool(std::string_view)>& isTarget) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int folderFd = ::dirfd(dir);
  std::vector<std::string> abandoned;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view target = targetOfTemporary(entry->d_name);
    if (!target.empty() && isTarget(target)) abandoned.emplace_back(entry->d_name);
  }
  for (const auto& name : abandoned) removeIfAbandoned(folderFd, name.c_str());
  ::closedir(dir);
}

}  // namespace pdk
