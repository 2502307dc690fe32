// SecurityPDEPlugIn: the bundle's entry object. It keeps the first bundle
// the dialog hands it and offers one security panel for printer-module
// panels, none for other types or when the panel cannot be built.
#pragma once

#include "pdk/pde.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

class SecurityPDEPlugIn : public pdk::PDEPlugIn {
 public:
  const char* className() const override { return "SecurityPDEPlugIn"; }
  bool initWithBundle(const pdk::BundleRef& bundle) override;
  std::unique_ptr<pdk::PDEPanelList> PDEPanelsForType(const std::string& type,
                                                      const pdk::PDEHostCallbackRef& host) override;

  pdk::BundleRef Bundle;
};

SECURITYPANE_NAMESPACE_END
