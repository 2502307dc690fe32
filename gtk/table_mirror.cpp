#include <cstdlib>

#include "pane_mirror.h"
#include "sync_guard.h"
#include "view_mirrors.h"

namespace {

constexpr const char* kColumnKey = "pdk-table-column";  // column index + 1
constexpr int kIconSize = 16;

GType storeType(pdk::CellKind kind) {
  switch (kind) {
    case pdk::CellKind::CheckBox: return G_TYPE_BOOLEAN;
    case pdk::CellKind::Image: return GDK_TYPE_PIXBUF;
    default: return G_TYPE_STRING;
  }
}

std::string textOf(const pdk::Value& value) {
  switch (value.type()) {
    case pdk::Value::Type::String: return value.asString();
    case pdk::Value::Type::Integer: return std::to_string(value.asInteger());
    case pdk::Value::Type::Real: return std::to_string(value.asReal());
    case pdk::Value::Type::Boolean: return value.asBool() ? "true" : "false";
    default: return "";
  }
}

// A check box shows on for a true boolean or a nonzero number.
bool isOn(const pdk::Value& value) {
  return value.type() == pdk::Value::Type::Boolean ? value.asBool() : value.asInteger() != 0;
}

// The image a cell shows: its image's file, or a value that names one.
std::string imagePathOf(const pdk::Cell& cell) {
  if (cell.image()) return cell.image()->path();
  return cell.objectValue().type() == pdk::Value::Type::String ? cell.objectValue().asString() : "";
}

}  // namespace

