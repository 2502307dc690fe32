// PrintDialogWindow: the print dialog's window around the panes: a printer
// chooser (the CUPS destinations with the default chosen, or one PPD file
// without CUPS), the number of copies, a tab per pane laid out from the
// pane's own view, a Summary tab with every pane's summary, and Print and
// Cancel. Print runs every pane's save, summary and shouldPrint; a pane
// that refuses keeps the dialog open (its alert has been shown), otherwise
// the job goes to the CUPS queue and the dialog is done. Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cups_job.h"
#include "dialog_front_end.h"
#include "pane_mirror.h"
#include "printer_session.h"

class PrintDialogWindow {
 public:
  struct Config {
    PrinterSource printer;  // the printer to open first (a PPD, or a queue: "" for the default)
    std::string title;      // the job's title ("" for the first document's name)
    int copies = 1;
    bool batch = false;     // nobody at the screen (see DialogFrontEnd)
  };
  enum class Outcome { Open, Printed, Cancelled };

  PrintDialogWindow(Config config, PrintDocuments& documents);
  ~PrintDialogWindow();
  PrintDialogWindow(const PrintDialogWindow&) = delete;
  PrintDialogWindow& operator=(const PrintDialogWindow&) = delete;

  // Fill the printer chooser and open the first printer; false with a
  // message.
  bool open(std::string* error);
  // Show the window; false when it was not drawn in time.
  bool show();

  GtkWindow* window() const { return GTK_WINDOW(window_); }
  // The window in front: the modal window of a pane, or the dialog.
  GtkWidget* frontWindow() const;
  DialogFrontEnd& frontEnd() { return frontEnd_; }
  PrinterSession& session() { return *session_; }
  // The mirror of pane `name`, or null.
  PaneMirror* mirror(const std::string& name) const;

  // The dialog's own controls, for actions through GTK.
  GtkComboBox* printerChooser() const { return GTK_COMBO_BOX(printers_); }
  GtkSpinButton* copiesButton() const { return GTK_SPIN_BUTTON(copies_); }
  GtkNotebook* tabs() const { return GTK_NOTEBOOK(tabs_); }
  GtkButton* printButton() const { return GTK_BUTTON(print_); }
  GtkButton* cancelButton() const { return GTK_BUTTON(cancel_); }
  // The tab of pane `name` ("summary" for the Summary tab); -1 for none.
  int tabOf(const std::string& name) const;

  Outcome outcome() const { return outcome_; }
  // The last Print a pane refused, and no Print since.
  bool printRefused() const { return printRefused_; }
  // Why the last Print failed after the panes agreed ("" when it did not).
  const std::string& printFailure() const { return printFailure_; }

  // Every widget for --dump-widgets: the dialog's controls, the summary
  // shown, and per pane each named view's widget (null when it has none).
  nlohmann::ordered_json describe() const;

 private:
  void build();
  // Open the printer of `source` in place of the current one; false with a
  // message (the current one stays).
  bool openPrinter(const PrinterSource& source, std::string* error);
  void closePanes();
  void fillSummary();
  void print();

  static void onPrinterChanged(GtkComboBox* combo, gpointer self);
  static void onSwitchTab(GtkNotebook* notebook, GtkWidget* page, guint index, gpointer self);
  static void onPrint(GtkButton* button, gpointer self);
  static void onCancel(GtkButton* button, gpointer self);
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);

  Config config_;
  PrintDocuments& documents_;
  DialogFrontEnd frontEnd_;
  std::unique_ptr<PrinterSession> session_;
  std::vector<std::unique_ptr<PaneMirror>> mirrors_;

  GtkWidget* window_;
  GtkWidget* printers_ = nullptr;
  GtkWidget* copies_ = nullptr;
  GtkWidget* tabs_ = nullptr;
  GtkWidget* summary_ = nullptr;  // the Summary tab's tree view
  GtkListStore* summaryRows_ = nullptr;
  GtkWidget* print_ = nullptr;
  GtkWidget* cancel_ = nullptr;
  std::string currentPrinter_;    // the chooser's id of the open printer

  Outcome outcome_ = Outcome::Open;
  bool printRefused_ = false;
  std::string printFailure_;
};
