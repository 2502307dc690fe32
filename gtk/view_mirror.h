// ViewMirror: the GTK widget of one toolkit view and the code that keeps the
// two equal. The model is the truth: refresh() sets the widget from the
// view's state (title, enabled and hidden state, value), and a user's event
// on the widget goes to the model as the same user operation a scripted
// action performs (user_events.h), after which the widget is refreshed from
// whatever the model made of it. One subclass per kind of control
// (view_mirrors.h). Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "pdk/toolkit.h"
#include "user_events.h"

class PaneMirror;

class ViewMirror {
 public:
  // `widget` is the outer widget (placed in the parent's container); the
  // mirror holds a reference to it until it goes.
  ViewMirror(PaneMirror& pane, pdk::ViewRef view, GtkWidget* widget);
  virtual ~ViewMirror();
  ViewMirror(const ViewMirror&) = delete;
  ViewMirror& operator=(const ViewMirror&) = delete;

  const pdk::ViewRef& view() const { return view_; }
  GtkWidget* widget() const { return widget_; }
  // The container the view's subviews are placed in, or null.
  virtual GtkFixed* content() const { return nullptr; }
  // The mirror of the subview's widget is placed by this mirror itself (tab
  // pages), not at its frame in content().
  virtual bool placesSubviews() const { return false; }

  // Set the widget from the view: the state every view has (shown or not,
  // enabled), then what the kind adds (refreshControl).
  void refresh();
  // The widget for --dump-widgets: its GTK class, geometry, sensitivity,
  // visibility, then what the kind adds (describeControl).
  nlohmann::ordered_json describe() const;

 protected:
  virtual void refreshControl() = 0;
  virtual void describeControl(nlohmann::ordered_json& j) const = 0;
  // Run a user operation on this view; the pane's widgets follow the model
  // afterwards, so an event the model refused is undone on screen.
  void userEvent(const std::function<bool(const UserTarget&, std::string*)>& operation);

  PaneMirror& pane_;
  pdk::ViewRef view_;
  GtkWidget* widget_;
};

// The mirror of `widget`, or null when it mirrors no view.
ViewMirror* mirrorOfWidget(GtkWidget* widget);
