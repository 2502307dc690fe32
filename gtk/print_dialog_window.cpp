#include "print_dialog_window.h"

#include <cstdio>

#include "queue_list.h"
#include "sync_guard.h"
#include "view_mirror.h"
#include "window_drawing.h"

namespace {

// How long showing the dialog may take until it is drawn.
constexpr std::chrono::seconds kDrawLimit{10};
constexpr int kMaxCopies = 9999;  // the most a CUPS server takes by default
constexpr const char* kSummaryTab = "summary";

enum { kSummaryPane, kSummaryItem, kSummaryValue };

std::string textOf(const pdk::Value& value) {
  switch (value.type()) {
    case pdk::Value::Type::String: return value.asString();
    case pdk::Value::Type::Integer: return std::to_string(value.asInteger());
    case pdk::Value::Type::Boolean: return value.asBool() ? "Yes" : "No";
    default: return "";
  }
}

// The chooser's entry for a PPD file opened without CUPS.
std::string ppdEntryId(const std::string& path) { return "ppd:" + path; }

}  // namespace

PrintDialogWindow::PrintDialogWindow(Config config, PrintDocuments& documents)
    : config_(std::move(config)), documents_(documents), frontEnd_(config_.batch),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
  build();
}

PrintDialogWindow::~PrintDialogWindow() {
  closePanes();
  session_.reset();
  gtk_widget_destroy(window_);
}

void PrintDialogWindow::build() {
  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_title(window, "Print");
  gtk_window_set_resizable(window, FALSE);
  gtk_container_set_border_width(GTK_CONTAINER(window), 12);
  g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), this);

  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 10);
  gtk_container_add(GTK_CONTAINER(window), column);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  gtk_box_pack_start(GTK_BOX(column), row, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), gtk_label_new("Printer:"), FALSE, FALSE, 0);
  printers_ = gtk_combo_box_text_new();
  gtk_widget_set_size_request(printers_, 280, -1);
  g_signal_connect(printers_, "changed", G_CALLBACK(onPrinterChanged), this);
  gtk_box_pack_start(GTK_BOX(row), printers_, FALSE, FALSE, 0);
  copies_ = gtk_spin_button_new_with_range(1, kMaxCopies, 1);
  gtk_spin_button_set_value(GTK_SPIN_BUTTON(copies_), config_.copies);
  gtk_box_pack_end(GTK_BOX(row), copies_, FALSE, FALSE, 0);
  gtk_box_pack_end(GTK_BOX(row), gtk_label_new("Copies:"), FALSE, FALSE, 0);

  tabs_ = gtk_notebook_new();
  gtk_box_pack_start(GTK_BOX(column), tabs_, TRUE, TRUE, 0);
  summaryRows_ = gtk_list_store_new(3, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
  summary_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(summaryRows_));
  g_object_unref(summaryRows_);
  const char* titles[] = {"Pane", "Setting", "Value"};
  for (int i = 0; i < 3; ++i)
    gtk_tree_view_append_column(GTK_TREE_VIEW(summary_), gtk_tree_view_column_new_with_attributes(
                                                             titles[i], gtk_cell_renderer_text_new(), "text", i, nullptr));
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_container_add(GTK_CONTAINER(scrolled), summary_);
  gtk_notebook_append_page(GTK_NOTEBOOK(tabs_), scrolled, gtk_label_new("Summary"));
  g_signal_connect(tabs_, "switch-page", G_CALLBACK(onSwitchTab), this);

  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 8);
  gtk_box_pack_start(GTK_BOX(column), buttons, FALSE, FALSE, 0);
  cancel_ = gtk_button_new_with_label("Cancel");
  print_ = gtk_button_new_with_label("Print");
  gtk_style_context_add_class(gtk_widget_get_style_context(print_), GTK_STYLE_CLASS_SUGGESTED_ACTION);
  g_signal_connect(cancel_, "clicked", G_CALLBACK(onCancel), this);
  g_signal_connect(print_, "clicked", G_CALLBACK(onPrint), this);
  gtk_container_add(GTK_CONTAINER(buttons), cancel_);
  gtk_container_add(GTK_CONTAINER(buttons), print_);
  // The dialog's own widgets; the panes' widgets are shown or hidden by
  // their mirrors, as the panes' views are.
  gtk_widget_show_all(column);
}

