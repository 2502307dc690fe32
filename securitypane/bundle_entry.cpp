// The entry symbol the print dialog looks up in the bundle.
#include "securitypane/security_pde_plugin.h"

extern "C" __attribute__((visibility("default"))) pdk::PDEPlugIn* PDEPlugInCreate() {
  return new securitypane::SecurityPDEPlugIn();
}
