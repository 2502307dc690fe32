// Radio matrices and table views: shapes, selection rules, user clicks that
// may be refused, and the data source a table draws its rows from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdk/toolkit.h"

namespace {

using pdk::Matrix;
using pdk::TableView;
using pdk::Value;

TEST(Matrix, ShapeCellsAndSelection) {
  Matrix m;
  EXPECT_EQ(m.selectedRow(), -1);
  EXPECT_EQ(m.selectedCell(), nullptr);
  m.renewRows(2, 1);
  m.cellAtRow(0, 0)->setTitle("Public");
  m.cellAtRow(1, 0)->setTitle("Private");
  m.cellAtRow(1, 0)->setTag(7);
  EXPECT_EQ(m.selectedRow(), 0);  // a radio group starts on its first cell
  EXPECT_EQ(m.selectedCell()->title(), "Public");
  EXPECT_EQ(m.cellAtRow(2, 0), nullptr);
  EXPECT_EQ(m.cellAtRow(0, 1), nullptr);
  EXPECT_EQ(m.cellAtRow(-1, 0), nullptr);

  // An address outside selects nothing; a tag finds its cell.
  m.selectCellAtRow(5, 0);
  EXPECT_EQ(m.selectedRow(), -1);
  EXPECT_EQ(m.selectedColumn(), -1);
  EXPECT_TRUE(m.selectCellWithTag(7));
  EXPECT_EQ(m.selectedRow(), 1);
  EXPECT_FALSE(m.selectCellWithTag(99));
  EXPECT_EQ(m.selectedRow(), 1);

  // A new shape keeps the cells whose place still exists.
  m.renewRows(1, 4);
  int rows = 0, columns = 0;
  m.getNumberOfRows(&rows, &columns);
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(columns, 4);
  EXPECT_EQ(m.cellAtRow(0, 0)->title(), "Public");
  EXPECT_EQ(m.cellAtRow(0, 3)->title(), "");
  EXPECT_EQ(m.cells().size(), 4u);
  m.renewRows(0, 3);
  EXPECT_TRUE(m.cells().empty());
  EXPECT_EQ(m.selectedRow(), -1);
}

TEST(Matrix, ClicksSelectAndSendTheActionUnlessDisabled) {
  Matrix m;
  m.renewRows(2, 1);
  std::vector<int> clicked;
  m.setAction([&](pdk::Control* sender) { clicked.push_back(static_cast<Matrix*>(sender)->selectedRow()); });

  EXPECT_TRUE(m.clickCellAtRow(1, 0));
  m.cellAtRow(0, 0)->setEnabled(false);
  EXPECT_FALSE(m.clickCellAtRow(0, 0));  // a disabled cell refuses
  EXPECT_FALSE(m.clickCellAtRow(3, 0));
  m.setEnabled(false);
  EXPECT_FALSE(m.clickCellAtRow(1, 0));  // so does a disabled matrix
  EXPECT_EQ(clicked, (std::vector<int>{1}));
  EXPECT_EQ(m.selectedRow(), 1);
}

TEST(Matrix, CellChangesAreReportedThroughTheMatrix) {
  Matrix m;
  m.renewRows(2, 1);
  int changes = 0;
  m.onChange = [&](pdk::View* v) {
    EXPECT_EQ(v, &m);
    ++changes;
  };
  m.cellAtRow(1, 0)->setEnabled(false);
  m.cellAtRow(0, 0)->setTitle("Public");
  m.selectCellAtRow(1, 0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(m.cellAtRow(0, 0)->controlView(), &m);
}

// Rows of names with an "on" flag; the delegate's answers are settable.
struct Rows : pdk::TableViewDataSource, pdk::TableViewDelegate {
  std::vector<std::pair<std::string, int>> rows;
  bool allowChange = true;
  bool (*allowRow)(int) = [](int) { return true; };
  std::vector<int> selectionChanges;
  std::vector<Value> setValues;

  int numberOfRowsInTableView(TableView*) override { return static_cast<int>(rows.size()); }
  Value tableView(TableView*, pdk::TableColumn* column, int row) override {
    auto& r = rows[static_cast<size_t>(row)];
    if (column->identifier() == "name") return r.first;
    if (column->identifier() == "on") return r.second;
    column->dataCell()->setImage(r.second ? pdk::Image::imageByReferencingFile("/icons/on.icns") : nullptr);
    return "";
  }
  void tableViewSetObjectValue(TableView*, const Value& value, pdk::TableColumn*, int row) override {
    setValues.push_back(value);
    rows[static_cast<size_t>(row)].second = rows[static_cast<size_t>(row)].second ? 0 : 1;
  }
  bool selectionShouldChangeInTableView(TableView*) override { return allowChange; }
  bool tableViewShouldSelectRow(TableView*, int row) override { return allowRow(row); }
  void tableViewSelectionDidChange(TableView* table) override { selectionChanges.push_back(table->selectedRow()); }
};

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rows_.rows = {{"A.icc", 1}, {"B.icc", 0}, {"C.icc", 1}};
    table_.addTableColumn(std::make_shared<pdk::TableColumn>("icon", "", pdk::CellKind::Image));
    table_.addTableColumn(std::make_shared<pdk::TableColumn>("name", "File Name", pdk::CellKind::Text));
    table_.addTableColumn(std::make_shared<pdk::TableColumn>("on", "", pdk::CellKind::CheckBox));
    table_.setDataSource(&rows_);
    table_.setDelegate(&rows_);
    table_.reloadData();
  }
  Rows rows_;
  TableView table_;
};

