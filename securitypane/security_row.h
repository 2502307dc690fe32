// A security row: one control of the security panel with the key it is
// stored under, the localisation key of its title, and its current value.
// The panel keeps its rows in SecurityTable, an array ending in a row of
// kind kSecurityKindEnd. Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdk/toolkit.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// Row kinds.
inline constexpr int16_t kSecurityKindStaticText = 2;
inline constexpr int16_t kSecurityKindPopUp = 3;
inline constexpr int16_t kSecurityKindCheckBox = 4;
inline constexpr int16_t kSecurityKindRadioGroup = 5;
inline constexpr int16_t kSecurityKindEditText = 6;
inline constexpr int16_t kSecurityKindEnd = -1;

// Values of the check boxes (also their PPD choice keys) and of the user type.
inline constexpr const char* kValueTrue = "True";
inline constexpr const char* kValueFalse = "False";
inline constexpr const char* kUserTypePublic = "public";
inline constexpr const char* kUserTypePrivate = "private";

// Keys of the PPD-backed rows and of the user type and login name entries.
inline constexpr const char* kPrintModeKey = "PrintModeTLQ770";
inline constexpr const char* kAuthenticationKey = "ZNAuthenticationTLQ770";
inline constexpr const char* kSectionManagementKey = "ZNSectionManagementTLQ770";
inline constexpr const char* kUserTypeKey = "quorlin.printers.TLQ770-1.userType";
inline constexpr const char* kLoginNameKey = "quorlin.printers.TLQ770-1.loginName";

struct SecurityRow {
  pdk::View* control = nullptr;  // not owned: the panel's view description holds it
  int16_t kind = kSecurityKindEnd;
  const char* key = nullptr;       // PPD main keyword or print-settings key; none for labels
  const char* titleKey = nullptr;  // none for the radio group
  std::optional<std::string> value;
  bool appendColon = false;  // labels: ":" after the title
};

SECURITYPANE_NAMESPACE_END
