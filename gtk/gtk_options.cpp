#include "gtk_options.h"

#include <cstdio>

#include "gtk_actions.h"
#include "script_actions.h"

void printGtkHelp() {
  std::printf(
      "usage: printdialog-gtk [--queue NAME | --ppd PATH] [options] [--print FILE...]\n"
      "The print dialog in a window: choose a printer, set the panes' options, press Print.\n\n"
      "  --queue NAME         open CUPS queue NAME first (default: the user's default destination);\n"
      "                       the printer chooser offers every CUPS destination\n"
      "  --ppd PATH           a PPD file without CUPS instead; Print then sends no job\n"
      "  --printer-id ID      with --ppd: the printer's identifier (default: the file name)\n"
      "  --device-uri URI     with --ppd: the printer's device URI\n"
      "  --settings IN.plist  print settings to start from\n"
      "  --plugins DIR        folder of *.plugin pane bundles (default: the build's plugins folder)\n"
      "  --print FILE|-       a document of the job (repeatable; - for standard input); Print sends\n"
      "                       them to the queue as one job, or only applies the panes without any\n"
      "  --title TEXT         the job's title (default: the first document's name)\n"
      "  --copies N           the number of copies to start with (1 to 9999)\n"
      "  --do 'ACTION'        a user action on the model, as printdialog carries it out (repeatable)\n"
      "  --gtk-do 'ACTION'    a user action through the GTK widgets (repeatable; see below); both\n"
      "                       kinds run in the order given, after the window has been drawn\n"
      "  --screenshot PNG     once the actions have run, draw the window in front (a pane's modal\n"
      "                       window, or the dialog) into PNG and end\n"
      "  --dump-widgets JSON  once the actions have run, write every widget (class, frame, title,\n"
      "                       sensitivity, visibility, value) as JSON and end\n"
      "  --state              when the run ends, print every control's state as JSON (as printdialog)\n"
      "  --out OUT.plist      when the run ends, write the print settings as an XML property list\n"
      "  --help               this text\n\n"
      "With --screenshot or --dump-widgets nobody is at the screen: alerts and open panels are\n"
      "drawn and then answered as printdialog answers them, and a modal window still open when the\n"
      "actions run out ends as a cancel. Otherwise the dialog waits for the user after the actions.\n"
      "Exit status: 0 printed (or the actions ran out in a run that ends then); 1 cancelled;\n"
      "2 bad input, a failed action or a job the server refused; 3 the run ended after the panes\n"
      "refused the last Print.\n\n"
      "Actions of --do:\n%s\nActions of --gtk-do:\n%s",
      actionHelp(), gtkActionHelp());
}

bool parseGtkOptions(int argc, char** argv, GtkOptions* o, std::string* error) {
  bool useQueue = false;
  std::string copies;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string* dst) {
      if (i + 1 >= argc) {
        *error = a + " needs a value";
        return false;
      }
      *dst = argv[++i];
      return true;
    };
    bool ok = true;
    if (a == "--help" || a == "-h") o->help = true;
    else if (a == "--state") o->state = true;
    else if (a == "--ppd") ok = value(&o->printer.ppd);
    else if (a == "--queue") {
      useQueue = true;
      ok = value(&o->printer.queue);
    }
    else if (a == "--printer-id") ok = value(&o->printer.printerId);
    else if (a == "--device-uri") ok = value(&o->printer.deviceURI);
    else if (a == "--settings") ok = value(&o->printer.settings);
    else if (a == "--plugins") ok = value(&o->printer.plugins);
    else if (a == "--print") ok = value(&o->printFiles.emplace_back());
    else if (a == "--title") ok = value(&o->title);
    else if (a == "--copies") ok = value(&copies);
    else if (a == "--do") ok = value(&o->steps.emplace_back().action);
    else if (a == "--gtk-do") {
      ok = value(&o->steps.emplace_back().action);
      o->steps.back().throughGtk = true;
    }
    else if (a == "--screenshot") ok = value(&o->screenshot);
    else if (a == "--dump-widgets") ok = value(&o->dumpWidgets);
    else if (a == "--out") ok = value(&o->out);
    else {
      *error = "unknown option " + a + " (see --help)";
      return false;
    }
    if (!ok) return false;
  }
  if (o->help) return true;
  if (useQueue && !o->printer.ppd.empty()) {
    *error = "--ppd and --queue exclude each other";
    return false;
  }
  if (o->printer.ppd.empty() && (!o->printer.printerId.empty() || !o->printer.deviceURI.empty())) {
    *error = "--printer-id and --device-uri come from the queue without --ppd";
    return false;
  }
  if (!copies.empty()) {
    o->copies = copies.size() <= 4 && copies.find_first_not_of("0123456789") == std::string::npos ? std::stoi(copies) : 0;
    if (o->copies < 1) {
      *error = "--copies needs a whole number from 1 to 9999, not '" + copies + "'";
      return false;
    }
  }
  return true;
}
