#include "pdk/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace pdk {

namespace {

constexpr size_t kBlock = 65536;
constexpr size_t kCopyBlock = 65535;

// Sync the folder holding `path`, so that a rename into it survives a crash.
void syncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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

std::optional<std::string> readWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  std::vector<char> buf(kBlock);
  for (;;) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
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
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolderOf(path);
  return true;
}

void copyFileReplacing(const std::string& from, const std::string& to, mode_t mode) {
  ::unlink(to.c_str());
  const int in = ::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  const int out = ::open(to.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, mode);
  if (in >= 0 && out >= 0) {
    std::vector<char> buf(kCopyBlock);
    for (;;) {
      std::fill(buf.begin(), buf.end(), 0);
      const ssize_t n = ::read(in, buf.data(), buf.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || !writeAll(out, buf.data(), static_cast<size_t>(n))) break;
    }
  }
  if (in >= 0) ::close(in);
  if (out >= 0) ::close(out);
}

bool testWritable(const std::string& path, mode_t mode) {
  struct stat st;
  const bool existed = ::lstat(path.c_str(), &st) == 0;
  ::umask(002);
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return false;
  ::close(fd);
  if (!existed) ::unlink(path.c_str());
  return true;
}

}  // namespace pdk
