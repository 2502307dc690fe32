// Loading pane bundles: every "*.plugin" folder of a plug-ins folder is
// opened, its shared library loaded with dlopen(RTLD_LOCAL), and its entry
// object asked for printer-module panels.
#pragma once

#include <string>
#include <vector>

#include "pdk/pde.h"

struct LoadedPane {
  std::string name;  // bundle name without "pane": "color"
  pdk::BundleRef bundle;
  std::shared_ptr<pdk::PDEPlugIn> plugIn;
  pdk::PDEPanelRef panel;
  void* library = nullptr;
};

// The plug-ins folder beside the running program: bin/../plugins in a build
// tree, bin/../lib/tlq770-1/plugins once installed, else the build's folder.
std::string defaultPluginFolder();

// Load every pane of `folder` in name order. Bundles that cannot be loaded
// are reported in `warnings` and skipped.
std::vector<LoadedPane> loadPanes(const std::string& folder, const pdk::PDEHostCallbackRef& host,
                                  std::vector<std::string>* warnings);
