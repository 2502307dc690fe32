#include "user_events.h"

#include "dialog_script.h"
#include "text_actions.h"

bool isReachable(const pdk::View& view, const std::string& address, std::string* error) {
  if (view.isHiddenOrHasHiddenAncestor()) {
    *error = address + " is hidden";
    return false;
  }
  if (pdk::Window* modal = pdk::Application::shared().modalWindow(); modal && !view.isDescendantOf(modal)) {
    *error = address + " is behind the modal window '" + modal->title() + "'";
    return false;
  }
  if (auto* control = dynamic_cast<const pdk::Control*>(&view); control && !control->isEnabled()) {
    *error = address + " is disabled";
    return false;
  }
  return true;
}

bool userSelectItem(const UserTarget& target, pdk::PopUpButton& popup, int index, std::string* error) {
  if (!isReachable(popup, target.address, error)) return false;
  if (!popup.itemAtIndex(index)) {
    *error = target.address + " has no item " + std::to_string(index);
    return false;
  }
  if (!popup.itemAtIndex(index)->enabled && !popup.autoenablesItems) {
    *error = "item " + std::to_string(index) + " of " + target.address + " is disabled";
    return false;
  }
  target.dialog.call(target.pane, [&] {
    popup.selectItemAtIndex(index);
    popup.sendAction();
  });
  return true;
}

bool userClickButton(const UserTarget& target, pdk::Button& button, std::string* error) {
  if (!isReachable(button, target.address, error)) return false;
  target.dialog.call(target.pane, [&] {
    if (button.style() != pdk::Button::Style::Push) button.setState(button.state() == 1 ? 0 : 1);
    button.sendAction();
  });
  return true;
}

bool userSelectTab(const UserTarget& target, pdk::TabView& tabs, int index, std::string* error) {
  if (!isReachable(tabs, target.address, error)) return false;
  if (index < 0 || index >= tabs.numberOfTabViewItems()) {
    *error = target.address + " has no tab " + std::to_string(index);
    return false;
  }
  target.dialog.call(target.pane, [&] {
    tabs.selectTabViewItemAtIndex(index);
    if (tabs.onSelect) tabs.onSelect(nullptr);
  });
  return true;
}

bool userClickRadio(const UserTarget& target, pdk::Matrix& matrix, int row, int column, std::string* error) {
  if (!isReachable(matrix, target.address, error)) return false;
  pdk::Cell* cell = matrix.cellAtRow(row, column);
  if (!cell) {
    *error = target.address + " has " + std::to_string(matrix.numberOfRows()) + " x " +
             std::to_string(matrix.numberOfColumns()) + " cells, no cell " + std::to_string(row) + "," +
             std::to_string(column);
    return false;
  }
  if (!cell->isEnabled()) {
    *error = "cell " + std::to_string(row) + "," + std::to_string(column) + " of " + target.address + " is disabled";
    return false;
  }
  target.dialog.call(target.pane, [&] { matrix.clickCellAtRow(row, column); });
  return true;
}

bool userClickRow(const UserTarget& target, pdk::TableView& table, int row, std::string* error) {
  if (!isReachable(table, target.address, error)) return false;
  target.dialog.call(target.pane, [&] { table.clickRow(row); });
  return true;
}

bool userClickCheckBoxCell(const UserTarget& target, pdk::TableView& table, pdk::TableColumn& column, int row,
                           std::string* error) {
  if (!isReachable(table, target.address, error)) return false;
  if (column.kind() != pdk::CellKind::CheckBox) {
    *error = "column '" + column.identifier() + "' of " + target.address + " holds no check boxes";
    return false;
  }
  if (row < 0 || row >= table.numberOfRows()) {
    *error = target.address + " has " + std::to_string(table.numberOfRows()) + " rows, no row " +
             std::to_string(row);
    return false;
  }
  target.dialog.call(target.pane, [&] { table.clickCheckBox(&column, row); });
  return true;
}

bool userEditText(const UserTarget& target, pdk::TextField& field,
                  const std::function<void(pdk::FieldEditor&)>& keys, std::string* error) {
  if (!isReachable(field, target.address, error)) return false;
  if (!field.isEditable()) {
    *error = target.address + " is a " + field.kind() + ", not an editable text field";
    return false;
  }
  target.dialog.call(target.pane, [&] { editField(field, keys); });
  return true;
}
