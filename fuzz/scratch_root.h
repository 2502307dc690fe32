// A private system root for one fuzzing process: TLQ770_ROOT points at a
// fresh folder under /tmp holding the profile folder; removed at exit.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "pdk/system_root.h"

namespace fuzzing {

inline const std::string& scratchRoot() {
  // Never destroyed: the clean-up at exit still needs the path.
  static const std::string& root = *[] {
    char pattern[] = "/tmp/tlq-fuzz-XXXXXX";
    auto* made = new std::string(::mkdtemp(pattern));
    ::setenv("TLQ770_ROOT", made->c_str(), 1);
    std::filesystem::create_directories(pdk::systemPath(pdk::kProfileFolder));
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(scratchRoot(), ec);
    });
    return made;
  }();
  return root;
}

// Replace the file at `path` by the fuzzer's bytes.
inline bool writeInput(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace fuzzing
