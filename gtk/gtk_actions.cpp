#include "gtk_actions.h"

#include <sstream>
#include <vector>

#include "print_dialog_window.h"
#include "text_actions.h"
#include "view_mirror.h"

namespace {

const char kHelp[] =
    "  select P.OUTLET INDEX      make row INDEX the combo box's active row\n"
    "  check P.OUTLET on|off      click the check button unless it already is so\n"
    "  click P.OUTLET             click the button\n"
    "  tab P.OUTLET INDEX         switch the notebook to page INDEX\n"
    "  radio P.OUTLET ROW [COL]   click the radio button of that cell\n"
    "  row P.OUTLET N             press the mouse on row N of the tree view (-1: below the rows)\n"
    "  cell P.OUTLET ROW COLUMN   toggle the check box cell of column COLUMN (identifier) in ROW\n"
    "  type P.OUTLET TEXT         focus the entry, insert TEXT a character at a time, leave it\n"
    "  paste P.OUTLET TEXT        focus the entry, insert TEXT at once, leave it\n"
    "  backspace P.OUTLET [N]     focus the entry, press backspace N times, leave it\n"
    "  clear P.OUTLET             focus the entry, select all, press backspace, leave it\n"
    "  close P.OUTLET             the window's close box\n"
    "  pane NAME|summary          the dialog's tab of pane NAME, or the Summary tab\n"
    "  printer NAME               choose printer NAME (a CUPS queue) in the printer chooser\n"
    "  copies N                   set the number of copies\n"
    "  print                      press Print\n"
    "  cancel                     press Cancel\n";

// The widget an action addresses.
struct WidgetTarget {
  std::string address;
  ViewMirror* mirror = nullptr;
  GtkWidget* widget = nullptr;
};

bool parseNumber(const std::string& text, int* out) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *out = std::stoi(text);
  return true;
}

// Resolve "P.OUTLET" to the widget of a view the user can reach on screen.
bool findWidget(PrintDialogWindow& dialog, const std::string& address, WidgetTarget* target, std::string* error) {
  auto dot = address.find('.');
  PaneMirror* pane = dot == std::string::npos ? nullptr : dialog.mirror(address.substr(0, dot));
  if (!pane) {
    *error = dot == std::string::npos ? "expected PANE.OUTLET, got '" + address + "'"
                                      : "unknown pane '" + address.substr(0, dot) + "'";
    return false;
  }
  pdk::ViewRef view = pane->namedView(address.substr(dot + 1));
  if (!view) {
    *error = "pane '" + pane->pane().name + "' has no control '" + address.substr(dot + 1) + "'";
    return false;
  }
  target->address = address;
  target->mirror = pane->find(view.get());
  target->widget = target->mirror ? target->mirror->widget() : nullptr;
  if (!target->widget || !gtk_widget_get_mapped(target->widget)) {
    *error = address + " has no widget on screen";
    return false;
  }
  if (!gtk_widget_is_sensitive(target->widget)) {
    *error = address + "'s widget is insensitive";
    return false;
  }
  return true;
}

// The widget of `address` when GTK calls it a `type`.
bool findWidgetOf(PrintDialogWindow& dialog, const std::string& address, GType type, WidgetTarget* target,
                  std::string* error) {
  if (!findWidget(dialog, address, target, error)) return false;
  if (!g_type_is_a(G_OBJECT_TYPE(target->widget), type)) {
    *error = address + "'s widget is a " + G_OBJECT_TYPE_NAME(target->widget) + ", not a " + g_type_name(type);
    return false;
  }
  return true;
}

void sendFocus(GtkWidget* widget, bool in) {
  GdkEvent* event = gdk_event_new(GDK_FOCUS_CHANGE);
  event->focus_change.in = in;
  event->focus_change.window = gtk_widget_get_window(widget);
  if (event->focus_change.window) g_object_ref(event->focus_change.window);
  gtk_widget_send_focus_change(widget, event);
  gdk_event_free(event);
}

// A press of the first mouse button at (x, y) of `window`, delivered to
// `widget` as GTK delivers one.
void pressMouse(GtkWidget* widget, GdkWindow* window, double x, double y) {
  GdkEvent* event = gdk_event_new(GDK_BUTTON_PRESS);
  event->button.window = GDK_WINDOW(g_object_ref(window));
  event->button.x = x;
  event->button.y = y;
  event->button.button = GDK_BUTTON_PRIMARY;
  event->button.time = GDK_CURRENT_TIME;
  gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(widget))));
  gtk_widget_event(widget, event);
  gdk_event_free(event);
}

bool expectWords(const std::vector<std::string>& words, size_t least, size_t most, const std::string& action,
                 std::string* error) {
  if (words.size() >= least && words.size() <= most) return true;
  *error = "'" + words[0] + "' has the wrong number of arguments: " + action;
  return false;
}

bool selectRow(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  int index = 0;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_COMBO_BOX, &t, error)) return false;
  GtkComboBox* combo = GTK_COMBO_BOX(t.widget);
  if (!parseNumber(w[2], &index) || index >= gtk_tree_model_iter_n_children(gtk_combo_box_get_model(combo), nullptr)) {
    *error = w[1] + "'s combo box has no row " + w[2];
    return false;
  }
  gtk_combo_box_set_active(combo, index);
  return true;
}

