#include "pdk/system_root.h"

#include <cstdlib>

namespace pdk {

std::string systemRoot() {
  const char* env = std::getenv("TLQ770_ROOT");
  std::string root = env && *env ? env : "/";
  while (!root.empty() && root.back() == '/') root.pop_back();
  return root;
}

std::string systemPath(const std::string& absolutePath) {
  if (absolutePath.empty() || absolutePath[0] != '/') return systemRoot() + "/" + absolutePath;
  return systemRoot() + absolutePath;
}

}  // namespace pdk
