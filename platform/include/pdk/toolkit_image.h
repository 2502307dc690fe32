// Images and image views. An image stands for an image file; the headless
// toolkit never decodes it, a GUI loads it from the path. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "pdk/toolkit_view.h"

namespace pdk {

class Image;
using ImageRef = std::shared_ptr<Image>;

// An image file and the size to draw it at.
class Image : public Object {
 public:
  // The image in the file at `path`; null when the file cannot be read.
  static ImageRef imageWithContentsOfFile(const std::string& path);
  // An image of the file at `path`, read only when drawn; never null.
  static ImageRef imageByReferencingFile(const std::string& path);

  const char* className() const override { return "NSImage"; }
  const std::string& path() const { return path_; }
  // Whether the file can be read now.
  bool isValid() const;
  void setSize(double width, double height) {
    width_ = width;
    height_ = height;
  }
  double width() const { return width_; }
  double height() const { return height_; }

 private:
  explicit Image(std::string path) : path_(std::move(path)) {}
  std::string path_;
  double width_ = 0, height_ = 0;
};

// A view that shows one image.
class ImageView : public Control {
 public:
  const char* className() const override { return "NSImageView"; }
  const char* kind() const override { return "image"; }
  void setImage(ImageRef image) {
    image_ = std::move(image);
    changed();
  }
  const ImageRef& image() const { return image_; }

 private:
  ImageRef image_;
};

}  // namespace pdk
