// Headless toolkit: the controls the panes bind to, holding exactly the
// state and behaviour the panes rely on (enabled/hidden state, menu items,
// check states, titles, tab labels). A control sends its action to its
// target when the user acts on it, as a click would. Every change is
// reported to the view's change observer so a GUI could mirror it.
// Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pdk/object.h"
#include "pdk/value.h"

namespace pdk {

struct Rect {
  double x = 0, y = 0, width = 0, height = 0;
};

class View;
using ViewRef = std::shared_ptr<View>;

// A rectangle on screen that can hold subviews.
class View : public Object {
 public:
  const char* className() const override { return "NSView"; }
  // The kind name reported to scripts ("view", "popup", "checkbox", ...).
  virtual const char* kind() const { return "view"; }

  void setFrame(const Rect& r) { frame_ = r; changed(); }
  const Rect& frame() const { return frame_; }
  void setBounds(const Rect& r) { bounds_ = r; changed(); }
  const Rect& bounds() const { return bounds_; }

  void setHidden(bool h);
  bool isHidden() const { return hidden_; }

  void addSubview(const ViewRef& v);
  void removeFromSuperview();
  const std::vector<ViewRef>& subviews() const { return subviews_; }
  View* superview() const { return superview_; }
  bool isDescendantOf(const View* ancestor) const;

  // Called after every change of this view's state.
  std::function<void(View*)> onChange;
  // Name the view description gave the view (its outlet name).
  std::string identifier;

 protected:
  void changed() {
    if (onChange) onChange(this);
  }

 private:
  Rect frame_, bounds_;
  bool hidden_ = false;
  std::vector<ViewRef> subviews_;
  View* superview_ = nullptr;
};

class Control;
using Action = std::function<void(Control* sender)>;

// A view the user acts on; it sends its action when it does.
class Control : public View {
 public:
  const char* className() const override { return "NSControl"; }
  void setEnabled(bool e);
  bool isEnabled() const { return enabled_; }
  void setTitle(const std::string& t) { title_ = t; changed(); }
  const std::string& title() const { return title_; }
  void setAction(Action a) { action_ = std::move(a); }
  bool hasAction() const { return static_cast<bool>(action_); }
  // Send the action to the target, as the control does after a user event.
  void sendAction();
  int tag = 0;

 private:
  bool enabled_ = true;
  std::string title_;
  Action action_;
};

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
  int intValue() const { return state_; }
  void setIntValue(int v) { setState(v); }

 private:
  Style style_;
  int state_ = 0;
};

// A text field; static texts are text fields that are not editable.
class TextField : public Control {
 public:
  explicit TextField(bool editable = false) : editable_(editable) {}
  const char* className() const override { return "NSTextField"; }
  const char* kind() const override { return editable_ ? "textfield" : "statictext"; }
  void setStringValue(const std::string& s) { text_ = s; changed(); }
  const std::string& stringValue() const { return text_; }
  bool isEditable() const { return editable_; }
  void setTextColor(const std::string& c) { textColor_ = c; changed(); }
  const std::string& textColor() const { return textColor_; }

 private:
  bool editable_;
  std::string text_;
  std::string textColor_ = "controlTextColor";
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

}  // namespace pdk
