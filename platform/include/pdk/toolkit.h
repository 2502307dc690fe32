// Headless toolkit: the controls the panes bind to, holding exactly the
// state and behaviour the panes rely on. This header brings the whole
// toolkit: views and controls (toolkit_view.h), pop-up menus, buttons, tab
// views and boxes (here), text fields with their field editor
// (toolkit_text.h), radio matrices (toolkit_matrix.h), table views
// (toolkit_table.h), images (toolkit_image.h), windows with modal sessions
// (toolkit_window.h), alerts and the open panel (toolkit_panels.h).
// Every change of a view's state is reported to its change observer so a
// GUI can mirror it. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdk/toolkit_image.h"
#include "pdk/toolkit_matrix.h"
#include "pdk/toolkit_panels.h"
#include "pdk/toolkit_table.h"
#include "pdk/toolkit_text.h"
#include "pdk/toolkit_view.h"
#include "pdk/toolkit_window.h"
#include "pdk/value.h"

namespace pdk {

// One item of a pop-up menu.
struct MenuItem {
  std::string title;
  Value representedObject;
  bool enabled = true;
};

// A pop-up menu button: a list of items and one selected index (-1 = none).
class PopUpButton : public Control {
 public:
  const char* className() const override { return "NSPopUpButton"; }
  const char* kind() const override { return "popup"; }

  void removeAllItems();
  // Append an item, replacing an item of the same title as menus do.
  void addItemWithTitle(const std::string& title);
  // Append an item even if another one has the same title.
  void addItem(const std::string& title, Value representedObject = Value());
  MenuItem* itemAtIndex(int index);
  MenuItem* lastItem();
  int numberOfItems() const { return static_cast<int>(items_.size()); }
  const std::vector<MenuItem>& items() const { return items_; }
  void setItemEnabled(int index, bool enabled);
  // Select the item at `index`; -1 or an index out of range selects nothing.
  void selectItemAtIndex(int index);
  int indexOfSelectedItem() const { return selected_; }
  // Title of the selected item; empty when nothing is selected.
  std::string titleOfSelectedItem() const;
  int intValue() const override { return selected_; }
  void setIntValue(int v) override { selectItemAtIndex(v); }
  // Whether the menu enables its items itself (the default) or honours the
  // enabled flag of each item.
  bool autoenablesItems = true;

 private:
  std::vector<MenuItem> items_;
  int selected_ = -1;
};

// A check box, push button or radio button.
class Button : public Control {
 public:
  enum class Style { Push, CheckBox, Radio };
  explicit Button(Style s = Style::Push) : style_(s) {}
  const char* className() const override { return "NSButton"; }
  const char* kind() const override {
    return style_ == Style::CheckBox ? "checkbox" : style_ == Style::Radio ? "radio" : "button";
  }
  Style style() const { return style_; }
  // 0 off, 1 on, -1 mixed.
  void setState(int s) { state_ = s; changed(); }
  int state() const { return state_; }
  int intValue() const override { return state_; }
  void setIntValue(int v) override { setState(v); }

 private:
  Style style_;
  int state_ = 0;
};

// Tabs, each with a label and a view.
class TabView : public View {
 public:
  const char* className() const override { return "NSTabView"; }
  const char* kind() const override { return "tabview"; }
  struct Tab {
    std::string label;
    ViewRef view;
  };
  void addTab(const std::string& label, ViewRef view = nullptr);
  int numberOfTabViewItems() const { return static_cast<int>(tabs_.size()); }
  void setLabel(int index, const std::string& label);
  // Put `view` on tab `index` (shown only while that tab is selected).
  void setTabView(int index, const ViewRef& view);
  const std::vector<Tab>& tabs() const { return tabs_; }
  // Select a tab: its view is shown, the other tabs' views are hidden.
  void selectTabViewItemAtIndex(int index);
  int indexOfSelectedTabViewItem() const { return selected_; }
  // Called after the user chose a tab.
  Action onSelect;

 private:
  std::vector<Tab> tabs_;
  int selected_ = -1;
};

// A titled box grouping other views.
class Box : public View {
 public:
  const char* className() const override { return "NSBox"; }
  const char* kind() const override { return "box"; }
  void setTitle(const std::string& t) { title_ = t; changed(); }
  const std::string& title() const { return title_; }

 private:
  std::string title_;
};

}  // namespace pdk
