// The command line of printdialog-gtk.
#pragma once

#include <string>
#include <vector>

#include "printer_session.h"
#include "script_runner.h"

struct GtkOptions {
  PrinterSource printer;  // --ppd, or a queue (--queue NAME, "" for the default)
  std::string out, title, screenshot, dumpWidgets;
  int copies = 1;
  std::vector<std::string> printFiles;
  std::vector<ScriptStep> steps;  // --do and --gtk-do, in order
  bool state = false, help = false;

  // Nobody sits at the screen: the run ends once the script has run out.
  bool batch() const { return !screenshot.empty() || !dumpWidgets.empty(); }
};

// Parse argv; false with a message.
bool parseGtkOptions(int argc, char** argv, GtkOptions* options, std::string* error);

// Print --help.
void printGtkHelp();
