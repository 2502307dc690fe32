#include "fixture_pane.h"

namespace fixturepane {

namespace {
const pdk::OutletBinding<ManageWindow> kOutlets[] = {
    pdk::outlet("window_Manage", &ManageWindow::window_Manage),
    pdk::outlet("table_Items", &ManageWindow::table_Items),
    pdk::outlet("edit_ItemName", &ManageWindow::edit_ItemName),
    pdk::outlet("button_AddOK", &ManageWindow::button_AddOK),
};
}  // namespace

bool ManageWindow::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

void ManageWindow::awakeFromNib() {
  edit_ItemName->setEnabled(false);
  button_AddOK->setEnabled(false);
}

pdk::Action ManageWindow::actionNamed(const std::string& selector) {
  if (selector == "add:")
    return [this](pdk::Control*) {
      adding_ = true;
      edit_ItemName->setEnabled(true);
      button_AddOK->setEnabled(true);
    };
  if (selector == "addOK:")
    return [this](pdk::Control*) {
      items_.push_back(Item{edit_ItemName->stringValue(), 1, false});
      edit_ItemName->setStringValue("");
      edit_ItemName->setEnabled(false);
      button_AddOK->setEnabled(false);
      adding_ = false;
      table_Items->reloadData();
    };
  if (selector == "browse:")
    return [this](pdk::Control*) {
      auto panel = pdk::OpenPanel::openPanel();
      if (panel->runModalForDirectory("/profiles", "", {}) != pdk::kModalResponseOK) return;
      const std::string& path = panel->filename();
      edit_ItemName->setStringValue(path.substr(path.find_last_of('/') + 1));
    };
  if (selector == "ok:")
    return [this](pdk::Control*) {
      pdk::Application::shared().stopModalWithCode(pdk::kModalResponseOK);
      window_Manage->orderOut();
    };
  if (selector == "cancel:") return [this](pdk::Control*) { window_Manage->close(); };
  return {};
}

int ManageWindow::showWindow() {
  table_Items->reloadData();
  return pdk::Application::shared().runModalForWindow(*window_Manage);
}

int ManageWindow::numberOfRowsInTableView(pdk::TableView*) { return static_cast<int>(items_.size()); }

pdk::Value ManageWindow::tableView(pdk::TableView*, pdk::TableColumn* column, int row) {
  const Item& item = items_[static_cast<size_t>(row)];
  if (column->identifier() == "name") return item.name;
  if (column->identifier() == "inmenu") return item.inMenu;
  // The icon cell is one cell for every row: set or clear its image.
  column->dataCell()->setImage(item.onPrinter ? pdk::Image::imageWithContentsOfFile(iconPath) : nullptr);
  return "";
}

void ManageWindow::tableViewSetObjectValue(pdk::TableView*, const pdk::Value&, pdk::TableColumn*, int row) {
  Item& item = items_[static_cast<size_t>(row)];
  item.inMenu = item.inMenu ? 0 : 1;
}

bool ManageWindow::tableViewShouldSelectRow(pdk::TableView*, int row) {
  return items_[static_cast<size_t>(row)].name != "Locked";
}

bool ManageWindow::selectionShouldChangeInTableView(pdk::TableView*) { return !adding_; }

void ManageWindow::windowWillClose(pdk::Window*) { ++closed; }

}  // namespace fixturepane
