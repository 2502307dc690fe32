#include "securitypane/security_pde_plugin.h"

#include "securitypane/security_pde.h"

SECURITYPANE_NAMESPACE_BEGIN

bool SecurityPDEPlugIn::initWithBundle(const pdk::BundleRef& bundle) {
  if (!Bundle) Bundle = bundle;
  return true;
}

std::unique_ptr<pdk::PDEPanelList> SecurityPDEPlugIn::PDEPanelsForType(const std::string& type,
                                                                       const pdk::PDEHostCallbackRef& host) {
  auto panels = std::make_unique<pdk::PDEPanelList>();
  if (type != pdk::kPrinterModulePanelType) return panels;
  auto panel = std::make_shared<SecurityPDE>();
  if (!panel->initWithCallback(host, Bundle)) return nullptr;
  panels->push_back(panel);
  return panels;
}

SECURITYPANE_NAMESPACE_END
