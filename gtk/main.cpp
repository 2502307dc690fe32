// printdialog-gtk: the print dialog in a GTK 3 window. It opens a printer
// (a CUPS queue, or a PPD file), loads the pane bundles as printdialog does,
// shows each pane's view as a tab built from the toolkit model, lets the
// user act on it, and prints through CUPS. Scripted actions, a screenshot
// and a dump of the widgets serve tests and documentation.
#include <gtk/gtk.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "gtk_options.h"
#include "json_report.h"
#include "pane_style.h"
#include "pdk/plist.h"
#include "print_dialog_window.h"
#include "script_runner.h"
#include "window_drawing.h"

namespace {

// How long the run's end waits for the front window to be drawn.
constexpr std::chrono::seconds kDrawLimit{10};

int fail(const std::string& message) {
  std::fprintf(stderr, "printdialog-gtk: %s\n", message.c_str());
  return 2;
}

// What the run leaves behind once it ends; false with a message.
bool writeOutputs(const GtkOptions& options, PrintDialogWindow& dialog, std::string* error) {
  PaneMirror::flushAll();
  GtkWidget* front = dialog.frontWindow();
  if ((!options.screenshot.empty() || !options.dumpWidgets.empty()) && !waitForDraw(front, kDrawLimit)) {
    *error = "the window was not drawn within " + std::to_string(kDrawLimit.count()) + " s";
    return false;
  }
  if (!options.dumpWidgets.empty()) {
    std::ofstream out(options.dumpWidgets);
    out << dialog.describe().dump(2) << "\n";
    if (!out) {
      *error = "cannot write " + options.dumpWidgets;
      return false;
    }
  }
  if (!options.screenshot.empty() && !writeWindowPicture(front, options.screenshot, error)) return false;
  if (!options.out.empty() && !pdk::writePlistFile(options.out, dialog.session().host().printSettings()->dictionary())) {
    *error = "cannot write " + options.out;
    return false;
  }
  if (options.state) std::cout << stateReport(dialog.session().dialog()).dump(2) << std::endl;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  GtkOptions options;
  std::string error;
  if (!parseGtkOptions(argc, argv, &options, &error)) return fail(error);
  if (options.help) {
    printGtkHelp();
    return 0;
  }
  if (!gtk_init_check(nullptr, nullptr)) return fail("cannot open the display (is DISPLAY set?)");
  if (options.batch())
    // Pictures of the same dialog come out the same: no blinking caret, no
    // transition caught halfway.
    g_object_set(gtk_settings_get_default(), "gtk-enable-animations", FALSE, "gtk-cursor-blink", FALSE, nullptr);
  installPaneStyle();

  // The documents are opened first: a file that cannot be read stops the
  // dialog before anything else happens.
  PrintDocuments documents;
  for (const std::string& file : options.printFiles)
    if (!documents.add(file, &error)) return fail(error);

  PrintDialogWindow dialog(PrintDialogWindow::Config{options.printer, options.title, options.copies, options.batch()},
                           documents);
  if (!dialog.open(&error)) return fail(error);
  ScriptRunner script(options.steps, dialog);
  bool ended = false;
  std::string outputError;
  auto endRun = [&] {
    if (ended) return;
    ended = true;
    if (!writeOutputs(options, dialog, &outputError)) outputError = outputError.empty() ? "output failed" : outputError;
  };
  dialog.frontEnd().setHooks(DialogFrontEnd::Hooks{
      [&] { return script.runNext(); },
      [&] {
        if (script.failed()) return true;
        if (dialog.outcome() != PrintDialogWindow::Outcome::Open || options.batch()) {
          endRun();
          return true;
        }
        return false;
      }});
  if (!dialog.show()) return fail("the dialog was not drawn within " + std::to_string(kDrawLimit.count()) + " s");

  while (script.runNext()) {
  }
  if (script.failed()) return fail(script.error());
  if (script.left() > 0)
    std::fprintf(stderr, "printdialog-gtk: warning: the dialog was done before %zu action(s)\n", script.left());
  while (!options.batch() && dialog.outcome() == PrintDialogWindow::Outcome::Open)
    g_main_context_iteration(nullptr, TRUE);
  endRun();
  if (!outputError.empty()) return fail(outputError);

  switch (dialog.outcome()) {
    case PrintDialogWindow::Outcome::Printed: return 0;
    case PrintDialogWindow::Outcome::Cancelled: return 1;
    default: break;
  }
  if (!dialog.printFailure().empty()) return 2;
  return dialog.printRefused() ? 3 : 0;
}
