// File access of the profile list: the part that differs between the relay
// build (every change goes through the helper program) and the direct build
// (the service acts on the files itself). ZNPListIsAdminProfile,
// ZNPListSwapProfile, ZNPListExistProfile and ZNPListRemove are defined by
// each build as well.
#pragma once

#include <cstdint>
#include <string>

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

// Path of the current list file, as readers open it ("" when none can be formed).
std::string currentListPath();
// Path of the previous generation of the list.
std::string previousListPath();
// Replace the current list file by `xml`. Return 0, or -1 on failure.
int32_t writeListXml(const std::string& xml);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
