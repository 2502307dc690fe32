// File access of the service build: acts on the files at the paths of the
// walk request being served (profile_paths.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "file_access.h"
#include "pdk/file_io.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

constexpr mode_t kFileMode = 0664;

}  // namespace

std::string currentListPath() { return ZN_PLIST_PROFILE_PATH; }

std::string previousListPath() { return ZN_PLIST_PROFILE_PREV_PATH; }

int32_t writeListXml(const std::string& xml) {
  const std::string path = currentListPath();
  if (path.empty()) return -1;
  // A crash must never leave a half-written list: write aside, sync, rename.
  return pdk::replaceFileAtomically(path, xml, kFileMode) ? 0 : -1;
}

int32_t ZNPListIsAdminProfile() {
  const char* path = ZN_PLIST_PROFILE_PATH;
  return *path && pdk::testWritable(path, kFileMode) ? 1 : 0;
}

void ZNPListSwapProfile(int32_t swapType) {
  if (ZNPListIsAdminProfile() != 1) return;
  const char* current = ZN_PLIST_PROFILE_PATH;
  const char* previous = ZN_PLIST_PROFILE_PREV_PATH;
  switch (swapType) {
    case 2:
      if (*previous) pdk::copyFileReplacing(current, previous, kFileMode);
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
