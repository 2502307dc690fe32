#include "pdk/toolkit_matrix.h"

namespace pdk {

void Matrix::renewRows(int rows, int columns) {
  if (rows <= 0 || columns <= 0) rows = columns = 0;
  std::vector<CellRef> cells;
  cells.reserve(static_cast<size_t>(rows) * static_cast<size_t>(columns));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      Cell* old = cellAtRow(r, c);
      CellRef cell = old ? cells_[static_cast<size_t>(r * columns_ + c)] : std::make_shared<Cell>();
      cell->controlView_ = this;
      cells.push_back(std::move(cell));
    }
  cells_ = std::move(cells);
  rows_ = rows;
  columns_ = columns;
  selectedRow_ = selectedColumn_ = cells_.empty() ? -1 : 0;
  changed();
}

Cell* Matrix::cellAtRow(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
  return cells_[static_cast<size_t>(row * columns_ + column)].get();
}

void Matrix::selectCellAtRow(int row, int column) {
  bool inside = cellAtRow(row, column) != nullptr;
  selectedRow_ = inside ? row : -1;
  selectedColumn_ = inside ? column : -1;
  changed();
}

bool Matrix::selectCellWithTag(int tag) {
  for (size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i]->tag() == tag) {
      selectCellAtRow(static_cast<int>(i) / columns_, static_cast<int>(i) % columns_);
      return true;
    }
  return false;
}

bool Matrix::clickCellAtRow(int row, int column) {
  Cell* cell = cellAtRow(row, column);
  if (!cell || !cell->isEnabled() || !isEnabled()) return false;
  selectCellAtRow(row, column);
  sendAction();
  return true;
}

}  // namespace pdk