bool PrintDialogWindow::open(std::string* error) {
  SyncScope filling;
  GtkComboBoxText* chooser = GTK_COMBO_BOX_TEXT(printers_);
  PrinterSource source = config_.printer;
  if (!source.ppd.empty()) {
    // A PPD file without CUPS: the only printer there is.
    currentPrinter_ = ppdEntryId(source.ppd);
    gtk_combo_box_text_append(chooser, currentPrinter_.c_str(), (printerIdOfPPD(source.ppd) + " (PPD file)").c_str());
  } else {
    std::vector<QueueEntry> queues = listCupsQueues();
    std::string wanted = source.queue;
    for (const QueueEntry& queue : queues) {
      gtk_combo_box_text_append(chooser, queue.name.c_str(), queue.name.c_str());
      if (source.queue.empty() && queue.isDefault) wanted = queue.name;
    }
    if (wanted.empty() && !queues.empty()) wanted = queues.front().name;
    if (wanted.empty()) {
      *error = "the CUPS server knows no printer (give one with --queue, or a PPD file with --ppd)";
      return false;
    }
    // A queue the list lacks (an instance lpoptions does not name) is
    // still the user's choice.
    if (!gtk_combo_box_set_active_id(GTK_COMBO_BOX(chooser), wanted.c_str()))
      gtk_combo_box_text_append(chooser, wanted.c_str(), wanted.c_str());
    source.queue = currentPrinter_ = wanted;
  }
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(chooser), currentPrinter_.c_str());
  return openPrinter(source, error);
}

bool PrintDialogWindow::show() {
  PaneMirror::flushAll();
  gtk_widget_show(window_);
  return waitForDraw(window_, kDrawLimit);
}

bool PrintDialogWindow::openPrinter(const PrinterSource& source, std::string* error) {
  std::unique_ptr<PrinterSession> session = PrinterSession::open(source, error);
  if (!session) return false;
  closePanes();
  session_ = std::move(session);  // the old session goes, and with it its front end
  frontEnd_.install(session_->dialog(), window());
  session_->openPanes();

  SyncScope building;
  for (LoadedPane& pane : session_->panes()) {
    auto mirror = std::make_unique<PaneMirror>(session_->dialog(), pane, window());
    if (GtkWidget* widget = mirror->panelWidget()) {
      std::string label = session_->dialog().call(pane, [&] { return pane.panel->panelName(); });
      int before = gtk_notebook_get_n_pages(tabs()) - 1;  // the Summary tab stays last
      GtkWidget* tabLabel = gtk_label_new(label.c_str());
      gtk_widget_show(tabLabel);
      gtk_notebook_insert_page(tabs(), widget, tabLabel, before);
    }
    mirrors_.push_back(std::move(mirror));
  }
  PaneMirror::flushAll();
  gtk_notebook_set_current_page(tabs(), 0);
  printRefused_ = false;
  return true;
}

void PrintDialogWindow::closePanes() {
  SyncScope closing;
  for (auto& mirror : mirrors_)
    if (GtkWidget* widget = mirror->panelWidget()) {
      int page = gtk_notebook_page_num(tabs(), widget);
      if (page >= 0) gtk_notebook_remove_page(tabs(), page);
    }
  mirrors_.clear();
  if (summaryRows_) gtk_list_store_clear(summaryRows_);
}

PaneMirror* PrintDialogWindow::mirror(const std::string& name) const {
  for (auto& mirror : mirrors_)
    if (mirror->pane().name == name) return mirror.get();
  return nullptr;
}

