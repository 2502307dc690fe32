// The security pane's classes and functions live in their own namespace with
// a per-deliverable inline namespace, so two plug-ins loaded into one print
// dialog never share a symbol.
#pragma once

#define SECURITYPANE_NAMESPACE_BEGIN \
  namespace securitypane {           \
  inline namespace v_197ffbee_2f36_405f_af12_4c030be2452d {
#define SECURITYPANE_NAMESPACE_END \
  }                                \
  }
