#include "pdk/toolkit_image.h"

#include <unistd.h>

#include <sys/stat.h>

namespace pdk {

namespace {

bool isReadableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

ImageRef Image::imageWithContentsOfFile(const std::string& path) {
  return isReadableFile(path) ? imageByReferencingFile(path) : nullptr;
}

ImageRef Image::imageByReferencingFile(const std::string& path) { return ImageRef(new Image(path)); }

bool Image::isValid() const { return isReadableFile(path_); }

}  // namespace pdk
