// One colour-pane dialog on a host session, as printdialog drives it: load
// and restore (the control tables are built from the PPD record), save, the
// summary, the print step, and a second restore of what was saved.
#pragma once

#include <memory>
#include <string>

#include "colorpane/pde_common.h"
#include "colorpane/pde_plugin_interface.h"
#include "host_session.h"
#include "pdk/bundle.h"

namespace fuzzing {

inline void runColourPaneDialog(const std::shared_ptr<HostSession>& host) {
  static const pdk::BundleRef bundle = pdk::Bundle::open(std::string(TLQ_BINARY_DIR) + "/plugins/colorpane.plugin");
  if (!bundle) std::abort();  // the target was built without its bundle
  colorpane::pluginBundle = bundle;

  auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
  panel->initWithCallback(host);
  std::string ignored;
  panel->restoreValuesAndReturnError(&ignored);
  panel->saveValuesAndReturnError(&ignored);
  panel->summaryInfo();
  panel->shouldPrint();
  panel->restoreValuesAndReturnError(&ignored);
  panel->terminate();
}

}  // namespace fuzzing
