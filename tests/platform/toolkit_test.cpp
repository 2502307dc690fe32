// The headless toolkit model: pop-up menus, buttons, view hierarchy and tab
// views, and the change notifications a GUI would mirror.
#include "pdk/toolkit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using pdk::PopUpButton;
using pdk::Value;
using pdk::View;

std::vector<std::string> titles(const PopUpButton& p) {
  std::vector<std::string> out;
  for (auto& item : p.items()) out.push_back(item.title);
  return out;
}

TEST(PopUpButton, SelectionRules) {
  PopUpButton p;
  EXPECT_EQ(p.indexOfSelectedItem(), -1);  // empty menu: nothing selected
  EXPECT_EQ(p.titleOfSelectedItem(), "");
  p.addItem("A");
  EXPECT_EQ(p.indexOfSelectedItem(), 0);  // the first item selects itself
  p.addItem("B");
  p.addItem("C");

  struct Step {
    int select;
    int expected;
    std::string title;
  } steps[] = {
      {2, 2, "C"}, {-1, -1, ""}, {1, 1, "B"}, {3, -1, ""}, {0, 0, "A"}, {-7, -1, ""},
  };
  for (const Step& s : steps) {
    p.selectItemAtIndex(s.select);
    EXPECT_EQ(p.indexOfSelectedItem(), s.expected) << "select " << s.select;
    EXPECT_EQ(p.titleOfSelectedItem(), s.title) << "select " << s.select;
  }
  EXPECT_EQ(p.itemAtIndex(-1), nullptr);
  EXPECT_EQ(p.itemAtIndex(3), nullptr);
  EXPECT_EQ(p.lastItem()->title, "C");
}

TEST(PopUpButton, AddItemWithTitleReplacesButAddItemKeepsBoth) {
  PopUpButton p;
  p.addItem("Auto", Value(1));
  p.addItem("Vivid");
  p.addItem("Photo");
  p.selectItemAtIndex(2);  // "Photo"

  // Same title again: the old item goes, the new one is last.
  p.addItemWithTitle("Auto");
  EXPECT_EQ(titles(p), (std::vector<std::string>{"Vivid", "Photo", "Auto"}));
  EXPECT_TRUE(p.lastItem()->representedObject.isNull());
  // The selection follows the item that was selected.
  EXPECT_EQ(p.titleOfSelectedItem(), "Photo");

  p.addItem("Vivid");
  EXPECT_EQ(titles(p), (std::vector<std::string>{"Vivid", "Photo", "Auto", "Vivid"}));
  EXPECT_EQ(p.titleOfSelectedItem(), "Photo");
}

TEST(PopUpButton, RemoveAllItemsClearsTheSelection) {
  PopUpButton p;
  p.addItemWithTitle("A");
  p.addItemWithTitle("B");
  p.selectItemAtIndex(1);
  p.removeAllItems();
  EXPECT_EQ(p.numberOfItems(), 0);
  EXPECT_EQ(p.indexOfSelectedItem(), -1);
  EXPECT_EQ(p.titleOfSelectedItem(), "");
  EXPECT_EQ(p.lastItem(), nullptr);
  // A new first item is selected again.
  p.addItemWithTitle("C");
  EXPECT_EQ(p.indexOfSelectedItem(), 0);
}

TEST(PopUpButton, ItemEnabling) {
  PopUpButton p;
  p.addItem("A");
  p.addItem("B");
  p.setItemEnabled(1, false);
  p.setItemEnabled(5, false);  // out of range: ignored
  EXPECT_TRUE(p.itemAtIndex(0)->enabled);
  EXPECT_FALSE(p.itemAtIndex(1)->enabled);
  EXPECT_TRUE(p.autoenablesItems);
}

TEST(Control, ChangesAreObservedAndActionsSent) {
  int changes = 0;
  View* changedView = nullptr;
  auto p = std::make_shared<PopUpButton>();
  p->onChange = [&](View* v) {
    ++changes;
    changedView = v;
  };
  p->addItemWithTitle("A");
  p->selectItemAtIndex(0);
  p->setEnabled(false);
  p->setHidden(true);
  p->setTitle("t");
  p->removeAllItems();
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(changedView, p.get());

  // No action: sending does nothing. With one: the sender is the control.
  p->sendAction();
  pdk::Control* sender = nullptr;
  p->setAction([&](pdk::Control* c) { sender = c; });
  EXPECT_TRUE(p->hasAction());
  p->sendAction();
  EXPECT_EQ(sender, p.get());
}

TEST(Button, StylesAndStates) {
  const std::pair<pdk::Button::Style, const char*> kinds[] = {
      {pdk::Button::Style::Push, "button"},
      {pdk::Button::Style::CheckBox, "checkbox"},
      {pdk::Button::Style::Radio, "radio"},
  };
  for (auto& [style, kind] : kinds) EXPECT_STREQ(pdk::Button(style).kind(), kind);
  pdk::Button check(pdk::Button::Style::CheckBox);
  EXPECT_EQ(check.state(), 0);
  check.setIntValue(-1);  // mixed
  EXPECT_EQ(check.state(), -1);
  EXPECT_EQ(check.intValue(), -1);

  pdk::TextField label;
  pdk::TextField field(true);
  EXPECT_STREQ(label.kind(), "statictext");
  EXPECT_STREQ(field.kind(), "textfield");
  EXPECT_EQ(label.textColor(), pdk::TextColor::Black);
}

