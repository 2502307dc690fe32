#include "profile_file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "pdk/plist.h"
#include "pdk/text.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

constexpr mode_t kFileMode = 0664;
constexpr size_t kCopyBlock = 65535;

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void copyFile(const std::string& from, const std::string& to) {
  ::unlink(to.c_str());
  int in = ::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  int out = ::open(to.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kFileMode);
  if (in >= 0 && out >= 0) {
    std::vector<char> buffer(kCopyBlock);
    for (;;) {
      std::memset(buffer.data(), 0, buffer.size());
      ssize_t n = ::read(in, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || !writeAll(out, buffer.data(), static_cast<size_t>(n))) break;
    }
  }
  if (in >= 0) ::close(in);
  if (out >= 0) ::close(out);
}

}  // namespace

bool testWritable(const std::string& path) {
  struct stat st;
  bool existed = ::lstat(path.c_str(), &st) == 0;
  ::umask(002);
  int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kFileMode);
  if (fd < 0) return false;
  ::close(fd);
  if (!existed) ::unlink(path.c_str());
  return true;
}

void swapGenerations(int32_t type, const std::optional<std::string>& current,
                     const std::optional<std::string>& previous) {
  switch (type) {
    case 2:
      if (current && previous) {
        copyFile(*current, *previous);
      } else if (previous) {
        ::unlink(previous->c_str());
      }
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
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool removeEntry(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool replaceFileContent(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".XXXXXX";
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, kFileMode) == 0 && writeAll(fd, bytes.data(), bytes.size()) &&
            ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool appendChunk(const std::string& temporaryPath, const std::string& chunk) {
  auto old = readWholeFile(temporaryPath);
  if (old && pdk::isValidUtf8(*old)) return replaceFileContent(temporaryPath, *old + chunk);
  return replaceFileContent(temporaryPath, chunk);
}

bool renameTemporaryOver(const std::string& temporaryPath, const std::string& path) {
  struct stat st;
  if (::lstat(temporaryPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ::rename(temporaryPath.c_str(), path.c_str()) == 0;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
