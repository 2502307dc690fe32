// PrinterSession: one printer open in the windowed dialog: the host session
// on the printer's PPD (a file, or a CUPS queue's), the panes loaded for it,
// and the DialogScript through which every call into a pane goes (alerts
// and answers listed per pane, the print sequence, the reports). Choosing
// another printer makes a new session. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cups_queue.h"
#include "dialog_script.h"
#include "host_session.h"
#include "pane_loader.h"

// Where the printer comes from.
struct PrinterSource {
  std::string ppd;        // a PPD file without CUPS, or
  std::string queue;      // a CUPS queue ("" with a PPD)
  std::string printerId;  // with a PPD: the printer's identifier ("" for the file name)
  std::string deviceURI;  // with a PPD
  std::string settings;   // print settings to start from, or ""
  std::string plugins;    // the panes' folder, or "" for the default
};

class PrinterSession {
 public:
  // Open the printer and load its panes (not yet opened: see openPanes);
  // null with a message.
  static std::unique_ptr<PrinterSession> open(const PrinterSource& source, std::string* error);
  // The panes drop their references to the host.
  ~PrinterSession();
  PrinterSession(const PrinterSession&) = delete;
  PrinterSession& operator=(const PrinterSession&) = delete;

  // The dialog opens each pane (supportedPPDOptionKeys, restoreValues,
  // panelView, willShow); call once the front end is in place.
  void openPanes() { dialog_->openPanes(); }

  DialogScript& dialog() { return *dialog_; }
  std::vector<LoadedPane>& panes() { return panes_; }
  HostSession& host() { return *host_; }
  // The CUPS queue, or null for a PPD file.
  CupsQueue* queue() { return queue_.get(); }

 private:
  PrinterSession() = default;

  std::shared_ptr<HostSession> host_;
  std::unique_ptr<CupsQueue> queue_;
  std::vector<LoadedPane> panes_;
  std::unique_ptr<DialogScript> dialog_;
};

// The printer identifier of a PPD file: its name without the extension.
std::string printerIdOfPPD(const std::string& path);
