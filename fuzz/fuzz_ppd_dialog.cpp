// PPD files: any bytes opened through libcups as printdialog opens a PPD,
// then a colour-pane dialog on the record (its control tables, menus,
// defaults, summary and print settings come from the PPD's options).
#include <cstdint>
#include <memory>
#include <string>

#include "colour_pane_dialog.h"
#include "scratch_root.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::scratchRoot() + "/input.ppd";
  if (!fuzzing::writeInput(path, data, size)) std::abort();
  auto host = std::make_shared<HostSession>();
  std::string error;
  if (!host->openPPD(path, &error)) return 0;
  host->setPrinter("Office", "lpd://192.0.2.20/queue");
  fuzzing::runColourPaneDialog(host);
  return 0;
}
