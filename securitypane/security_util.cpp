#include "securitypane/security_util.h"

#include "pdk/toolkit.h"
#include "securitypane/security_table.h"

SECURITYPANE_NAMESPACE_BEGIN

std::optional<std::string> SecurityUtil::SecurityEmptyAlert(const std::string& bundleIdentifier,
                                                            const std::string& actionKey, const std::string& itemKey,
                                                            bool loadTiming) {
  const std::optional<std::string> item = localizedString(bundleIdentifier, itemKey);
  const std::optional<std::string> action = localizedString(bundleIdentifier, actionKey);
  if (!item || !action) return std::nullopt;
  if (loadTiming) {
    return formatWithObjects(localizedString(bundleIdentifier, "EmptyStringAlert").value_or(""),
                             {*item, *action, *item});
  }
  return formatWithObjects(localizedString(bundleIdentifier, "EmptyStringAlertOnChange").value_or(""),
                           {*action, *item});
}

void SecurityUtil::showAlert(const std::string& message) {
  pdk::Alert alert;
  alert.setMessageText(message);
  alert.setInformativeText("");
  alert.runModal();
}

std::optional<std::string> SecurityUtil::BoxNumberZeroValueAlert(const std::string&) { return std::nullopt; }

std::string formatWithObjects(const std::string& format, const std::vector<std::string>& arguments) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
    } else if (format[i + 1] == '@') {
      if (next < arguments.size()) out += arguments[next];
      ++next;
      ++i;
    } else if (size_t dollar = format.find("$@", i + 1);
               dollar != std::string::npos && dollar > i + 1 && dollar - i <= 3 &&
               format.find_first_not_of("0123456789", i + 1) == dollar) {
      const size_t position = std::stoul(format.substr(i + 1, dollar - i - 1));
      if (position >= 1 && position <= arguments.size()) out += arguments[position - 1];
      i = dollar + 1;
    } else {
      out += '%';
    }
  }
  return out;
}

SECURITYPANE_NAMESPACE_END
