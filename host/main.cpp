// printdialog: a headless, scriptable print dialog. It opens a printer's
// PPD, loads the pane bundles, drives each panel through the dialog's
// protocol in the order a print dialog does, carries out scripted user
// actions, and writes the job's print settings, summaries and control state.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cups_job.h"
#include "cups_queue.h"
#include "cups_user_defaults.h"
#include "dialog_script.h"
#include "host_session.h"
#include "json_report.h"
#include "pane_loader.h"
#include "pdk/plist.h"
#include "script_actions.h"

namespace {

struct Options {
  std::string ppd, printerId, deviceURI, settings, plugins, out, paper;
  std::vector<std::string> actions;
  bool summary = false, state = false, help = false;
  // The printer as a CUPS queue ("" with useQueue: the default destination).
  bool useQueue = false, saveDefaults = false;
  std::string queue, title, copies;
  std::vector<std::string> printFiles;
};

void printHelp() {
  std::printf(
      "usage: printdialog --ppd PATH [options]\n"
      "       printdialog --queue [NAME] [options] [--print FILE...]\n"
      "Open the print dialog's panes for a printer, run scripted actions, report, and print.\n\n"
      "  --ppd PATH           the printer's PPD file\n"
      "  --queue [NAME]       a CUPS queue instead: its PPD, its name as the printer's identifier and its\n"
      "                       device URI; the user's saved options (lpoptions) preselect PPD choices.\n"
      "                       Without NAME: the user's default destination\n"
      "  --print FILE|-       with --queue: after every pane agreed to print, send FILE (repeatable;\n"
      "                       - for standard input) as one job whose options are the print settings'\n"
      "                       top-level entries\n"
      "  --title TEXT         the job's title (default: the first file's name)\n"
      "  --copies N           the number of copies\n"
      "  --save-defaults      with --queue: save the PPD choices of the panes as the user's saved\n"
      "                       options for the queue (lpoptions)\n"
      "  --printer-id ID      the printer's identifier (default: the PPD file name without extension)\n"
      "  --device-uri URI     the printer's device URI (default: none)\n"
      "  --paper NAME         the page format's paper, a PPD page size name (default: the PPD's\n"
      "                       marked size, the default size or the queue's saved one)\n"
      "  --settings IN.plist  print settings to start from (an XML or binary property list)\n"
      "  --plugins DIR        folder of *.plugin pane bundles (default: the build's plugins folder)\n"
      "  --do 'ACTION'        a user action, repeatable, carried out in order (see below)\n"
      "  --out OUT.plist|-    write the final print settings as an XML property list\n"
      "  --summary            print every pane's summary as JSON\n"
      "  --state              print every control's state as JSON\n"
      "  --help               this text\n\n"
      "The dialog loads every pane, then per pane calls supportedPPDOptionKeys, restoreValues,\n"
      "panelView and willShow; then the actions; then saveValues, summaryInfo and shouldPrint.\n"
      "Exit status: 0 printed; 2 bad input or a failed action; 3 a pane's final shouldPrint said no\n"
      "(the dialog does not print; --out, --summary and --state are still written).\n\n"
      "Actions:\n%s",
      actionHelp());
}

// The number of copies in `text`, 0 when it is not a whole number from 1 to
// 9999 (the most a CUPS server takes by default).
int copiesValue(const std::string& text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoi(text);
}

bool parseOptions(int argc, char** argv, Options* o, std::string* error) {
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
    if (a == "--help" || a == "-h") o->help = true;
    else if (a == "--summary") o->summary = true;
    else if (a == "--state") o->state = true;
    else if (a == "--ppd") { if (!value(&o->ppd)) return false; }
    else if (a == "--printer-id") { if (!value(&o->printerId)) return false; }
    else if (a == "--device-uri") { if (!value(&o->deviceURI)) return false; }
    else if (a == "--paper") { if (!value(&o->paper)) return false; }
    else if (a == "--settings") { if (!value(&o->settings)) return false; }
    else if (a == "--plugins") { if (!value(&o->plugins)) return false; }
    else if (a == "--out") { if (!value(&o->out)) return false; }
    else if (a == "--queue") {
      o->useQueue = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') o->queue = argv[++i];
    }
    else if (a == "--print") { if (!value(&o->printFiles.emplace_back())) return false; }
    else if (a == "--title") { if (!value(&o->title)) return false; }
    else if (a == "--copies") { if (!value(&o->copies)) return false; }
    else if (a == "--save-defaults") o->saveDefaults = true;
    else if (a == "--do") {
      std::string act;
      if (!value(&act)) return false;
      o->actions.push_back(act);
    } else {
      *error = "unknown option " + a + " (see --help)";
      return false;
    }
  }
  if (o->help) return true;
  if (o->ppd.empty() && !o->useQueue) {
    *error = "--ppd is required, or --queue (see --help)";
    return false;
  }
  if (!o->ppd.empty() && o->useQueue) {
    *error = "--ppd and --queue exclude each other";
    return false;
  }
  if (o->useQueue && (!o->printerId.empty() || !o->deviceURI.empty())) {
    *error = "--printer-id and --device-uri come from the queue with --queue";
    return false;
  }
  if (!o->useQueue && (!o->printFiles.empty() || o->saveDefaults)) {
    *error = std::string(o->saveDefaults ? "--save-defaults" : "--print") + " needs --queue";
    return false;
  }
  if (o->printFiles.empty() && (!o->title.empty() || !o->copies.empty())) {
    *error = std::string(o->title.empty() ? "--copies" : "--title") + " needs --print";
    return false;
  }
  if (!o->copies.empty() && copiesValue(o->copies) == 0) {
    *error = "--copies needs a whole number from 1 to 9999, not '" + o->copies + "'";
    return false;
  }
  return true;
}

