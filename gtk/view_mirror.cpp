#include "view_mirror.h"

#include "pane_mirror.h"
#include "sync_guard.h"

namespace {

int syncDepth = 0;

constexpr const char* kMirrorKey = "pdk-view-mirror";

// Whether `view` is the page of a tab view: the notebook shows one page at a
// time itself, so the page's own hidden flag is not the widget's.
bool isTabPage(const pdk::View& view) { return dynamic_cast<const pdk::TabView*>(view.superview()) != nullptr; }

}  // namespace

bool mirrorIsSyncing() { return syncDepth > 0; }

SyncScope::SyncScope() { ++syncDepth; }

SyncScope::~SyncScope() { --syncDepth; }

ViewMirror::ViewMirror(PaneMirror& pane, pdk::ViewRef view, GtkWidget* widget)
    : pane_(pane), view_(std::move(view)), widget_(widget) {
  g_object_ref_sink(widget_);
  g_object_set_data(G_OBJECT(widget_), kMirrorKey, this);
}

ViewMirror::~ViewMirror() {
  g_object_set_data(G_OBJECT(widget_), kMirrorKey, nullptr);
  g_object_unref(widget_);
}

ViewMirror* mirrorOfWidget(GtkWidget* widget) {
  return static_cast<ViewMirror*>(g_object_get_data(G_OBJECT(widget), kMirrorKey));
}

void ViewMirror::refresh() {
  SyncScope syncing;
  if (!dynamic_cast<pdk::Window*>(view_.get()))
    gtk_widget_set_visible(widget_, !view_->isHidden() || isTabPage(*view_));
  auto* control = dynamic_cast<pdk::Control*>(view_.get());
  gtk_widget_set_sensitive(widget_, !control || control->isEnabled());
  refreshControl();
  pane_.place(*this);
}

void ViewMirror::userEvent(const std::function<bool(const UserTarget&, std::string*)>& operation) {
  std::string error;
  if (!operation(pane_.target(*view_), &error)) pane_.reportRefusal(error);
  pane_.flush();
  refresh();  // also when the model refused and nothing changed
}

nlohmann::ordered_json ViewMirror::describe() const {
  nlohmann::ordered_json j;
  j["kind"] = view_->kind();
  j["widget"] = G_OBJECT_TYPE_NAME(widget_);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget_, &allocation);
  // Where the widget is within its parent container, and within its
  // window (the screenshot's coordinates).
  int x = 0, y = 0;
  GtkWidget* parent = gtk_widget_get_parent(widget_);
  if (parent) gtk_widget_translate_coordinates(widget_, parent, 0, 0, &x, &y);
  j["frame"] = {x, y, allocation.width, allocation.height};
  int wx = 0, wy = 0;
  GtkWidget* top = gtk_widget_get_toplevel(widget_);
  if (gtk_widget_is_toplevel(top) && top != widget_) gtk_widget_translate_coordinates(widget_, top, 0, 0, &wx, &wy);
  j["inWindow"] = {wx, wy, allocation.width, allocation.height};
  const char* title = GTK_IS_WINDOW(top) ? gtk_window_get_title(GTK_WINDOW(top)) : nullptr;
  j["window"] = title ? title : "";
  // A tab view's notebook shows one of its pages: the others count as not
  // visible.
  bool visible = gtk_widget_get_visible(widget_);
  if (parent && GTK_IS_NOTEBOOK(parent) && isTabPage(*view_))
    visible = visible && gtk_notebook_page_num(GTK_NOTEBOOK(parent), widget_) ==
                             gtk_notebook_get_current_page(GTK_NOTEBOOK(parent));
  j["visible"] = visible;
  j["mapped"] = static_cast<bool>(gtk_widget_get_mapped(widget_));
  j["sensitive"] = static_cast<bool>(gtk_widget_get_sensitive(widget_));
  describeControl(j);
  return j;
}
