#include "pane_mirror.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "view_mirror.h"
#include "view_mirrors.h"

namespace {

// Every live pane mirror, for flushAll.
std::vector<PaneMirror*>& liveMirrors() {
  static std::vector<PaneMirror*> mirrors;
  return mirrors;
}

// A flush refreshes widgets, and a refresh may ask the pane for values (a
// table's rows), which may change the model again; passes end when nothing
// changed, and a pane that never settles stops after this many.
constexpr int kMaxFlushPasses = 20;

}  // namespace

PaneMirror::PaneMirror(DialogScript& dialog, LoadedPane& pane, GtkWindow* dialogWindow)
    : dialog_(dialog), pane_(pane), dialogWindow_(dialogWindow) {
  liveMirrors().push_back(this);
  panelView_ = dialog.record(pane).panelView;
  windows_ = dialog.call(pane, [&] { return pane.panel->windows(); });
  if (panelView_) {
    GtkWidget* widget = mirrorFor(panelView_).widget();
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), "pdk-pane");
  }
  for (auto& window : windows_)
    if (window) mirrorFor(window);
}

PaneMirror::~PaneMirror() {
  if (idleSource_) g_source_remove(idleSource_);
  auto& live = liveMirrors();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  for (auto& [view, mirror] : mirrors_) mirror->view()->onChange = nullptr;
  // Destroying the top widgets takes their children apart; each mirror then
  // drops its own reference.
  for (auto& window : windows_)
    if (ViewMirror* mirror = find(window.get())) gtk_widget_destroy(mirror->widget());
  if (GtkWidget* widget = panelWidget()) gtk_widget_destroy(widget);
  mirrors_.clear();
}

GtkWidget* PaneMirror::panelWidget() const {
  ViewMirror* mirror = panelView_ ? find(panelView_.get()) : nullptr;
  return mirror ? mirror->widget() : nullptr;
}

ViewMirror& PaneMirror::mirrorFor(const pdk::ViewRef& view) {
  if (ViewMirror* mirror = find(view.get())) return *mirror;
  ViewMirror& mirror = *mirrors_.emplace(view.get(), makeViewMirror(*this, view)).first->second;
  view->onChange = [this](pdk::View* changed) { noteChange(changed); };
  mirror.refresh();
  return mirror;
}

ViewMirror* PaneMirror::find(const pdk::View* view) const {
  auto it = mirrors_.find(view);
  return it == mirrors_.end() ? nullptr : it->second.get();
}

pdk::ViewRef PaneMirror::namedView(const std::string& identifier) const {
  for (auto& view : namedViews())
    if (view->identifier == identifier) return view;
  return nullptr;
}

std::vector<pdk::ViewRef> PaneMirror::namedViews() const {
  return dialog_.call(pane_, [&] { return pane_.panel->scriptableViews(); });
}

void PaneMirror::noteChange(pdk::View* view) {
  if (std::find(dirty_.begin(), dirty_.end(), view) == dirty_.end()) dirty_.push_back(view);
  if (!idleSource_)
    idleSource_ = g_idle_add(
        [](gpointer self) -> gboolean {
          auto* mirror = static_cast<PaneMirror*>(self);
          mirror->idleSource_ = 0;
          mirror->flush();
          return G_SOURCE_REMOVE;
        },
        this);
}

void PaneMirror::flush() {
  for (int pass = 0; pass < kMaxFlushPasses && !dirty_.empty(); ++pass) {
    std::vector<pdk::View*> views;
    views.swap(dirty_);
    for (pdk::View* view : views)
      if (ViewMirror* mirror = find(view)) mirror->refresh();
  }
}

void PaneMirror::flushAll() {
  for (PaneMirror* mirror : std::vector<PaneMirror*>(liveMirrors())) mirror->flush();
}

UserTarget PaneMirror::target(const pdk::View& view) const {
  std::string name = view.identifier.empty() ? std::string("<") + view.kind() + ">" : view.identifier;
  return UserTarget{dialog_, pane_, pane_.name + "." + name};
}

void PaneMirror::reportRefusal(const std::string& error) const {
  std::fprintf(stderr, "printdialog-gtk: the dialog refused an event: %s\n", error.c_str());
}

void PaneMirror::place(ViewMirror& child) {
  pdk::View* parent = child.view()->superview();
  ViewMirror* parentMirror = parent ? find(parent) : nullptr;
  if (!parentMirror || parentMirror->placesSubviews() || !parentMirror->content()) return;
  GtkFixed* fixed = parentMirror->content();
  const pdk::Rect& frame = child.view()->frame();
  int x = static_cast<int>(std::lround(frame.x));
  int y = static_cast<int>(std::lround(parent->frame().height - frame.y - frame.height));
  GtkWidget* widget = child.widget();
  GtkWidget* current = gtk_widget_get_parent(widget);
  if (current == GTK_WIDGET(fixed)) {
    gtk_fixed_move(fixed, widget, x, y);
  } else {
    if (current) gtk_container_remove(GTK_CONTAINER(current), widget);
    gtk_fixed_put(fixed, widget, x, y);
  }
  int width = static_cast<int>(std::lround(frame.width)), height = static_cast<int>(std::lround(frame.height));
  gtk_widget_set_size_request(widget, width > 0 ? width : -1, height > 0 ? height : -1);
}
