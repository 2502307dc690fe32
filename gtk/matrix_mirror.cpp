#include "pane_mirror.h"
#include "sync_guard.h"
#include "view_mirrors.h"

namespace {

constexpr const char* kCellKey = "pdk-matrix-cell";  // row * columns + column + 1

}  // namespace

MatrixMirror::MatrixMirror(PaneMirror& pane, pdk::ViewRef view) : ViewMirror(pane, std::move(view), gtk_grid_new()) {
  gtk_grid_set_row_homogeneous(GTK_GRID(widget_), TRUE);
  gtk_grid_set_column_homogeneous(GTK_GRID(widget_), TRUE);
  // Never shown: it is active while no cell is selected.
  none_ = GTK_WIDGET(g_object_ref_sink(gtk_radio_button_new(nullptr)));
}

MatrixMirror::~MatrixMirror() { g_object_unref(none_); }

void MatrixMirror::rebuild(int rows, int columns) {
  for (GtkWidget* button : buttons_) gtk_widget_destroy(button);
  buttons_.clear();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      GtkWidget* button = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(none_), "");
      gtk_label_set_ellipsize(GTK_LABEL(gtk_bin_get_child(GTK_BIN(button))), PANGO_ELLIPSIZE_END);
      g_object_set_data(G_OBJECT(button), kCellKey, GINT_TO_POINTER(r * columns + c + 1));
      g_signal_connect(button, "toggled", G_CALLBACK(onToggled), this);
      gtk_grid_attach(GTK_GRID(widget_), button, c, r, 1, 1);
      gtk_widget_show(button);
      buttons_.push_back(button);
    }
  rows_ = rows;
  columns_ = columns;
}

void MatrixMirror::refreshControl() {
  auto& matrix = static_cast<pdk::Matrix&>(*view_);
  if (matrix.numberOfRows() != rows_ || matrix.numberOfColumns() != columns_)
    rebuild(matrix.numberOfRows(), matrix.numberOfColumns());
  for (size_t i = 0; i < buttons_.size() && i < matrix.cells().size(); ++i) {
    const pdk::Cell& cell = *matrix.cells()[i];
    gtk_label_set_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(buttons_[i]))), cell.title().c_str());
    gtk_widget_set_sensitive(buttons_[i], cell.isEnabled());
  }
  int row = matrix.selectedRow(), column = matrix.selectedColumn();
  bool selected = row >= 0 && column >= 0 && row < rows_ && column < columns_;
  GtkWidget* active = selected ? buttons_[static_cast<size_t>(row * columns_ + column)] : none_;
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(active), TRUE);
}

void MatrixMirror::describeControl(nlohmann::ordered_json& j) const {
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  int selected = -1;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    GtkWidget* button = buttons_[i];
    cells.push_back({{"title", gtk_label_get_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(button))))},
                     {"enabled", static_cast<bool>(gtk_widget_get_sensitive(button))}});
    if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button))) selected = static_cast<int>(i);
  }
  j["rows"] = rows_;
  j["columns"] = columns_;
  j["cells"] = cells;
  j["selectedRow"] = selected < 0 ? -1 : selected / columns_;
  j["selectedColumn"] = selected < 0 ? -1 : selected % columns_;
}

void MatrixMirror::onToggled(GtkToggleButton* button, gpointer self) {
  // A click turns one button on and the previous one off: the one turned on
  // is the user's click.
  if (mirrorIsSyncing() || !gtk_toggle_button_get_active(button)) return;
  auto* mirror = static_cast<MatrixMirror*>(self);
  int cell = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), kCellKey)) - 1;
  int row = cell / mirror->columns_, column = cell % mirror->columns_;
  auto& matrix = static_cast<pdk::Matrix&>(*mirror->view_);
  mirror->userEvent([&](const UserTarget& target, std::string* error) {
    return userClickRadio(target, matrix, row, column, error);
  });
}
