// Every fixed absolute path of the system is resolved here, under the system
// root taken from TLQ770_ROOT (default "/"), so tests can run under a
// temporary root and never touch the machine's own folders.
#pragma once

#include <string>

namespace pdk {

// The system root without a trailing slash ("" for "/").
std::string systemRoot();
// `absolutePath` (which starts with "/") placed under the system root.
std::string systemPath(const std::string& absolutePath);

// Fixed paths of the system.
inline constexpr const char* kProfileFolder =
    "/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1/";
inline constexpr const char* kHelperProgram =
    "/Library/Printers/GENERIC/Filters/TLQ770-1Helper";
inline constexpr const char* kHelperSocket = "/run/tlq770-1/profilehelper.sock";

}  // namespace pdk
