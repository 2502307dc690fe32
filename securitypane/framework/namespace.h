// The security pane's framework has a namespace and inline namespace of its
// own: its names repeat the colour pane's (text fields, PDECommon-style
// helpers) with other rules, and the two must never meet in one process.
#pragma once

#define SECURITY_FRAMEWORK_NAMESPACE_BEGIN \
  namespace securityframework {           \
  inline namespace v_c9e2eda1_d919_4c98_8004_6f8e683512ed {
#define SECURITY_FRAMEWORK_NAMESPACE_END \
  }                                      \
  }
