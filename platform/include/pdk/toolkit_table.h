// Table views: rows supplied by a data source, columns by identifier, and a
// delegate that rules on the selection. The table keeps no row data: it asks
// its data source for every value it shows, so a GUI redraws the rows on
// each change report of the table (reload, selection, click).
// Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdk/toolkit_cell.h"
#include "pdk/toolkit_view.h"
#include "pdk/value.h"

namespace pdk {

// What a column's cells show.
enum class CellKind { Text, CheckBox, Image };
// "text", "checkbox" or "image".
const char* cellKindName(CellKind kind);
// The kind named `name`; false for an unknown name.
bool cellKindFromName(const std::string& name, CellKind* kind);

class TableView;

// One column: identifier, header title, kind and the data cell that shows
// its values (a plain cell unless the pane sets its own).
class TableColumn : public Object {
 public:
  TableColumn(std::string identifier, std::string title, CellKind kind);
  const char* className() const override { return "NSTableColumn"; }

  const std::string& identifier() const { return identifier_; }
  void setTitle(const std::string& t) { title_ = t; }
  const std::string& title() const { return title_; }
  void setKind(CellKind k) { kind_ = k; }
  CellKind kind() const { return kind_; }
  void setWidth(double w) { width_ = w; }
  double width() const { return width_; }
  Cell* dataCell() const { return dataCell_.get(); }
  // Use `cell` for the column's values; null keeps the current cell.
  void setDataCell(CellRef cell);
  TableView* tableView() const { return tableView_; }

 private:
  friend class TableView;
  std::string identifier_, title_;
  CellKind kind_;
  double width_ = 100;
  CellRef dataCell_;
  TableView* tableView_ = nullptr;
};

using TableColumnRef = std::shared_ptr<TableColumn>;

// Supplies a table's rows.
class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfRowsInTableView(TableView* table) = 0;
  // The value of the cell in `column` at `row` (objectValueForTableColumn).
  virtual Value tableView(TableView* table, TableColumn* column, int row) = 0;
  // The user set the value of a cell (a check box clicked); by default the
  // table's cells are not editable.
  virtual void tableViewSetObjectValue(TableView* table, const Value& value, TableColumn* column, int row) {
    (void)table;
    (void)value;
    (void)column;
    (void)row;
  }
};

// Rules on a table's selection and hears of its changes. Every question
// defaults to yes.
class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  virtual bool tableViewShouldSelectRow(TableView* table, int row) {
    (void)table;
    (void)row;
    return true;
  }
  virtual bool selectionShouldChangeInTableView(TableView* table) {
    (void)table;
    return true;
  }
  virtual void tableViewSelectionDidChange(TableView* table) { (void)table; }
};

// A single-selection table view.
class TableView : public Control {
 public:
  const char* className() const override { return "NSTableView"; }
  const char* kind() const override { return "table"; }

  void addTableColumn(const TableColumnRef& column);
  const std::vector<TableColumnRef>& tableColumns() const { return columns_; }
  // The column with `identifier`, or null.
  TableColumn* tableColumnWithIdentifier(const std::string& identifier) const;

  // Not owned; the table asks them for as long as they are set.
  void setDataSource(TableViewDataSource* source) { dataSource_ = source; }
  TableViewDataSource* dataSource() const { return dataSource_; }
  void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }
  TableViewDelegate* delegate() const { return delegate_; }

  // Ask the data source for the number of rows again and have every row
  // redrawn. A selection past the new end is cleared
  // (tableViewSelectionDidChange).
  void reloadData();
  // The number of rows as of the last reloadData.
  int numberOfRows() const { return rows_; }
  // The column's data cell holding the value at `row` (asked of the data
  // source), as the table draws it; null for a row or column outside.
  Cell* preparedCell(TableColumn* column, int row);

  int selectedRow() const { return selected_; }
  // Select `row` as a program does: no question to the delegate, which
  // hears tableViewSelectionDidChange when the selection changed. A row
  // outside the table is ignored.
  void selectRow(int row);
  // Select no row, as a program does.
  void deselectAll();
  // Whether a click on empty space may clear the selection.
  bool allowsEmptySelection = true;

  // A user's click on `row`, or on empty space for -1. The selection may
  // change only when the delegate agrees (selectionShouldChangeInTableView,
  // then tableViewShouldSelectRow for a row); a click on the selected row,
  // or on empty space with nothing selected, changes nothing. False when
  // the table refused the click (disabled, or the delegate said no); the
  // action is sent after every click that was not refused.
  bool clickRow(int row);
  // The row of the last click (-1 for empty space).
  int clickedRow() const { return clicked_; }
  // A user's click on the check box of the cell at `row` of a check-box
  // column: the data source gets the toggled value. False when refused
  // (disabled table, row outside, not a check-box column).
  bool clickCheckBox(TableColumn* column, int row);

 private:
  void setSelection(int row);

  std::vector<TableColumnRef> columns_;
  TableViewDataSource* dataSource_ = nullptr;
  TableViewDelegate* delegate_ = nullptr;
  int rows_ = 0;
  int selected_ = -1;
  int clicked_ = -1;
};

}  // namespace pdk
