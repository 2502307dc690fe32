// PDEPlugIn: the bundle's entry object. The print dialog hands it the
// bundle and asks it for panels of a type; it offers the colour panel for
// printer-module panels only.
#pragma once

#include "colorpane/namespace.h"
#include "pdk/pde.h"

COLORPANE_NAMESPACE_BEGIN

class PDEPlugIn : public pdk::PDEPlugIn {
 public:
  const char* className() const override { return "PDEPlugIn"; }
  bool initWithBundle(const pdk::BundleRef& bundle) override;
  std::unique_ptr<pdk::PDEPanelList> PDEPanelsForType(const std::string& type,
                                                      const pdk::PDEHostCallbackRef& host) override;
};

COLORPANE_NAMESPACE_END
