// Where the relay build of the profile list finds the helper program that
// carries its requests to the service (placed under the system root), and
// how long the print dialog waits for it.
#pragma once

#include <chrono>

#include "pdk/system_root.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

inline constexpr const char* kHelperProgramPath = pdk::kHelperProgram;

// A print dialog must not hang on a stuck service: past these limits the
// helper program is killed and the request counts as failed. A walk may
// wait for one other walk ahead of it (the service ends each after 30 s).
inline constexpr std::chrono::seconds kHelperRequestTimeLimit{20};
inline constexpr std::chrono::seconds kHelperWalkTimeLimit{70};

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