int PrintDialogWindow::tabOf(const std::string& name) const {
  if (name == kSummaryTab) return gtk_notebook_get_n_pages(tabs()) - 1;
  PaneMirror* pane = mirror(name);
  GtkWidget* widget = pane ? pane->panelWidget() : nullptr;
  return widget ? gtk_notebook_page_num(tabs(), widget) : -1;
}

GtkWidget* PrintDialogWindow::frontWindow() const {
  if (pdk::Window* modal = pdk::Application::shared().modalWindow())
    for (auto& mirror : mirrors_)
      if (ViewMirror* window = mirror->find(modal)) return window->widget();
  return window_;
}

void PrintDialogWindow::fillSummary() {
  gtk_list_store_clear(summaryRows_);
  if (!session_) return;
  for (LoadedPane& pane : session_->panes()) {
    pdk::Value info = session_->dialog().call(pane, [&] { return pane.panel->summaryInfo(); });
    pdk::Value order = info.get("Summary Display Order");
    for (size_t i = 0; i < order.count(); ++i) {
      std::string item = order.at(i).asString();
      GtkTreeIter row;
      gtk_list_store_append(summaryRows_, &row);
      gtk_list_store_set(summaryRows_, &row, kSummaryPane, pane.name.c_str(), kSummaryItem, item.c_str(),
                         kSummaryValue, textOf(info.get(item)).c_str(), -1);
    }
  }
  PaneMirror::flushAll();
}

void PrintDialogWindow::print() {
  if (!session_ || pdk::Application::shared().modalWindow()) return;
  std::vector<std::pair<std::string, pdk::Value>> summaries;
  bool agreed = session_->dialog().printPanes(&summaries);
  PaneMirror::flushAll();
  printRefused_ = !agreed;
  if (!agreed) return;  // the pane that refused told the user why

  CupsQueue* queue = session_->queue();
  if (queue && !documents_.empty()) {
    printFailure_.clear();
    int copies = gtk_spin_button_get_value_as_int(copiesButton());
    const pdk::Value& settings = session_->host().printSettings()->dictionary();
    int job = submitDialogJob(*queue, documents_, settings, config_.title, copies > 1 ? copies : 0, &printFailure_);
    if (job == 0) {
      frontEnd_.showMessage("The job could not be printed.", printFailure_);
      return;
    }
    std::printf("request id is %s-%d (%zu file(s))\n", queue->name().c_str(), job, documents_.count());
    std::fflush(stdout);
  }
  outcome_ = Outcome::Printed;
}

nlohmann::ordered_json PrintDialogWindow::describe() const {
  nlohmann::ordered_json j;
  nlohmann::ordered_json printers = nlohmann::ordered_json::array();
  GtkTreeModel* model = gtk_combo_box_get_model(printerChooser());
  GtkTreeIter iter;
  for (bool more = gtk_tree_model_get_iter_first(model, &iter); more; more = gtk_tree_model_iter_next(model, &iter)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    printers.push_back(text ? text : "");
    g_free(text);
  }
  j["printers"] = printers;
  const char* active = gtk_combo_box_get_active_id(printerChooser());
  j["printer"] = active ? active : "";
  j["copies"] = gtk_spin_button_get_value_as_int(copiesButton());
  nlohmann::ordered_json labels = nlohmann::ordered_json::array();
  for (int i = 0; i < gtk_notebook_get_n_pages(tabs()); ++i)
    labels.push_back(gtk_notebook_get_tab_label_text(tabs(), gtk_notebook_get_nth_page(tabs(), i)));
  j["tabs"] = labels;
  j["tab"] = gtk_notebook_get_current_page(tabs());
  j["printEnabled"] = static_cast<bool>(gtk_widget_is_sensitive(print_));
  const char* front = gtk_window_get_title(GTK_WINDOW(frontWindow()));
  j["front"] = front ? front : "";

  nlohmann::ordered_json summary = nlohmann::ordered_json::array();
  GtkTreeModel* rows = GTK_TREE_MODEL(summaryRows_);
  for (bool more = gtk_tree_model_get_iter_first(rows, &iter); more; more = gtk_tree_model_iter_next(rows, &iter)) {
    gchar *pane = nullptr, *item = nullptr, *value = nullptr;
    gtk_tree_model_get(rows, &iter, kSummaryPane, &pane, kSummaryItem, &item, kSummaryValue, &value, -1);
    summary.push_back({pane ? pane : "", item ? item : "", value ? value : ""});
    g_free(pane);
    g_free(item);
    g_free(value);
  }
  j["summary"] = summary;

  nlohmann::ordered_json panes = nlohmann::ordered_json::object();
  for (auto& mirror : mirrors_) {
    nlohmann::ordered_json views = nlohmann::ordered_json::object();
    for (const pdk::ViewRef& view : mirror->namedViews()) {
      ViewMirror* widget = mirror->find(view.get());
      views[view->identifier] = widget ? widget->describe() : nlohmann::ordered_json{{"kind", view->kind()}, {"widget", nullptr}};
    }
    panes[mirror->pane().name] = views;
  }
  j["panes"] = panes;
  return j;
}

