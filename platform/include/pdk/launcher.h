// Opening files and applications through the desktop's launcher
// (xdg-open), without waiting for them.
#pragma once

#include <string>

namespace pdk {

// Hand `path` to the desktop launcher; false when the path does not exist
// or no launcher could be started. Never blocks on the launched program.
bool openWithDesktopLauncher(const std::string& path);

}  // namespace pdk
