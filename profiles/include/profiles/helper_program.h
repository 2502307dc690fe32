// Where the relay build of the profile list finds the helper program that
// carries its requests to the service (placed under the system root).
#pragma once

#include "pdk/system_root.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

inline constexpr const char* kHelperProgramPath = pdk::kHelperProgram;

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
