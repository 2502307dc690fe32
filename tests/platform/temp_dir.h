// TempDir: a fresh folder under /tmp for one test, removed with everything in
// it when the test ends. Also small file helpers the tests share.
#pragma once

#include <string>
#include <vector>

namespace pdktest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // `name` joined to the folder's path.
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // The names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string path_;
};

// Write `bytes` to `path`, creating missing parent folders.
void writeFile(const std::string& path, const std::string& bytes);
// The whole content of `path`; empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace pdktest
