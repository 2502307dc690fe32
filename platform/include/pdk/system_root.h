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
// The relay program the colour pane starts, one process per request.
inline constexpr const char* kHelperProgram =
    "/Library/Application Support/GENERIC/TLQ770-1/Helpers/TLQ770-1Helper.app/Contents/MacOS/TLQ770-1Helper";
inline constexpr const char* kHelperSocket = "/run/tlq770-1/profilehelper.sock";

}  // namespace pdk
