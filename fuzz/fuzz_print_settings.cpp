// Print settings files (printdialog --settings): any bytes read as a
// property list into the job's print settings, then a colour-pane dialog
// that restores its controls from them and writes them back.
#include <cstdint>
#include <memory>
#include <string>

#include "colour_pane_dialog.h"
#include "scratch_root.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::scratchRoot() + "/input.plist";
  if (!fuzzing::writeInput(path, data, size)) std::abort();
  auto host = std::make_shared<HostSession>();
  std::string error;
  if (!host->openPPD(std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd", &error)) std::abort();
  host->setPrinter("Office", "lpd://192.0.2.20/queue");
  if (!host->loadSettings(path, &error)) return 0;
  fuzzing::runColourPaneDialog(host);
  return 0;
}
