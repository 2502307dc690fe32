#include "pdk/toolkit.h"

#include <algorithm>

namespace pdk {

void View::setHidden(bool h) {
  hidden_ = h;
  changed();
}

void View::addSubview(const ViewRef& v) {
  // An ancestor (or the view itself) as a subview would make a cycle.
  if (!v || isDescendantOf(v.get())) return;
  // `v` may be the old parent's own reference, which removeFromSuperview()
  // erases: hold the view while it moves.
  ViewRef keep = v;
  keep->removeFromSuperview();
  keep->superview_ = this;
  subviews_.push_back(std::move(keep));
  changed();
}

void View::removeFromSuperview() {
  View* parent = superview_;
  if (!parent) return;
  superview_ = nullptr;
  auto& list = parent->subviews_;
  list.erase(std::remove_if(list.begin(), list.end(), [this](const ViewRef& s) { return s.get() == this; }),
             list.end());
  parent->changed();
}

bool View::isDescendantOf(const View* ancestor) const {
  for (const View* v = this; v; v = v->superview_)
    if (v == ancestor) return true;
  return false;
}

bool View::isHiddenOrHasHiddenAncestor() const {
  for (const View* v = this; v; v = v->superview_)
    if (v->hidden_) return true;
  return false;
}

Window* View::window() const {
  for (const View* v = this; v; v = v->superview_)
    if (auto* w = dynamic_cast<const Window*>(v)) return const_cast<Window*>(w);
  return nullptr;
}

void Control::setEnabled(bool e) {
  enabled_ = e;
  changed();
}

void Control::sendAction() {
  if (action_) action_(this);
}

void PopUpButton::removeAllItems() {
  items_.clear();
  selected_ = -1;
  changed();
}

void PopUpButton::addItemWithTitle(const std::string& title) {
  // Like a menu, a title that is already there is replaced by the new item.
  auto it = std::find_if(items_.begin(), items_.end(), [&](const MenuItem& m) { return m.title == title; });
  if (it != items_.end()) {
    int index = static_cast<int>(it - items_.begin());
    items_.erase(it);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
  }
  items_.push_back(MenuItem{title, Value(), true});
  if (selected_ < 0) selected_ = 0;
  changed();
}

void PopUpButton::addItem(const std::string& title, Value representedObject) {
  items_.push_back(MenuItem{title, std::move(representedObject), true});
  if (selected_ < 0) selected_ = 0;
  changed();
}

MenuItem* PopUpButton::itemAtIndex(int index) {
  return index >= 0 && index < numberOfItems() ? &items_[static_cast<size_t>(index)] : nullptr;
}

MenuItem* PopUpButton::lastItem() { return items_.empty() ? nullptr : &items_.back(); }

void PopUpButton::setItemEnabled(int index, bool enabled) {
  if (auto* item = itemAtIndex(index)) {
    item->enabled = enabled;
    changed();
  }
}

void PopUpButton::selectItemAtIndex(int index) {
  selected_ = index >= 0 && index < numberOfItems() ? index : -1;
  changed();
}

std::string PopUpButton::titleOfSelectedItem() const {
  return selected_ >= 0 && selected_ < numberOfItems() ? items_[static_cast<size_t>(selected_)].title : std::string();
}

void TabView::addTab(const std::string& label, ViewRef view) {
  tabs_.push_back(Tab{label, std::move(view)});
  if (selected_ < 0) selected_ = 0;
  changed();
}

void TabView::setLabel(int index, const std::string& label) {
  if (index < 0 || index >= numberOfTabViewItems()) return;
  tabs_[static_cast<size_t>(index)].label = label;
  changed();
}

void TabView::setTabView(int index, const ViewRef& view) {
  if (index < 0 || index >= numberOfTabViewItems() || !view) return;
  tabs_[static_cast<size_t>(index)].view = view;
  addSubview(view);
  view->setHidden(index != selected_);
}

void TabView::selectTabViewItemAtIndex(int index) {
  if (index < 0 || index >= numberOfTabViewItems()) return;
  selected_ = index;
  for (int i = 0; i < numberOfTabViewItems(); ++i)
    if (auto& view = tabs_[static_cast<size_t>(i)].view) view->setHidden(i != index);
  changed();
}

}  // namespace pdk
