// Cells: the parts of a radio matrix and of a table column that show one
// value each (a title, a check box, an image). A matrix's cells report their
// changes through the matrix; a table column's data cell is a template the
// table fills for each row as it draws, so changing it reports nothing.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "pdk/toolkit_image.h"
#include "pdk/toolkit_view.h"
#include "pdk/value.h"

namespace pdk {

class Cell : public Object {
 public:
  const char* className() const override { return "NSCell"; }

  void setTitle(const std::string& t);
  const std::string& title() const { return title_; }
  void setEnabled(bool e);
  bool isEnabled() const { return enabled_; }
  void setTag(int t);
  int tag() const { return tag_; }
  // 0 off, 1 on, -1 mixed (check-box cells).
  void setState(int s);
  int state() const { return state_; }
  // Null for none.
  void setImage(ImageRef image);
  const ImageRef& image() const { return image_; }
  void setObjectValue(Value v);
  const Value& objectValue() const { return objectValue_; }
  void setFont(Font f);
  const Font& font() const { return font_; }

  // The view that shows this cell and reports its changes, or null.
  View* controlView() const { return controlView_; }

 private:
  friend class Matrix;
  void changed();

  std::string title_;
  bool enabled_ = true;
  int tag_ = 0;
  int state_ = 0;
  ImageRef image_;
  Value objectValue_;
  Font font_;
  View* controlView_ = nullptr;
};

using CellRef = std::shared_ptr<Cell>;

}  // namespace pdk