void PrintDialogWindow::onPrinterChanged(GtkComboBox* combo, gpointer self) {
  auto* dialog = static_cast<PrintDialogWindow*>(self);
  const char* id = gtk_combo_box_get_active_id(combo);
  if (mirrorIsSyncing() || !id || dialog->currentPrinter_ == id) return;
  PrinterSource source = dialog->config_.printer;
  source.ppd.clear();
  source.queue = id;
  std::string error;
  if (dialog->openPrinter(source, &error)) {
    dialog->currentPrinter_ = id;
    return;
  }
  dialog->frontEnd_.showMessage("The printer could not be opened.", error);
  SyncScope back;
  gtk_combo_box_set_active_id(combo, dialog->currentPrinter_.c_str());
}

void PrintDialogWindow::onSwitchTab(GtkNotebook* notebook, GtkWidget*, guint index, gpointer self) {
  auto* dialog = static_cast<PrintDialogWindow*>(self);
  if (mirrorIsSyncing() || !dialog->session_) return;
  int current = gtk_notebook_get_current_page(notebook);
  // The pane being left may keep the dialog on it (shouldHide).
  for (auto& mirror : dialog->mirrors_) {
    LoadedPane& pane = mirror->pane();
    GtkWidget* widget = mirror->panelWidget();
    if (!widget) continue;
    int page = gtk_notebook_page_num(notebook, widget);
    if (page == current && !dialog->session_->dialog().call(pane, [&] { return pane.panel->shouldHide(); })) {
      g_signal_stop_emission_by_name(notebook, "switch-page");
      PaneMirror::flushAll();
      return;
    }
  }
  for (auto& mirror : dialog->mirrors_) {
    LoadedPane& pane = mirror->pane();
    GtkWidget* widget = mirror->panelWidget();
    if (widget && gtk_notebook_page_num(notebook, widget) == static_cast<int>(index))
      dialog->session_->dialog().call(pane, [&] { pane.panel->willShow(); });
  }
  if (static_cast<int>(index) == dialog->tabOf(kSummaryTab)) dialog->fillSummary();
  PaneMirror::flushAll();
}

void PrintDialogWindow::onPrint(GtkButton*, gpointer self) { static_cast<PrintDialogWindow*>(self)->print(); }

void PrintDialogWindow::onCancel(GtkButton*, gpointer self) {
  static_cast<PrintDialogWindow*>(self)->outcome_ = Outcome::Cancelled;
}

gboolean PrintDialogWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<PrintDialogWindow*>(self)->outcome_ = Outcome::Cancelled;
  return TRUE;  // the program ends the window
}
