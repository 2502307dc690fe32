// A test-only pane that uses every control of the toolkit, so printdialog's
// handling of them can be tested end to end: a radio group that enables a
// code field (digits only, at most four) and colours its label, a name
// field whose delegate upper-cases it, a PIN field checked before printing
// (an alert when too short), an image, and a modal window with a table of
// items (icons, check boxes, selection rules), an item-name field filled by
// an open panel, and OK and Cancel buttons.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdk/pde.h"
#include "pdk/view_description.h"

namespace fixturepane {

// A field that takes digits only and at most four of them. A refused edit
// restores the last accepted text and puts the caret back where it was.
class DigitsField : public pdk::TextField {
 public:
  DigitsField() : TextField(true) {}
  const char* className() const override { return "DigitsField"; }
  bool textShouldBeginEditing(pdk::FieldEditor* editor) override;
  void textDidChange(pdk::FieldEditor* editor) override;

 private:
  std::string oldValue_;
};

// The items window: the table's data source and delegate, the window's
// delegate, and the actions of its buttons.
class ManageWindow : public pdk::Object,
                     public pdk::NibObject,
                     public pdk::TableViewDataSource,
                     public pdk::TableViewDelegate,
                     public pdk::WindowDelegate {
 public:
  const char* className() const override { return "ManageWindow"; }
  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;
  void awakeFromNib() override;

  // Run the window modally; the session's response.
  int showWindow();

  int numberOfRowsInTableView(pdk::TableView* table) override;
  pdk::Value tableView(pdk::TableView* table, pdk::TableColumn* column, int row) override;
  void tableViewSetObjectValue(pdk::TableView* table, const pdk::Value& value, pdk::TableColumn* column,
                               int row) override;
  bool tableViewShouldSelectRow(pdk::TableView* table, int row) override;
  bool selectionShouldChangeInTableView(pdk::TableView* table) override;
  void windowWillClose(pdk::Window* window) override;

  std::shared_ptr<pdk::Window> window_Manage;
  std::shared_ptr<pdk::TableView> table_Items;
  std::shared_ptr<pdk::TextField> edit_ItemName;
  std::shared_ptr<pdk::Button> button_AddOK;
  std::string iconPath;  // the image of items on the printer
  int closed = 0;

 private:
  struct Item {
    std::string name;
    int inMenu;
    bool onPrinter;
  };
  std::vector<Item> items_ = {{"Alpha", 1, true}, {"Locked", 0, false}, {"Gamma", 0, false}};
  bool adding_ = false;
};

// The panel.
class FixturePanel : public pdk::PDEPanel, public pdk::NibObject, public pdk::TextFieldDelegate {
 public:
  FixturePanel(pdk::BundleRef bundle, pdk::PDEHostCallbackRef host) : bundle_(bundle), host_(host) {}

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;
  void controlTextDidChange(pdk::TextField* control) override;

  pdk::ViewRef panelView() override;
  std::string panelName() override { return "Fixture"; }
  std::string panelKind() override { return "test.fixture.pane"; }
  pdk::Value supportedPPDOptionKeys() override;
  void willShow() override {}
  bool shouldHide() override { return true; }
  bool saveValuesAndReturnError(std::string* error) override;
  bool restoreValuesAndReturnError(std::string* error) override;
  void PPDOptionKeyValueDidChange(const std::string&, const std::string&) override {}
  pdk::Value summaryInfo() override;
  bool shouldPrint() override;
  std::vector<std::shared_ptr<pdk::Window>> windows() override;
  pdk::Value scriptingState() override;

  std::shared_ptr<pdk::View> view_Fixture;
  std::shared_ptr<pdk::Matrix> radio_Mode;
  std::shared_ptr<pdk::TextField> text_CodeLabel;
  std::shared_ptr<DigitsField> edit_Code;
  std::shared_ptr<pdk::TextField> edit_Name;
  std::shared_ptr<pdk::SecureTextField> secure_Pin;
  std::shared_ptr<pdk::ImageView> image_Logo;
  std::shared_ptr<ManageWindow> manager;

 private:
  void load();
  // The code field and its label follow the mode.
  void updateControls();

  pdk::BundleRef bundle_;
  pdk::PDEHostCallbackRef host_;
  std::vector<pdk::ObjectRef> objects_;
  int lastResponse_ = -1;
};

}  // namespace fixturepane
