// A temporary system root for one test: TLQ770_ROOT points at a fresh folder
// that holds the profile folder, and everything is removed afterwards.
#pragma once

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pdk/system_root.h"

class TempRoot {
 public:
  TempRoot() {
    char pattern[] = "/tmp/tlq-profiles-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("TLQ770_ROOT", root_.c_str(), 1);
    std::filesystem::create_directories(profileFolder());
  }
  ~TempRoot() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
    ::unsetenv("TLQ770_ROOT");
  }
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;

  const std::string& root() const { return root_; }
  std::string profileFolder() const { return pdk::systemPath(pdk::kProfileFolder); }
  // The current list of the real user, as the colour pane names it.
  std::string userListPath(const char* suffix = ".plist") const {
    return profileFolder() + ::getpwuid(::getuid())->pw_name + "-TLQ770-1-profile" + suffix;
  }

 private:
  std::string root_;
};

inline std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void writeWholeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Run a shell command and return its standard output.
inline std::string runCommand(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}
