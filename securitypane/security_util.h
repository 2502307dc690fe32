// SecurityUtil: the required-field alert of the security panel, its message
// texts from the pane's strings and the modal alert that shows them. Main
// thread only (the alert is modal).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

class SecurityUtil {
 public:
  // The message for an empty or short item: with `loadTiming` the
  // localised "EmptyStringAlert" filled with (item, action, item), else
  // "EmptyStringAlertOnChange" with (action, item). None when no bundle is
  // registered as `bundleIdentifier`.
  static std::optional<std::string> SecurityEmptyAlert(const std::string& bundleIdentifier,
                                                       const std::string& actionKey, const std::string& itemKey,
                                                       bool loadTiming);
  // Show `message` in a modal alert with the default button only; return
  // when the user dismisses it.
  static void showAlert(const std::string& message);
  // Answers none; the panel has no numeric field to check.
  static std::optional<std::string> BoxNumberZeroValueAlert(const std::string& itemKey);
};

// `format` with each "%@" replaced by the next argument and each "%N$@" by
// argument N; "%%" is "%". Anything else stays as it is, so a translated
// format can never read a missing argument.
std::string formatWithObjects(const std::string& format, const std::vector<std::string>& arguments);

SECURITYPANE_NAMESPACE_END
