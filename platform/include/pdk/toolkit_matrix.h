// Radio matrices: radio cells in rows and columns with one selected cell.
// Main thread only.
#pragma once

#include <vector>

#include "pdk/toolkit_cell.h"
#include "pdk/toolkit_view.h"

namespace pdk {

// A radio group: rows × columns cells (title, enabled state, tag), one of
// them selected. A user's click selects a cell and sends the action.
class Matrix : public Control {
 public:
  const char* className() const override { return "NSMatrix"; }
  const char* kind() const override { return "radiogroup"; }

  // Give the matrix rows × columns cells: the cells whose place still
  // exists are kept, new places get untitled cells; the first cell is
  // selected (none when the matrix is empty).
  void renewRows(int rows, int columns);
  int numberOfRows() const { return rows_; }
  int numberOfColumns() const { return columns_; }
  void getNumberOfRows(int* rows, int* columns) const {
    *rows = rows_;
    *columns = columns_;
  }
  // The cell at (row, column); null outside the matrix.
  Cell* cellAtRow(int row, int column) const;
  // Every cell, row by row.
  const std::vector<CellRef>& cells() const { return cells_; }

  // Select the cell at (row, column) as a program does (no action); an
  // address outside the matrix selects nothing.
  void selectCellAtRow(int row, int column);
  // Select the first cell with `tag`; false (selection kept) when none has.
  bool selectCellWithTag(int tag);
  int selectedRow() const { return selectedRow_; }
  int selectedColumn() const { return selectedColumn_; }
  // The selected cell, or null.
  Cell* selectedCell() const { return cellAtRow(selectedRow_, selectedColumn_); }

  // A user's click on the cell at (row, column): refused (false, nothing
  // changes) when the matrix or the cell is disabled or the address is
  // outside; else the cell is selected and the action sent.
  bool clickCellAtRow(int row, int column);

 private:
  int rows_ = 0, columns_ = 0;
  int selectedRow_ = -1, selectedColumn_ = -1;
  std::vector<CellRef> cells_;
};

}  // namespace pdk
