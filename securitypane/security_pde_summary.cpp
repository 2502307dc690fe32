// The security panel's summary: print mode, user authentication (with the
// user name for a private user) and section management (with the section
// name when it is on). Passwords never appear.
#include "pdk/syslog.h"
#include "securitypane/edit_info_table.h"
#include "securitypane/security_pde.h"
#include "securitypane/security_table.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

constexpr const char* kSummaryOrderKey = "Summary Display Order";

int32_t rowIndexOfKey(const SecurityRow* rows, const char* key) {
  for (int32_t i = 0; rows[i].kind != kSecurityKindEnd; ++i) {
    if (rows[i].key && std::string(rows[i].key) == key) return i;
  }
  return -1;
}

bool rowValueIs(const SecurityRow* rows, const char* key, const char* value) {
  const int32_t index = rowIndexOfKey(rows, key);
  return index >= 0 && rows[index].value == value;
}

}  // namespace

pdk::Value SecurityPDE::summaryInfo() {
  pdk::Value dict = pdk::Value::dictionary();
  SecurityRow* rows = table();
  if (!rows) {
    pdk::systemLog(pdk::LogPriority::Error, "[Security]summaryInfo");
    return dict;
  }
  pdk::Value order = pdk::Value::array();
  for (int32_t i = 0; rows[i].kind != kSecurityKindEnd; ++i) {
    const SecurityRow& row = rows[i];
    if (!row.key) continue;
    const std::string key = row.key;
    if (key == kPrintModeKey) {
      summarySupport(i, dict, order);
    } else if (key == kAuthenticationKey) {
      const std::string title = pluginBundle ? pluginBundle->localizedString(row.titleKey) : row.titleKey;
      const bool privateUser = row.value == kValueTrue && rowValueIs(rows, kUserTypeKey, kUserTypePrivate);
      const char* userType = privateUser ? "UserTypePrivate" : "UserTypePublic";
      order.append(pdk::Value(title));
      dict.set(title, pdk::Value(pluginBundle ? pluginBundle->localizedString(userType) : userType));
      if (privateUser) summarySupport(rowIndexOfKey(rows, kUserNameKey), dict, order);
    } else if (key == kSectionManagementKey) {
      summarySupport(i, dict, order);
      if (row.value == kValueTrue) summarySupport(rowIndexOfKey(rows, kSectionNameKey), dict, order);
    }
  }
  dict.set(kSummaryOrderKey, order);
  return dict;
}

void SecurityPDE::summarySupport(int32_t index, const pdk::Value& summaryDict, const pdk::Value& summaryArray) {
  SecurityRow* rows = table();
  if (!rows || index < 0 || index >= static_cast<int32_t>(SecurityTable.size()) - 1) return;
  const SecurityRow& row = rows[index];
  if (!row.titleKey || !pluginBundle) return;
  const std::string title = pluginBundle->localizedString(row.titleKey);
  const std::optional<std::string> text = getLocalizeValueFromControl(&row, ppd);
  if (!text) return;
  summaryArray.append(pdk::Value(title));
  summaryDict.set(title, pdk::Value(*text));
}

SECURITYPANE_NAMESPACE_END
