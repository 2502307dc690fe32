// A private system root for one fuzzing process: TLQ770_ROOT points at a
// fresh folder holding the profile folder, in memory (/dev/shm) where there
// is one, since every list write is synced to its disk; removed at exit.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "pdk/system_root.h"

namespace fuzzing {

inline const std::string& scratchRoot() {
  // Never destroyed: the clean-up at exit still needs the path.
  static const std::string& root = *[] {
    char inMemory[] = "/dev/shm/tlq-fuzz-XXXXXX";
    char onDisk[] = "/tmp/tlq-fuzz-XXXXXX";
    const char* folder = ::mkdtemp(inMemory);
    if (!folder) folder = ::mkdtemp(onDisk);
    if (!folder) std::abort();
    auto* made = new std::string(folder);
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
