// Headless toolkit, core: views and controls. A view keeps the state the
// panes rely on and reports every change to its observer, so a GUI can
// mirror it; a control sends its action to its target when the user acts on
// it, as a click would. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pdk/object.h"

namespace pdk {

struct Rect {
  double x = 0, y = 0, width = 0, height = 0;
};

class View;
class Window;
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
  // Whether this view or one of its ancestors is hidden (a closed window
  // hides all it holds): the user can neither see nor reach the view.
  bool isHiddenOrHasHiddenAncestor() const;

  void addSubview(const ViewRef& v);
  void removeFromSuperview();
  const std::vector<ViewRef>& subviews() const { return subviews_; }
  View* superview() const { return superview_; }
  bool isDescendantOf(const View* ancestor) const;
  // The window holding this view (a window holds itself), or null.
  Window* window() const;

  // Called after every change of this view's state.
  std::function<void(View*)> onChange;
  // Name the view description gave the view (its outlet name).
  std::string identifier;

 protected:
  void changed() {
    if (onChange) onChange(this);
  }

 private:
  friend class Cell;         // a matrix's cells report through their matrix
  friend class Application;  // a window's modal state is the application's

  Rect frame_, bounds_;
  bool hidden_ = false;
  std::vector<ViewRef> subviews_;
  View* superview_ = nullptr;
};

// A font by name ("system", "user") and point size.
struct Font {
  std::string name = "system";
  double size = 13;
  static Font systemFontOfSize(double size) { return Font{"system", size}; }
  static Font userFontOfSize(double size) { return Font{"user", size}; }
};

class Control;
using Action = std::function<void(Control* sender)>;

// A view the user acts on; it sends its action when they do.
class Control : public View {
 public:
  const char* className() const override { return "NSControl"; }
  void setEnabled(bool e);
  bool isEnabled() const { return enabled_; }
  void setTitle(const std::string& t) { title_ = t; changed(); }
  const std::string& title() const { return title_; }
  void setFont(Font f) { font_ = std::move(f); changed(); }
  const Font& font() const { return font_; }
  // The control's value as an integer (a check box's state, a text's
  // leading number, a menu's selected index); 0 for a control without one.
  virtual int intValue() const { return 0; }
  virtual void setIntValue(int v) { (void)v; }
  void setAction(Action a) { action_ = std::move(a); }
  bool hasAction() const { return static_cast<bool>(action_); }
  // Send the action to the target, as the control does after a user event.
  void sendAction();
  int tag = 0;

 private:
  bool enabled_ = true;
  std::string title_;
  Font font_;
  Action action_;
};

}  // namespace pdk
