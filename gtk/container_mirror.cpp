#include "pane_mirror.h"
#include "view_mirrors.h"

ContainerMirror::ContainerMirror(PaneMirror& pane, pdk::ViewRef view, GtkWidget* outer)
    : ViewMirror(pane, std::move(view), outer) {
  if (GTK_IS_FIXED(outer)) {
    fixed_ = GTK_FIXED(outer);
  } else {
    fixed_ = GTK_FIXED(gtk_fixed_new());
    gtk_container_add(GTK_CONTAINER(outer), GTK_WIDGET(fixed_));
    gtk_widget_show(GTK_WIDGET(fixed_));
  }
}

void ContainerMirror::refreshControl() {
  // A view at the top (a pane's view, a window's content) is as large as
  // its frame; the others get their size where they are placed.
  if (!view_->superview()) {
    const pdk::Rect& frame = view_->frame();
    gtk_widget_set_size_request(GTK_WIDGET(fixed_), frame.width > 0 ? static_cast<int>(frame.width) : -1,
                                frame.height > 0 ? static_cast<int>(frame.height) : -1);
  }
  for (const pdk::ViewRef& subview : view_->subviews()) pane_.place(pane_.mirrorFor(subview));
  GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_));
  for (GList* item = children; item; item = item->next) {
    auto* child = static_cast<GtkWidget*>(item->data);
    ViewMirror* mirror = mirrorOfWidget(child);
    if (!mirror || mirror->view()->superview() != view_.get()) gtk_container_remove(GTK_CONTAINER(fixed_), child);
  }
  g_list_free(children);
}

void ContainerMirror::describeControl(nlohmann::ordered_json&) const {}

BoxMirror::BoxMirror(PaneMirror& pane, pdk::ViewRef view) : ContainerMirror(pane, std::move(view), gtk_frame_new(nullptr)) {}

void BoxMirror::refreshControl() {
  ContainerMirror::refreshControl();
  const std::string& title = static_cast<pdk::Box&>(*view_).title();
  gtk_frame_set_label(GTK_FRAME(widget_), title.empty() ? nullptr : title.c_str());
}

void BoxMirror::describeControl(nlohmann::ordered_json& j) const {
  const char* label = gtk_frame_get_label(GTK_FRAME(widget_));
  j["title"] = label ? label : "";
}
