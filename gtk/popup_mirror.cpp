#include "pane_mirror.h"
#include "sync_guard.h"
#include "view_mirrors.h"

namespace {

enum { kTitleColumn, kEnabledColumn };

// Whether the user may choose `item`: a menu that enables its items itself
// offers every one.
bool isChoosable(const pdk::PopUpButton& popup, const pdk::MenuItem& item) {
  return popup.autoenablesItems || item.enabled;
}

}  // namespace

PopUpMirror::PopUpMirror(PaneMirror& pane, pdk::ViewRef view)
    : ViewMirror(pane, std::move(view), gtk_combo_box_new()),
      store_(gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_BOOLEAN)) {
  GtkComboBox* combo = GTK_COMBO_BOX(widget_);
  gtk_combo_box_set_model(combo, GTK_TREE_MODEL(store_));
  g_object_unref(store_);  // the combo box holds it
  GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
  g_object_set(renderer, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
  gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), renderer, TRUE);
  gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(combo), renderer, "text", kTitleColumn, "sensitive",
                                 kEnabledColumn, nullptr);
  g_signal_connect(combo, "changed", G_CALLBACK(onChanged), this);
}

void PopUpMirror::refreshControl() {
  auto& popup = static_cast<pdk::PopUpButton&>(*view_);
  GtkTreeModel* model = GTK_TREE_MODEL(store_);
  // Rows are rewritten only where they differ, so an open menu stays put.
  int rows = gtk_tree_model_iter_n_children(model, nullptr);
  while (rows > popup.numberOfItems()) {
    GtkTreeIter last;
    gtk_tree_model_iter_nth_child(model, &last, nullptr, --rows);
    gtk_list_store_remove(store_, &last);
  }
  GtkTreeIter iter;
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    const pdk::MenuItem& item = popup.items()[static_cast<size_t>(i)];
    if (i >= rows) gtk_list_store_append(store_, &iter);
    else gtk_tree_model_iter_nth_child(model, &iter, nullptr, i);
    gtk_list_store_set(store_, &iter, kTitleColumn, item.title.c_str(), kEnabledColumn, isChoosable(popup, item), -1);
  }
  if (gtk_combo_box_get_active(GTK_COMBO_BOX(widget_)) != popup.indexOfSelectedItem())
    gtk_combo_box_set_active(GTK_COMBO_BOX(widget_), popup.indexOfSelectedItem());
}

void PopUpMirror::describeControl(nlohmann::ordered_json& j) const {
  GtkTreeModel* model = GTK_TREE_MODEL(store_);
  int active = gtk_combo_box_get_active(GTK_COMBO_BOX(widget_));
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  std::string title;
  GtkTreeIter iter;
  for (bool more = gtk_tree_model_get_iter_first(model, &iter); more; more = gtk_tree_model_iter_next(model, &iter)) {
    gchar* text = nullptr;
    gboolean enabled = FALSE;
    gtk_tree_model_get(model, &iter, kTitleColumn, &text, kEnabledColumn, &enabled, -1);
    if (static_cast<int>(items.size()) == active) title = text ? text : "";
    items.push_back({{"title", text ? text : ""}, {"enabled", static_cast<bool>(enabled)}});
    g_free(text);
  }
  j["title"] = title;
  j["selected"] = active;
  j["items"] = items;
}

void PopUpMirror::onChanged(GtkComboBox* combo, gpointer self) {
  auto* mirror = static_cast<PopUpMirror*>(self);
  auto& popup = static_cast<pdk::PopUpButton&>(*mirror->view_);
  int index = gtk_combo_box_get_active(combo);
  if (mirrorIsSyncing() || index < 0 || index == popup.indexOfSelectedItem()) return;
  mirror->userEvent(
      [&](const UserTarget& target, std::string* error) { return userSelectItem(target, popup, index, error); });
}
