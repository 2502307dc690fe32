#include "pdk/toolkit_cell.h"

namespace pdk {

void Cell::changed() {
  if (controlView_) controlView_->changed();
}

void Cell::setTitle(const std::string& t) {
  title_ = t;
  changed();
}

void Cell::setEnabled(bool e) {
  enabled_ = e;
  changed();
}

void Cell::setTag(int t) {
  tag_ = t;
  changed();
}

void Cell::setState(int s) {
  state_ = s;
  changed();
}

void Cell::setImage(ImageRef image) {
  image_ = std::move(image);
  changed();
}

void Cell::setObjectValue(Value v) {
  objectValue_ = std::move(v);
  changed();
}

void Cell::setFont(Font f) {
  font_ = std::move(f);
  changed();
}

}  // namespace pdk
