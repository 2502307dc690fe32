#include "securitypane/framework/property_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "pdk/file_io.h"
#include "pdk/plist.h"
#include "pdk/system_root.h"
#include "pdk/value.h"
#include "securitypane/framework/cf_utilities.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

constexpr mode_t kPropertyFileMode = 0664;

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Whether this process may create a file in `folder`: an unnamed file made
// there (O_TMPFILE) vanishes when closed, so nothing needs removing. On a
// file system without unnamed files, a uniquely named file is made and
// removed instead; no other process uses that name.
bool canCreateIn(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kPropertyFileMode);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  std::string probe = folder + "/.writable.XXXXXX";
  fd = ::mkostemp(probe.data(), O_CLOEXEC);
  if (fd < 0) return false;
  ::unlink(probe.c_str());
  ::close(fd);
  return true;
}

// Whether `path` is a regular file this process can open for appending;
// the last component is not followed as a link, and a FIFO never blocks.
bool opensForAppending(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

}  // namespace

std::string ZNPropertyFilePath() { return pdk::systemPath(kPropertyFile); }

bool ZNPropertyIsWritable() {
  const std::string path = ZNPropertyFilePath();
  if (opensForAppending(path)) return true;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) return false;  // there, but not a writable regular file
  return errno == ENOENT && canCreateIn(folderOf(path));
}

bool ZNPropertySetString(const std::string& key, const std::string& value) {
  if (!ZNPropertyIsWritable()) return false;
  const std::string path = ZNPropertyFilePath();
  pdk::Value properties = MyPListCreateDictionaryMutableFromPath(path);
  if (!properties.isDictionary()) properties = pdk::Value::dictionary();
  properties.set(key, pdk::Value(value));
  return pdk::replaceFileAtomically(path, pdk::plistToXml(properties), kPropertyFileMode);
}

bool ZNPropertyGetString(const std::string& key, std::string* value) {
  if (!value) return false;
  const pdk::Value found =
      CFDictionaryGetValueWithType(MyPListCreateDictionaryFromPath(ZNPropertyFilePath()), key, kCFTypeString);
  if (!found.isString()) return false;
  *value = found.asString();
  return true;
}

SECURITY_FRAMEWORK_NAMESPACE_END