TEST_F(TableTest, RowsComeFromTheDataSourceAsTheTableDraws) {
  EXPECT_EQ(table_.numberOfRows(), 3);
  EXPECT_EQ(table_.tableColumnWithIdentifier("name")->title(), "File Name");
  EXPECT_EQ(table_.tableColumnWithIdentifier("nope"), nullptr);
  pdk::TableColumn* icon = table_.tableColumnWithIdentifier("icon");
  pdk::TableColumn* name = table_.tableColumnWithIdentifier("name");
  EXPECT_EQ(table_.preparedCell(name, 1)->objectValue().asString(), "B.icc");
  // The icon cell is one cell the data source sets per row.
  ASSERT_TRUE(table_.preparedCell(icon, 0)->image());
  EXPECT_EQ(table_.preparedCell(icon, 0)->image()->path(), "/icons/on.icns");
  EXPECT_EQ(table_.preparedCell(icon, 1)->image(), nullptr);
  EXPECT_EQ(table_.preparedCell(name, 3), nullptr);
  EXPECT_EQ(table_.preparedCell(name, -1), nullptr);

  // The row count is the data source's as of the last reload.
  rows_.rows.pop_back();
  EXPECT_EQ(table_.numberOfRows(), 3);
  table_.reloadData();
  EXPECT_EQ(table_.numberOfRows(), 2);
}

TEST_F(TableTest, ClicksFollowTheDelegatesSelectionRules) {
  int actions = 0;
  table_.setAction([&](pdk::Control*) { ++actions; });
  rows_.allowRow = [](int row) { return row != 2; };
  struct Click {
    int row;
    bool allowChange;
    bool accepted;
    int selected;
  } clicks[] = {
      {1, true, true, 1},    // select a row
      {1, true, true, 1},    // the selected row again: no change
      {2, true, false, 1},   // the delegate refuses this row
      {0, false, false, 1},  // no selection change allowed at all
      {-1, false, false, 1}, // not even to none
      {-1, true, true, -1},  // empty space clears the selection
      {-1, true, true, -1},  // and again changes nothing
  };
  for (const Click& c : clicks) {
    rows_.allowChange = c.allowChange;
    EXPECT_EQ(table_.clickRow(c.row), c.accepted) << c.row;
    EXPECT_EQ(table_.selectedRow(), c.selected) << c.row;
  }
  EXPECT_EQ(rows_.selectionChanges, (std::vector<int>{1, -1}));
  EXPECT_EQ(actions, 4);

  table_.setEnabled(false);
  EXPECT_FALSE(table_.clickRow(0));
  EXPECT_EQ(table_.selectedRow(), -1);
}

TEST_F(TableTest, ProgramSelectionSkipsTheQuestionsButTellsTheChange) {
  rows_.allowChange = false;
  table_.selectRow(2);
  EXPECT_EQ(table_.selectedRow(), 2);
  table_.selectRow(9);  // outside: ignored
  EXPECT_EQ(table_.selectedRow(), 2);
  table_.deselectAll();
  table_.deselectAll();  // no change, no news
  EXPECT_EQ(rows_.selectionChanges, (std::vector<int>{2, -1}));

  // A reload that removes the selected row clears the selection.
  table_.selectRow(2);
  rows_.rows.pop_back();
  table_.reloadData();
  EXPECT_EQ(table_.selectedRow(), -1);
  EXPECT_EQ(rows_.selectionChanges.back(), -1);
}

TEST_F(TableTest, ACheckBoxClickHandsTheToggledValueToTheDataSource) {
  pdk::TableColumn* on = table_.tableColumnWithIdentifier("on");
  int changes = 0;
  table_.onChange = [&](pdk::View*) { ++changes; };
  EXPECT_TRUE(table_.clickCheckBox(on, 0));
  EXPECT_TRUE(table_.clickCheckBox(on, 1));
  ASSERT_EQ(rows_.setValues.size(), 2u);
  EXPECT_EQ(rows_.setValues[0].asInteger(), 0);
  EXPECT_EQ(rows_.setValues[1].asInteger(), 1);
  EXPECT_EQ(changes, 2);  // the rows are redrawn
  EXPECT_EQ(table_.selectedRow(), -1);  // a check-box click selects nothing

  // Refused: not a check-box column, outside the rows, disabled table.
  EXPECT_FALSE(table_.clickCheckBox(table_.tableColumnWithIdentifier("name"), 0));
  EXPECT_FALSE(table_.clickCheckBox(on, 3));
  table_.setEnabled(false);
  EXPECT_FALSE(table_.clickCheckBox(on, 0));
  EXPECT_EQ(rows_.setValues.size(), 2u);
}

TEST(TableView, WithoutADataSourceThereAreNoRows) {
  TableView table;
  table.addTableColumn(std::make_shared<pdk::TableColumn>("name", "", pdk::CellKind::Text));
  table.reloadData();
  EXPECT_EQ(table.numberOfRows(), 0);
  EXPECT_TRUE(table.clickRow(-1));
  EXPECT_EQ(table.preparedCell(table.tableColumnWithIdentifier("name"), 0), nullptr);

  pdk::CellKind kind = pdk::CellKind::Text;
  for (auto k : {pdk::CellKind::Text, pdk::CellKind::CheckBox, pdk::CellKind::Image}) {
    ASSERT_TRUE(pdk::cellKindFromName(pdk::cellKindName(k), &kind));
    EXPECT_EQ(kind, k);
  }
  EXPECT_FALSE(pdk::cellKindFromName("button", &kind));
}

}  // namespace
