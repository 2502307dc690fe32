#include "profiles/profile_paths.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "pdk/system_root.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

char ZN_PLIST_PROFILE_PATH[kProfilePathSize];
char ZN_PLIST_PROFILE_PREV_PATH[kProfilePathSize];
char ZN_PLIST_PROFILE_SPOOL_PATH[kProfilePathSize];

namespace {

constexpr int kMaxPathBytesWithZero = 255;

// A name that stays one path component inside the profile folder.
bool isSafeName(const char* name) {
  return name && *name && !std::strchr(name, '/') && !std::strstr(name, "..");
}

bool composePath(char (&out)[kProfilePathSize], const std::string& folder, const char* user, const char* model,
                 const char* suffix) {
  // The path and its terminating zero must fit in 255 bytes.
  const int n = std::snprintf(out, sizeof out, "%s%s-%s-profile%s", folder.c_str(), user, model, suffix);
  return n > 0 && n < kMaxPathBytesWithZero;
}

}  // namespace

int32_t ZNPListSetProfilePaths(const char* model, const char* user) {
  const std::string folder = pdk::systemPath(pdk::kProfileFolder);
  if (isSafeName(model) && isSafeName(user) &&
      composePath(ZN_PLIST_PROFILE_PATH, folder, user, model, ".plist") &&
      composePath(ZN_PLIST_PROFILE_PREV_PATH, folder, user, model, ".prev.plist") &&
      composePath(ZN_PLIST_PROFILE_SPOOL_PATH, folder, user, model, ".spool.plist")) {
    return 0;
  }
  ZN_PLIST_PROFILE_PATH[0] = ZN_PLIST_PROFILE_PREV_PATH[0] = ZN_PLIST_PROFILE_SPOOL_PATH[0] = '\0';
  return -1;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
