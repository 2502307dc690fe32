#include "pane_mirror.h"
#include "sync_guard.h"
#include "view_mirrors.h"

namespace {

GtkWidget* makeButton(const pdk::Button& button) {
  switch (button.style()) {
    case pdk::Button::Style::CheckBox: return gtk_check_button_new_with_label("");
    case pdk::Button::Style::Radio: return gtk_radio_button_new_with_label(nullptr, "");
    default: return gtk_button_new_with_label("");
  }
}

// The label inside a button, which the mirror keeps to the button's size.
GtkLabel* labelOf(GtkWidget* button) { return GTK_LABEL(gtk_bin_get_child(GTK_BIN(button))); }

}  // namespace

ButtonMirror::ButtonMirror(PaneMirror& pane, pdk::ViewRef view)
    : ViewMirror(pane, view, makeButton(static_cast<pdk::Button&>(*view))) {
  gtk_label_set_ellipsize(labelOf(widget_), PANGO_ELLIPSIZE_END);
  if (GTK_IS_TOGGLE_BUTTON(widget_)) g_signal_connect(widget_, "toggled", G_CALLBACK(onToggled), this);
  else g_signal_connect(widget_, "clicked", G_CALLBACK(onClicked), this);
}

void ButtonMirror::refreshControl() {
  auto& button = static_cast<pdk::Button&>(*view_);
  gtk_label_set_text(labelOf(widget_), button.title().c_str());
  if (GTK_IS_TOGGLE_BUTTON(widget_)) {
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget_), button.state() == 1);
    gtk_toggle_button_set_inconsistent(GTK_TOGGLE_BUTTON(widget_), button.state() == -1);
  }
}

void ButtonMirror::describeControl(nlohmann::ordered_json& j) const {
  j["title"] = gtk_label_get_text(labelOf(widget_));
  if (GTK_IS_TOGGLE_BUTTON(widget_)) {
    GtkToggleButton* toggle = GTK_TOGGLE_BUTTON(widget_);
    j["state"] = gtk_toggle_button_get_inconsistent(toggle) ? -1 : gtk_toggle_button_get_active(toggle) ? 1 : 0;
  }
}

void ButtonMirror::onClicked(GtkButton*, gpointer self) {
  auto* mirror = static_cast<ButtonMirror*>(self);
  if (mirrorIsSyncing()) return;
  auto& button = static_cast<pdk::Button&>(*mirror->view_);
  mirror->userEvent([&](const UserTarget& target, std::string* error) { return userClickButton(target, button, error); });
}

void ButtonMirror::onToggled(GtkToggleButton* toggle, gpointer self) {
  auto* mirror = static_cast<ButtonMirror*>(self);
  auto& button = static_cast<pdk::Button&>(*mirror->view_);
  // The click toggled the widget; the model toggles the control.
  if (mirrorIsSyncing() || static_cast<bool>(gtk_toggle_button_get_active(toggle)) == (button.state() == 1)) return;
  mirror->userEvent([&](const UserTarget& target, std::string* error) { return userClickButton(target, button, error); });
}
