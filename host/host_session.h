// HostSession: what the print dialog owns for one dialog: the printer's
// PPD (opened with libcups, defaults marked), the print session with its
// current printer, the job's print settings and the page format. It is the
// host callback object handed to every panel. The printer is a PPD file
// with a name and device URI given by hand, or a CUPS queue. Main thread
// only.
#pragma once

#include <memory>
#include <string>

#include "pdk/pde.h"

class CupsQueue;
struct ppd_size_s;

class HostSession : public pdk::PDEHostCallback {
 public:
  ~HostSession() override;
  // Open the PPD; false with a message when it cannot be read.
  bool openPPD(const std::string& path, std::string* error);
  // Take the printer from an open CUPS queue: its PPD with the user's
  // saved options as the PPD's defaults, the queue name as the printer
  // identifier, and its device URI. False with a message.
  bool openQueue(CupsQueue& queue, std::string* error);
  // Merge a property-list file of print settings; false with a message
  // when it is missing or not a dictionary.
  bool loadSettings(const std::string& path, std::string* error);
  void setPrinter(const std::string& id, const std::string& deviceURI);
  // Put the page format on the PPD's paper size `name` and mark it as the
  // PPD's page size; false with a message when the PPD has no such size.
  bool setPaper(const std::string& name, std::string* error);

  ppd_file_s* ppdFile() override { return ppd_; }
  pdk::PrintSettings* printSettings() override { return &settings_; }
  pdk::PrintSession* printSession() override { return &session_; }
  pdk::PageFormat* pageFormat() override { return &pageFormat_; }

 private:
  // Start the page format on the PPD's marked paper.
  void setPaperFromPPD();
  void setPaperFromSize(const ppd_size_s& size);

  ppd_file_s* ppd_ = nullptr;
  pdk::PrintSettings settings_;
  pdk::PrintSession session_;
  pdk::PageFormat pageFormat_;
};