bool clickButton(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  const bool check = w[0] == "check";
  if (!findWidgetOf(dialog, w[1], check ? GTK_TYPE_CHECK_BUTTON : GTK_TYPE_BUTTON, &t, error)) return false;
  if (check) {
    if (w[2] != "on" && w[2] != "off") {
      *error = "'check' takes on or off, not '" + w[2] + "'";
      return false;
    }
    if (static_cast<bool>(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(t.widget))) == (w[2] == "on")) return true;
  }
  gtk_button_clicked(GTK_BUTTON(t.widget));
  return true;
}

bool switchPage(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  int index = 0;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_NOTEBOOK, &t, error)) return false;
  if (!parseNumber(w[2], &index) || index >= gtk_notebook_get_n_pages(GTK_NOTEBOOK(t.widget))) {
    *error = w[1] + "'s notebook has no page " + w[2];
    return false;
  }
  gtk_notebook_set_current_page(GTK_NOTEBOOK(t.widget), index);
  return true;
}

bool clickRadio(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  int row = 0, column = 0;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_GRID, &t, error)) return false;
  GtkWidget* button = nullptr;
  if (parseNumber(w[2], &row) && (w.size() < 4 || parseNumber(w[3], &column)))
    button = gtk_grid_get_child_at(GTK_GRID(t.widget), column, row);
  if (!button || !GTK_IS_RADIO_BUTTON(button)) {
    *error = w[1] + " has no radio button at " + w[2] + (w.size() < 4 ? "" : "," + w[3]);
    return false;
  }
  if (!gtk_widget_is_sensitive(button)) {
    *error = "the radio button at " + w[2] + " of " + w[1] + " is insensitive";
    return false;
  }
  gtk_button_clicked(GTK_BUTTON(button));
  return true;
}

// The tree view inside a table's scrolled window.
GtkTreeView* treeOf(const WidgetTarget& t) { return GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(t.widget))); }

bool pressRow(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_SCROLLED_WINDOW, &t, error)) return false;
  GtkTreeView* tree = treeOf(t);
  int rows = gtk_tree_model_iter_n_children(gtk_tree_view_get_model(tree), nullptr);
  int row = -1;
  if (w[2] != "-1" && (!parseNumber(w[2], &row) || row >= rows)) {
    *error = w[1] + "'s tree view has " + std::to_string(rows) + " rows, no row " + w[2];
    return false;
  }
  // Press in the middle of the row's last column that is not a check box
  // (a press on a check box toggles it), or just below the last row.
  GtkTreeViewColumn* column = nullptr;
  for (int c = 0; GtkTreeViewColumn* candidate = gtk_tree_view_get_column(tree, c); ++c) {
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(candidate));
    if (cells && !GTK_IS_CELL_RENDERER_TOGGLE(cells->data)) column = candidate;
    g_list_free(cells);
  }
  GdkRectangle area{0, 0, 0, 0};
  if (rows > 0) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(row >= 0 ? row : rows - 1, -1);
    gtk_tree_view_get_cell_area(tree, path, column, &area);
    gtk_tree_path_free(path);
  }
  GdkWindow* bin = gtk_tree_view_get_bin_window(tree);
  double y = row >= 0 ? area.y + area.height / 2.0 : area.y + area.height + 2;
  if (y >= gdk_window_get_height(bin)) {
    *error = w[1] + "'s tree view has no empty space below its rows";
    return false;
  }
  pressMouse(GTK_WIDGET(tree), bin, area.x + area.width / 2.0, y);
  return true;
}

bool toggleCell(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_SCROLLED_WINDOW, &t, error)) return false;
  GtkTreeView* tree = treeOf(t);
  int rows = gtk_tree_model_iter_n_children(gtk_tree_view_get_model(tree), nullptr), row = 0;
  if (!parseNumber(w[2], &row) || row >= rows) {
    *error = w[1] + "'s tree view has " + std::to_string(rows) + " rows, no row " + w[2];
    return false;
  }
  for (int c = 0; GtkTreeViewColumn* column = gtk_tree_view_get_column(tree, c); ++c) {
    const char* id = static_cast<const char*>(g_object_get_data(G_OBJECT(column), "pdk-column-id"));
    if (!id || w[3] != id) continue;
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
    GtkCellRenderer* renderer = cells ? GTK_CELL_RENDERER(cells->data) : nullptr;
    g_list_free(cells);
    if (!renderer || !GTK_IS_CELL_RENDERER_TOGGLE(renderer)) {
      *error = "column '" + w[3] + "' of " + w[1] + " shows no check boxes";
      return false;
    }
    g_signal_emit_by_name(renderer, "toggled", w[2].c_str());
    return true;
  }
  *error = w[1] + "'s tree view has no column '" + w[3] + "'";
  return false;
}

