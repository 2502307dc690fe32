#include "pane_mirror.h"
#include "view_mirrors.h"

WindowMirror::WindowMirror(PaneMirror& pane, pdk::ViewRef view)
    : ContainerMirror(pane, std::move(view), gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
  GtkWindow* window = GTK_WINDOW(widget_);
  gtk_window_set_transient_for(window, pane.dialogWindow());
  gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_window_set_resizable(window, FALSE);
  gtk_style_context_add_class(gtk_widget_get_style_context(GTK_WIDGET(fixed_)), "pdk-pane");
  g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), this);
}

void WindowMirror::refreshControl() {
  ContainerMirror::refreshControl();
  auto& window = static_cast<pdk::Window&>(*view_);
  gtk_window_set_title(GTK_WINDOW(widget_), window.title().c_str());
  gtk_window_set_modal(GTK_WINDOW(widget_), window.isModal());
  if (window.isVisible() && !gtk_widget_get_visible(widget_)) gtk_widget_show(widget_);
  if (!window.isVisible() && gtk_widget_get_visible(widget_)) gtk_widget_hide(widget_);
}

void WindowMirror::describeControl(nlohmann::ordered_json& j) const {
  j["title"] = gtk_window_get_title(GTK_WINDOW(widget_)) ? gtk_window_get_title(GTK_WINDOW(widget_)) : "";
  j["modal"] = static_cast<bool>(gtk_window_get_modal(GTK_WINDOW(widget_)));
}

gboolean WindowMirror::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  auto* mirror = static_cast<WindowMirror*>(self);
  auto& window = static_cast<pdk::Window&>(*mirror->view_);
  // The close box is the window's to honour; GTK never destroys the widget.
  mirror->pane_.dialog().call(mirror->pane_.pane(), [&] { window.performClose(); });
  mirror->pane_.flush();
  return TRUE;
}
