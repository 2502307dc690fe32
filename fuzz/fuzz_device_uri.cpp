// Device URIs of the current printer, as profile discovery takes them apart:
// the protocol, the LPD net location, and a Bonjour name with its percent
// escapes. No helper program exists under the scratch root and D-Bus is out
// of reach, so nothing is started and Bonjour look-ups fail at once.
#include <stdlib.h>

#include <cstdint>
#include <memory>
#include <string>

#include "colorpane/pde_common.h"
#include "pdk/printing.h"
#include "scratch_root.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::scratchRoot();
  static const bool noBus = ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1) == 0;
  (void)noBus;
  std::string uri(reinterpret_cast<const char*>(data), size);

  colorpane::PDECommon::commoniGetProtocolByUrl(&uri);
  pdk::PrintSession session;
  session.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{"Fuzz", uri, "Fuzz"});
  colorpane::PDECommon::commonGetProfilesFromMIB(&session);
  return 0;
}