bool editEntry(PrintDialogWindow& dialog, const std::string& action, const std::vector<std::string>& w,
               std::string* error) {
  const std::string& verb = w[0];
  std::string address = w.size() > 1 ? w[1] : "";
  WidgetTarget t;
  if (!findWidgetOf(dialog, address, GTK_TYPE_ENTRY, &t, error)) return false;
  std::string text;
  int count = 1;
  if (verb == "type" || verb == "paste") {
    // The text is the rest after the address and one space, verbatim.
    size_t start = action.find(address) + address.size() + 1;
    if (!decodeTypedText(start < action.size() ? action.substr(start) : "", &text, error)) return false;
  } else if (verb == "backspace" && w.size() == 3 && (!parseNumber(w[2], &count) || count == 0)) {
    *error = "'" + w[2] + "' is not a number of keystrokes";
    return false;
  }
  GtkWidget* entry = t.widget;
  sendFocus(entry, true);
  if (verb == "type") {
    for (const std::string& key : keystrokes(text)) g_signal_emit_by_name(entry, "insert-at-cursor", key.c_str());
  } else if (verb == "paste") {
    g_signal_emit_by_name(entry, "insert-at-cursor", text.c_str());
  } else {
    if (verb == "clear") gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
    for (int i = 0; i < count; ++i) g_signal_emit_by_name(entry, "backspace");
  }
  sendFocus(entry, false);
  return true;
}

bool closeWindow(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  WidgetTarget t;
  if (!findWidgetOf(dialog, w[1], GTK_TYPE_WINDOW, &t, error)) return false;
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(t.widget)));
  event->any.send_event = TRUE;
  gtk_main_do_event(event);
  gdk_event_free(event);
  return true;
}

bool dialogAction(PrintDialogWindow& dialog, const std::vector<std::string>& w, std::string* error) {
  const std::string& verb = w[0];
  if (verb == "print" || verb == "cancel") {
    GtkButton* button = verb == "print" ? dialog.printButton() : dialog.cancelButton();
    if (!gtk_widget_is_sensitive(GTK_WIDGET(button)) || !gtk_widget_get_mapped(GTK_WIDGET(button))) {
      *error = "the " + verb + " button cannot be pressed now";
      return false;
    }
    gtk_button_clicked(button);
    return true;
  }
  if (verb == "pane") {
    int page = dialog.tabOf(w[1]);
    if (page < 0) {
      *error = "the dialog has no tab for '" + w[1] + "'";
      return false;
    }
    gtk_notebook_set_current_page(dialog.tabs(), page);
    return true;
  }
  if (verb == "printer") {
    if (!gtk_combo_box_set_active_id(dialog.printerChooser(), w[1].c_str())) {
      *error = "the printer chooser has no printer '" + w[1] + "'";
      return false;
    }
    return true;
  }
  int copies = 0;
  if (!parseNumber(w[1], &copies) || copies < 1) {
    *error = "'" + w[1] + "' is not a number of copies";
    return false;
  }
  gtk_spin_button_set_value(dialog.copiesButton(), copies);
  return true;
}

}  // namespace

const char* gtkActionHelp() { return kHelp; }

bool runGtkAction(const std::string& action, PrintDialogWindow& dialog, std::string* error) {
  std::vector<std::string> w;
  std::istringstream in(action);
  for (std::string word; in >> word;) w.push_back(word);
  if (w.empty()) {
    *error = "empty action";
    return false;
  }
  const std::string& verb = w[0];
  bool done;
  if (verb == "select" || verb == "tab") {
    done = expectWords(w, 3, 3, action, error) && (verb == "select" ? selectRow(dialog, w, error) : switchPage(dialog, w, error));
  } else if (verb == "check" || verb == "click") {
    done = expectWords(w, verb == "check" ? 3 : 2, verb == "check" ? 3 : 2, action, error) && clickButton(dialog, w, error);
  } else if (verb == "radio") {
    done = expectWords(w, 3, 4, action, error) && clickRadio(dialog, w, error);
  } else if (verb == "row") {
    done = expectWords(w, 3, 3, action, error) && pressRow(dialog, w, error);
  } else if (verb == "cell") {
    done = expectWords(w, 4, 4, action, error) && toggleCell(dialog, w, error);
  } else if (verb == "type" || verb == "paste") {
    done = expectWords(w, 2, SIZE_MAX, action, error) && editEntry(dialog, action, w, error);
  } else if (verb == "backspace" || verb == "clear") {
    done = expectWords(w, 2, verb == "clear" ? 2 : 3, action, error) && editEntry(dialog, action, w, error);
  } else if (verb == "close") {
    done = expectWords(w, 2, 2, action, error) && closeWindow(dialog, w, error);
  } else if (verb == "print" || verb == "cancel") {
    done = expectWords(w, 1, 1, action, error) && dialogAction(dialog, w, error);
  } else if (verb == "pane" || verb == "printer" || verb == "copies") {
    done = expectWords(w, 2, 2, action, error) && dialogAction(dialog, w, error);
  } else {
    *error = "unknown GTK action '" + verb + "'";
    return false;
  }
  // Let GTK finish what the event started (layout, pending signals).
  for (int i = 0; done && i < 100 && gtk_events_pending(); ++i) gtk_main_iteration_do(FALSE);
  return done;
}
