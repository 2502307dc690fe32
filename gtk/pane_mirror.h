// PaneMirror: the GTK widgets of one pane (its panel view and its windows),
// built from the toolkit model and kept in sync with it. Every view reports
// its changes (View::onChange); the mirror notes the view and refreshes its
// widget at the next flush(), so that a burst of changes (a menu filled item
// by item) costs one refresh. Flushes happen after every user event, before
// every wait for the user, and from an idle callback for changes made at any
// other time. Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "pane_loader.h"
#include "user_events.h"

class ViewMirror;

class PaneMirror {
 public:
  // Mirror the pane's view and windows; `dialogWindow` is the parent of the
  // pane's windows.
  PaneMirror(DialogScript& dialog, LoadedPane& pane, GtkWindow* dialogWindow);
  // The views stop reporting to the mirror; every widget goes.
  ~PaneMirror();
  PaneMirror(const PaneMirror&) = delete;
  PaneMirror& operator=(const PaneMirror&) = delete;

  LoadedPane& pane() const { return pane_; }
  DialogScript& dialog() const { return dialog_; }
  GtkWindow* dialogWindow() const { return dialogWindow_; }
  // The widget of the pane's view, for the dialog's tab; null when the pane
  // has no view.
  GtkWidget* panelWidget() const;

  // The mirror of `view`, made (and refreshed) when there is none yet.
  ViewMirror& mirrorFor(const pdk::ViewRef& view);
  // The mirror of `view`, or null.
  ViewMirror* find(const pdk::View* view) const;
  // The pane's view named `identifier` (its outlet name), or null.
  pdk::ViewRef namedView(const std::string& identifier) const;
  // Every named view of the pane, shown or not.
  std::vector<pdk::ViewRef> namedViews() const;

  // Refresh the widget of every view that changed since the last flush.
  void flush();
  // Flush every pane's mirror.
  static void flushAll();

  // The user's operations on `view` address it as "PANE.OUTLET".
  UserTarget target(const pdk::View& view) const;
  // An event the model refused (a widget that was out of step): the widget
  // is set back by the next flush; the reason goes to standard error.
  void reportRefusal(const std::string& error) const;
  // Put the widget of `child` at its frame in its superview's container
  // (frames count from the bottom left of the superview, as the toolkit's
  // coordinates do).
  void place(ViewMirror& child);

 private:
  void noteChange(pdk::View* view);

  DialogScript& dialog_;
  LoadedPane& pane_;
  GtkWindow* dialogWindow_;
  pdk::ViewRef panelView_;
  std::vector<std::shared_ptr<pdk::Window>> windows_;
  std::map<const pdk::View*, std::unique_ptr<ViewMirror>> mirrors_;
  std::vector<pdk::View*> dirty_;
  guint idleSource_ = 0;
};