TableMirror::TableMirror(PaneMirror& pane, pdk::ViewRef view)
    : ViewMirror(pane, std::move(view), gtk_scrolled_window_new(nullptr, nullptr)),
      tree_(GTK_TREE_VIEW(gtk_tree_view_new())) {
  GtkScrolledWindow* scrolled = GTK_SCROLLED_WINDOW(widget_);
  gtk_scrolled_window_set_shadow_type(scrolled, GTK_SHADOW_IN);
  gtk_scrolled_window_set_policy(scrolled, GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_container_add(GTK_CONTAINER(scrolled), GTK_WIDGET(tree_));
  gtk_widget_show(GTK_WIDGET(tree_));
  GtkTreeSelection* selection = gtk_tree_view_get_selection(tree_);
  gtk_tree_selection_set_mode(selection, GTK_SELECTION_SINGLE);
  gtk_tree_selection_set_select_function(selection, mayChangeSelection, this, nullptr);
  gtk_tree_view_set_enable_search(tree_, FALSE);
  g_signal_connect(tree_, "button-press-event", G_CALLBACK(onButtonPress), this);
  g_signal_connect(tree_, "key-press-event", G_CALLBACK(onKeyPress), this);
}

TableMirror::~TableMirror() {
  for (auto& [path, icon] : icons_)
    if (icon) g_object_unref(icon);
}

pdk::TableView& TableMirror::table() const { return static_cast<pdk::TableView&>(*view_); }

void TableMirror::buildColumns() {
  while (GtkTreeViewColumn* old = gtk_tree_view_get_column(tree_, 0)) gtk_tree_view_remove_column(tree_, old);
  columnIds_.clear();
  std::vector<GType> types;
  for (auto& column : table().tableColumns()) {
    const int index = static_cast<int>(columnIds_.size());
    columnIds_.push_back(column->identifier());
    types.push_back(storeType(column->kind()));
    GtkCellRenderer* renderer;
    const char* attribute;
    if (column->kind() == pdk::CellKind::CheckBox) {
      renderer = gtk_cell_renderer_toggle_new();
      gtk_cell_renderer_toggle_set_activatable(GTK_CELL_RENDERER_TOGGLE(renderer), TRUE);
      g_object_set_data(G_OBJECT(renderer), kColumnKey, GINT_TO_POINTER(index + 1));
      g_signal_connect(renderer, "toggled", G_CALLBACK(onCellToggled), this);
      attribute = "active";
    } else if (column->kind() == pdk::CellKind::Image) {
      renderer = gtk_cell_renderer_pixbuf_new();
      attribute = "pixbuf";
    } else {
      renderer = gtk_cell_renderer_text_new();
      g_object_set(renderer, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
      attribute = "text";
    }
    GtkTreeViewColumn* view =
        gtk_tree_view_column_new_with_attributes(column->title().c_str(), renderer, attribute, index, nullptr);
    g_object_set_data_full(G_OBJECT(view), "pdk-column-id", g_strdup(column->identifier().c_str()), g_free);
    gtk_tree_view_column_set_sizing(view, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(view, static_cast<int>(column->width()));
    gtk_tree_view_column_set_resizable(view, TRUE);
    gtk_tree_view_append_column(tree_, view);
  }
  store_ = types.empty() ? nullptr : gtk_list_store_newv(static_cast<int>(types.size()), types.data());
  gtk_tree_view_set_model(tree_, GTK_TREE_MODEL(store_));
  if (store_) g_object_unref(store_);  // the tree view holds it
}

GdkPixbuf* TableMirror::iconFor(const std::string& path) {
  if (path.empty()) return nullptr;
  auto it = icons_.find(path);
  if (it != icons_.end()) return it->second;
  GdkPixbuf* icon = gdk_pixbuf_new_from_file_at_scale(path.c_str(), kIconSize, kIconSize, TRUE, nullptr);
  // A file that cannot be read still shows that an image belongs there.
  if (!icon)
    icon = gtk_icon_theme_load_icon(gtk_icon_theme_get_default(), "image-missing", kIconSize,
                                    GTK_ICON_LOOKUP_FORCE_SIZE, nullptr);
  icons_[path] = icon;
  return icon;
}

void TableMirror::refreshControl() {
  pdk::TableView& t = table();
  bool sameColumns = t.tableColumns().size() == columnIds_.size();
  for (size_t i = 0; sameColumns && i < columnIds_.size(); ++i)
    sameColumns = t.tableColumns()[i]->identifier() == columnIds_[i];
  if (!sameColumns) buildColumns();
  if (!store_) return;

  // The table keeps no rows: every row is asked of the pane's data source.
  gtk_list_store_clear(store_);
  pane_.dialog().call(pane_.pane(), [&] {
    for (int row = 0; row < t.numberOfRows(); ++row) {
      GtkTreeIter iter;
      gtk_list_store_append(store_, &iter);
      for (size_t c = 0; c < t.tableColumns().size(); ++c) {
        pdk::TableColumn* column = t.tableColumns()[c].get();
        pdk::Cell* cell = t.preparedCell(column, row);
        if (!cell) continue;
        const int index = static_cast<int>(c);
        if (column->kind() == pdk::CellKind::CheckBox)
          gtk_list_store_set(store_, &iter, index, isOn(cell->objectValue()), -1);
        else if (column->kind() == pdk::CellKind::Image)
          gtk_list_store_set(store_, &iter, index, iconFor(imagePathOf(*cell)), -1);
        else
          gtk_list_store_set(store_, &iter, index, textOf(cell->objectValue()).c_str(), -1);
      }
    }
  });
  GtkTreeSelection* selection = gtk_tree_view_get_selection(tree_);
  selecting_ = true;
  gtk_tree_selection_unselect_all(selection);
  if (t.selectedRow() >= 0 && t.selectedRow() < t.numberOfRows()) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(t.selectedRow(), -1);
    gtk_tree_selection_select_path(selection, path);
    gtk_tree_path_free(path);
  }
  selecting_ = false;
}

void TableMirror::describeControl(nlohmann::ordered_json& j) const {
  nlohmann::ordered_json columns = nlohmann::ordered_json::array();
  for (int c = 0; GtkTreeViewColumn* column = gtk_tree_view_get_column(tree_, c); ++c)
    columns.push_back({{"identifier", columnIds_[static_cast<size_t>(c)]},
                       {"title", gtk_tree_view_column_get_title(column)}});
  j["columns"] = columns;
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  int selected = -1;
  GtkTreeModel* model = store_ ? GTK_TREE_MODEL(store_) : nullptr;
  GtkTreeSelection* selection = gtk_tree_view_get_selection(tree_);
  GtkTreeIter iter;
  for (bool more = model && gtk_tree_model_get_iter_first(model, &iter); more;
       more = gtk_tree_model_iter_next(model, &iter)) {
    if (gtk_tree_selection_iter_is_selected(selection, &iter)) selected = static_cast<int>(rows.size());
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    for (size_t c = 0; c < columnIds_.size(); ++c) {
      GValue value = G_VALUE_INIT;
      gtk_tree_model_get_value(model, &iter, static_cast<int>(c), &value);
      if (G_VALUE_HOLDS_BOOLEAN(&value)) row[columnIds_[c]] = g_value_get_boolean(&value) ? 1 : 0;
      else if (G_VALUE_HOLDS_STRING(&value)) row[columnIds_[c]] = g_value_get_string(&value) ? g_value_get_string(&value) : "";
      else row[columnIds_[c]] = g_value_get_object(&value) != nullptr;  // an image is drawn or not
      g_value_unset(&value);
    }
    rows.push_back(row);
  }
  j["rows"] = rows;
  j["selectedRow"] = selected;
}

gboolean TableMirror::mayChangeSelection(GtkTreeSelection*, GtkTreeModel*, GtkTreePath*, gboolean, gpointer self) {
  // Only the mirror selects rows, after the table did; never GTK by itself
  // (a tree view that gets the focus selects its first row).
  return static_cast<TableMirror*>(self)->selecting_;
}

void TableMirror::clickRow(int row) {
  pdk::TableView& t = table();
  userEvent([&](const UserTarget& target, std::string* error) { return userClickRow(target, t, row, error); });
}

void TableMirror::clickCheckBox(size_t column, int row) {
  pdk::TableView& t = table();
  pdk::TableColumn* tableColumn = column < columnIds_.size() ? t.tableColumnWithIdentifier(columnIds_[column]) : nullptr;
  if (!tableColumn) return;
  userEvent([&](const UserTarget& target, std::string* error) {
    return userClickCheckBoxCell(target, t, *tableColumn, row, error);
  });
}

gboolean TableMirror::onButtonPress(GtkWidget* tree, GdkEventButton* event, gpointer self) {
  auto* mirror = static_cast<TableMirror*>(self);
  if (event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree))) return FALSE;  // the headers
  if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS) return TRUE;
  gtk_widget_grab_focus(tree);
  GtkTreePath* path = nullptr;
  GtkTreeViewColumn* column = nullptr;
  int row = -1;
  if (gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(tree), static_cast<int>(event->x), static_cast<int>(event->y),
                                    &path, &column, nullptr, nullptr)) {
    row = gtk_tree_path_get_indices(path)[0];
    gtk_tree_path_free(path);
  }
  int columnIndex = -1;
  for (int c = 0; column && gtk_tree_view_get_column(GTK_TREE_VIEW(tree), c); ++c)
    if (gtk_tree_view_get_column(GTK_TREE_VIEW(tree), c) == column) columnIndex = c;
  pdk::TableView& t = mirror->table();
  bool checkBox = row >= 0 && columnIndex >= 0 &&
                  t.tableColumns()[static_cast<size_t>(columnIndex)]->kind() == pdk::CellKind::CheckBox;
  if (checkBox) mirror->clickCheckBox(static_cast<size_t>(columnIndex), row);
  else mirror->clickRow(row);
  return TRUE;
}

gboolean TableMirror::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* mirror = static_cast<TableMirror*>(self);
  int step = 0;
  if (event->keyval == GDK_KEY_Up || event->keyval == GDK_KEY_KP_Up) step = -1;
  if (event->keyval == GDK_KEY_Down || event->keyval == GDK_KEY_KP_Down) step = 1;
  if (step == 0) return FALSE;
  // The arrow keys are clicks on the row above or below.
  pdk::TableView& t = mirror->table();
  int row = t.selectedRow() < 0 ? (step > 0 ? 0 : t.numberOfRows() - 1) : t.selectedRow() + step;
  if (row >= 0 && row < t.numberOfRows()) mirror->clickRow(row);
  return TRUE;
}

void TableMirror::onCellToggled(GtkCellRendererToggle* renderer, gchar* path, gpointer self) {
  if (mirrorIsSyncing()) return;
  int column = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(renderer), kColumnKey)) - 1;
  static_cast<TableMirror*>(self)->clickCheckBox(static_cast<size_t>(column), std::atoi(path));
}
