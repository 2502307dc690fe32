#include "colorpane/pde_plugin.h"

#include "colorpane/pde_common.h"
#include "colorpane/pde_plugin_interface.h"

COLORPANE_NAMESPACE_BEGIN

bool PDEPlugIn::initWithBundle(const pdk::BundleRef& bundle) {
  if (!pluginBundle) pluginBundle = bundle;
  return true;
}

std::unique_ptr<pdk::PDEPanelList> PDEPlugIn::PDEPanelsForType(const std::string& type,
                                                               const pdk::PDEHostCallbackRef& host) {
  auto panels = std::make_unique<pdk::PDEPanelList>();
  if (type == pdk::kPrinterModulePanelType) {
    auto panel = std::make_shared<PDEPlugInInterface>();
    panel->initWithCallback(host);
    panels->push_back(panel);
  }
  if (panels->empty()) return nullptr;
  return panels;
}

COLORPANE_NAMESPACE_END
