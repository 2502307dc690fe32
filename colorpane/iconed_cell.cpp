#include "colorpane/iconed_cell.h"

COLORPANE_NAMESPACE_BEGIN

namespace {
constexpr double kIconSize = 16;
constexpr double kIconInset = 3;
}  // namespace

std::optional<CellImageDrawing> IconedCell::drawInteriorWithFrame(const pdk::Rect& frame, bool flippedView) {
  if (!image()) return std::nullopt;
  image()->setSize(kIconSize, kIconSize);
  CellImageDrawing drawing;
  drawing.image = image();
  drawing.x = frame.x + kIconInset;
  drawing.y = flippedView ? frame.y + kIconSize : frame.y;
  return drawing;
}

COLORPANE_NAMESPACE_END
