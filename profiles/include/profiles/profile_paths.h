// The profile-list paths of the direct (in-service) build: the current,
// previous and spool paths of the walk request being served, composed under
// the system root. Process-wide and not synchronised: set them only while no
// other thread uses the profile list (the service runs one walk at a time).
#pragma once

#include <cstdint>

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

inline constexpr int kProfilePathSize = 256;  // 255 bytes and the zero

extern char ZN_PLIST_PROFILE_PATH[kProfilePathSize];
extern char ZN_PLIST_PROFILE_PREV_PATH[kProfilePathSize];
extern char ZN_PLIST_PROFILE_SPOOL_PATH[kProfilePathSize];

// Compose the three paths for `user` and `model` ("<user>-<model>-profile.plist",
// ".prev.plist", ".spool.plist" in the profile folder under the system root).
// Return 0, or -1 when a name is empty, contains "/" or "..", or a path would
// not fit 255 bytes; then all three paths are cleared, so no file is touched.
int32_t ZNPListSetProfilePaths(const char* model, const char* user);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