TEST(Control, IntegerValueByKind) {
  // Code that binds a control by kind reads and sets its value through the
  // base class.
  pdk::Button check(pdk::Button::Style::CheckBox);
  pdk::TextField field(true);
  PopUpButton popup;
  popup.addItem("A");
  popup.addItem("B");
  pdk::Matrix matrix;
  matrix.renewRows(2, 1);
  struct Case {
    pdk::Control* control;
    int set;
    int got;
  } cases[] = {{&check, 1, 1}, {&field, -42, -42}, {&popup, 1, 1}, {&popup, 5, -1}, {&matrix, 1, 0}};
  for (const Case& c : cases) {
    c.control->setIntValue(c.set);
    EXPECT_EQ(c.control->intValue(), c.got) << c.control->className() << " " << c.set;
  }
  EXPECT_EQ(field.stringValue(), "-42");
  EXPECT_EQ(matrix.selectedRow(), 0);  // a matrix's value is its selection, not an integer
}

TEST(View, SubviewsAndSuperviewLinks) {
  auto root = std::make_shared<View>();
  auto a = std::make_shared<View>();
  auto b = std::make_shared<View>();
  root->addSubview(a);
  a->addSubview(b);
  EXPECT_EQ(a->superview(), root.get());
  EXPECT_EQ(b->superview(), a.get());
  EXPECT_TRUE(b->isDescendantOf(root.get()));
  EXPECT_TRUE(b->isDescendantOf(b.get()));
  EXPECT_FALSE(root->isDescendantOf(b.get()));

  // Moving a view to a new parent takes it out of the old one.
  root->addSubview(b);
  EXPECT_TRUE(a->subviews().empty());
  EXPECT_EQ(root->subviews().size(), 2u);
  EXPECT_EQ(b->superview(), root.get());

  b->removeFromSuperview();
  EXPECT_EQ(b->superview(), nullptr);
  EXPECT_EQ(root->subviews().size(), 1u);
  b->removeFromSuperview();  // twice is harmless

  // Null and self are refused.
  root->addSubview(nullptr);
  root->addSubview(root);
  EXPECT_EQ(root->subviews().size(), 1u);
  EXPECT_EQ(root->superview(), nullptr);
}

TEST(View, AddingAnAncestorAsSubviewIsRefused) {
  auto root = std::make_shared<View>();
  auto child = std::make_shared<View>();
  auto grandchild = std::make_shared<View>();
  root->addSubview(child);
  child->addSubview(grandchild);

  // That would make a cycle: every walk up the tree would never end.
  grandchild->addSubview(root);
  EXPECT_EQ(root->superview(), nullptr);
  EXPECT_TRUE(grandchild->subviews().empty());
  EXPECT_TRUE(grandchild->isDescendantOf(root.get()));
}

TEST(View, MovingASubviewHeldOnlyByItsParent) {
  // The argument is the old parent's own reference to the view: the move
  // must not lose the view while taking it out of the old parent.
  auto oldParent = std::make_shared<View>();
  auto newParent = std::make_shared<View>();
  std::weak_ptr<View> child;
  {
    auto v = std::make_shared<View>();
    v->identifier = "moved";
    oldParent->addSubview(v);
    child = v;
  }
  newParent->addSubview(oldParent->subviews()[0]);
  ASSERT_FALSE(child.expired());
  EXPECT_TRUE(oldParent->subviews().empty());
  ASSERT_EQ(newParent->subviews().size(), 1u);
  EXPECT_EQ(newParent->subviews()[0]->identifier, "moved");
  EXPECT_EQ(newParent->subviews()[0]->superview(), newParent.get());
}

TEST(View, RemovingNotifiesTheParent) {
  auto parent = std::make_shared<View>();
  auto child = std::make_shared<View>();
  parent->addSubview(child);
  int parentChanges = 0;
  parent->onChange = [&](View*) { ++parentChanges; };
  child->removeFromSuperview();
  EXPECT_EQ(parentChanges, 1);
}

TEST(TabView, SelectionAndLabels) {
  pdk::TabView tabs;
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), -1);
  tabs.addTab("Basic", std::make_shared<View>());
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), 0);
  tabs.addTab("Advanced", std::make_shared<View>());
  ASSERT_EQ(tabs.numberOfTabViewItems(), 2);
  auto basic = tabs.tabs()[0].view;
  auto advanced = tabs.tabs()[1].view;

  // Out of range keeps the selection; only the selected tab's view shows.
  const std::pair<int, int> steps[] = {{1, 1}, {2, 1}, {-1, 1}, {0, 0}};
  for (auto& [select, expected] : steps) {
    tabs.selectTabViewItemAtIndex(select);
    EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), expected) << select;
    EXPECT_EQ(basic->isHidden(), expected != 0) << select;
    EXPECT_EQ(advanced->isHidden(), expected != 1) << select;
  }

  tabs.setLabel(1, "Expert");
  tabs.setLabel(9, "ignored");
  EXPECT_EQ(tabs.tabs()[1].label, "Expert");
}

}  // namespace
