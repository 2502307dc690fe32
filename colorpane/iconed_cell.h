// IconedCell: the table cell of the profile window's file-exists column. It
// shows its image, if it has one, as a 16 x 16 icon near the cell's left
// edge and nothing else. The headless toolkit draws nothing itself: drawing
// yields where and how the image goes, for a front end to paint.
// Main thread only.
#pragma once

#include <optional>

#include "colorpane/namespace.h"
#include "pdk/toolkit.h"

COLORPANE_NAMESPACE_BEGIN

// One image to paint: the image (sized), its origin, and how it is composited.
struct CellImageDrawing {
  pdk::ImageRef image;
  double x = 0;
  double y = 0;
  const char* operation = "source-over";
};

class IconedCell : public pdk::Cell {
 public:
  const char* className() const override { return "IconedCell"; }

  // Size the cell's image to 16 x 16 and place it 3 points in from the left
  // of `frame`, at its top (y + 16 when the view is flipped). Nothing to
  // draw without an image.
  std::optional<CellImageDrawing> drawInteriorWithFrame(const pdk::Rect& frame, bool flippedView);

  pdk::ImageRef mImage;   // not used by the drawing, which takes the cell's image
  int mIconFlag = 0;      // not used by the drawing
};

COLORPANE_NAMESPACE_END