std::string baseNameWithoutExtension(const std::string& path) {
  std::string base = path.substr(path.find_last_of('/') + 1);
  auto dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

int fail(const std::string& message) {
  std::fprintf(stderr, "printdialog: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  std::string error;
  if (!parseOptions(argc, argv, &opt, &error)) return fail(error);
  if (opt.help) {
    printHelp();
    return 0;
  }

  // The documents are opened first: a file that cannot be read stops the
  // print before anything else happens.
  PrintDocuments documents;
  for (const std::string& file : opt.printFiles)
    if (!documents.add(file, &error)) return fail(error);

  auto host = std::make_shared<HostSession>();
  CupsQueue queue;
  if (opt.useQueue) {
    if (!queue.open(opt.queue, &error) || !host->openQueue(queue, &error)) return fail(error);
  } else {
    if (!host->openPPD(opt.ppd, &error)) return fail(error);
    host->setPrinter(opt.printerId.empty() ? baseNameWithoutExtension(opt.ppd) : opt.printerId, opt.deviceURI);
  }
  if (!opt.paper.empty() && !host->setPaper(opt.paper, &error)) return fail(error);
  if (!opt.settings.empty() && !host->loadSettings(opt.settings, &error)) return fail(error);

  std::vector<std::string> warnings;
  std::string folder = opt.plugins.empty() ? defaultPluginFolder() : opt.plugins;
  std::vector<LoadedPane> panes = loadPanes(folder, host, &warnings);
  for (auto& w : warnings) std::fprintf(stderr, "printdialog: warning: %s\n", w.c_str());
  if (panes.empty()) return fail("no pane could be loaded from " + folder);

  // The dialog opens each pane, the user acts, then prints.
  DialogScript dialog(panes, opt.actions);
  dialog.changePaper = [&](const std::string& name, std::string* why) { return host->setPaper(name, why); };
  dialog.openPanes();
  if (!dialog.runActions(&error)) return fail(error);
  std::vector<std::pair<std::string, pdk::Value>> summaries;
  bool panesAgree = dialog.printPanes(&summaries);

  if (!opt.out.empty()) {
    const pdk::Value& settings = host->printSettings()->dictionary();
    if (opt.out == "-") {
      std::cout << pdk::plistToXml(settings);
    } else if (!pdk::writePlistFile(opt.out, settings)) {
      return fail("cannot write " + opt.out);
    }
  }
  if (opt.summary) std::cout << summaryReport(summaries).dump(2) << "\n";
  if (opt.state) std::cout << stateReport(dialog).dump(2) << "\n";

  // Only a print every pane agreed to saves defaults or reaches the queue.
  const pdk::Value& settings = host->printSettings()->dictionary();
  if (panesAgree && opt.saveDefaults &&
      !saveUserDefaults(queue, ppdChoicesInSettings(host->ppdFile(), settings), &error))
    return fail(error);
  if (panesAgree && !documents.empty()) {
    int job = submitDialogJob(queue, documents, settings, opt.title, copiesValue(opt.copies), &error);
    if (job == 0) return fail(error);
    std::cout << "request id is " << queue.name() << "-" << job << " (" << documents.count() << " file(s))\n";
  }

  for (auto& pane : panes) pane.panel->terminate();
  return panesAgree ? 0 : 3;
}
