// The colour pane's classes live in their own namespace with a per-build
// inline namespace, so two plug-ins loaded into one print dialog never share
// a symbol.
#pragma once

#define COLORPANE_NAMESPACE_BEGIN \
  namespace colorpane {           \
  inline namespace v_7c0d353e_2cfd_4e3c_a506_e8a53eb347e2 {
#define COLORPANE_NAMESPACE_END \
  }                             \
  }
