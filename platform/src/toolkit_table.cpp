#include "pdk/toolkit_table.h"

#include <algorithm>

namespace pdk {

namespace {

// A check box shows on for a true boolean or a nonzero number.
bool isOn(const Value& v) {
  return v.type() == Value::Type::Boolean ? v.asBool() : v.asInteger() != 0;
}

}  // namespace

const char* cellKindName(CellKind kind) {
  switch (kind) {
    case CellKind::CheckBox: return "checkbox";
    case CellKind::Image: return "image";
    default: return "text";
  }
}

bool cellKindFromName(const std::string& name, CellKind* kind) {
  if (name == "text") *kind = CellKind::Text;
  else if (name == "checkbox") *kind = CellKind::CheckBox;
  else if (name == "image") *kind = CellKind::Image;
  else return false;
  return true;
}

TableColumn::TableColumn(std::string identifier, std::string title, CellKind kind)
    : identifier_(std::move(identifier)), title_(std::move(title)), kind_(kind), dataCell_(std::make_shared<Cell>()) {}

void TableColumn::setDataCell(CellRef cell) {
  if (cell) dataCell_ = std::move(cell);
}

void TableView::addTableColumn(const TableColumnRef& column) {
  if (!column) return;
  column->tableView_ = this;
  columns_.push_back(column);
  changed();
}

TableColumn* TableView::tableColumnWithIdentifier(const std::string& identifier) const {
  for (auto& column : columns_)
    if (column->identifier() == identifier) return column.get();
  return nullptr;
}

void TableView::reloadData() {
  rows_ = dataSource_ ? std::max(dataSource_->numberOfRowsInTableView(this), 0) : 0;
  if (selected_ >= rows_) setSelection(-1);
  changed();
}

Cell* TableView::preparedCell(TableColumn* column, int row) {
  if (!column || column->tableView() != this || row < 0 || row >= rows_ || !dataSource_) return nullptr;
  Cell* cell = column->dataCell();
  cell->setObjectValue(dataSource_->tableView(this, column, row));
  return cell;
}

void TableView::setSelection(int row) {
  if (row == selected_) return;
  selected_ = row;
  changed();
  if (delegate_) delegate_->tableViewSelectionDidChange(this);
}

void TableView::selectRow(int row) {
  if (row >= 0 && row < rows_) setSelection(row);
}

void TableView::deselectAll() { setSelection(-1); }

bool TableView::clickRow(int row) {
  if (!isEnabled()) return false;
  if (row < 0 || row >= rows_) row = -1;
  clicked_ = row;
  bool changes = row != selected_ && (row >= 0 || allowsEmptySelection);
  if (changes) {
    if (delegate_ && !delegate_->selectionShouldChangeInTableView(this)) return false;
    if (row >= 0 && delegate_ && !delegate_->tableViewShouldSelectRow(this, row)) return false;
    setSelection(row);
  }
  sendAction();
  return true;
}

bool TableView::clickCheckBox(TableColumn* column, int row) {
  if (!isEnabled() || !column || column->tableView() != this || column->kind() != CellKind::CheckBox || row < 0 ||
      row >= rows_ || !dataSource_)
    return false;
  bool on = isOn(dataSource_->tableView(this, column, row));
  dataSource_->tableViewSetObjectValue(this, Value(on ? 0 : 1), column, row);
  changed();
  return true;
}

}  // namespace pdk
