// PDECommon: summary entries and the pane's bundle.
#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

pdk::BundleRef pluginBundle;

// Identifier of the colour pane's bundle (its Info.plist).
static constexpr const char* kBundleIdentifier = "com.quorlin.print.pde.TLQ770-1.colorpane";

pdk::BundleRef PDECommon::commonGetBundle() {
  if (pluginBundle) return pluginBundle;
  return pdk::Bundle::bundleWithIdentifier(kBundleIdentifier);
}

int32_t PDECommon::commonGetSummaryText(const PDEControlRow* table, const pdk::Value& dict, const pdk::Value& array) {
  pdk::BundleRef bundle = commonGetBundle();
  if (!bundle) return kStatusOK;
  if (!dict.isDictionary() || !array.isArray()) return kStatusBadArgument;
  int32_t status = kStatusOK;
  for (const PDEControlRow* row = table; row && row->control; ++row) {
    if (!row->summaryKey) continue;
    std::string name = bundle->localizedString(row->summaryKey);
    std::optional<std::string> value = commonGetControlValueFromPPDWithNSString(row);
    if (name.empty() || !value) {
      status = kStatusRowSkipped;
      continue;
    }
    dict.set(name, pdk::Value(*value));
    array.append(pdk::Value(name));
  }
  return status;
}

int32_t PDECommon::commonGetSummaryTextQuickColor(const char* itemName, const std::string& value,
                                                  const pdk::Value& dict, const pdk::Value& array) {
  pdk::BundleRef bundle = commonGetBundle();
  if (!itemName || !bundle || !dict.isDictionary() || !array.isArray()) return kStatusBadArgument;
  std::string name = bundle->localizedString(itemName);
  if (name.empty()) return kStatusBadArgument;
  dict.set(name, pdk::Value(value));
  array.append(pdk::Value(name));
  return kStatusOK;
}

COLORPANE_NAMESPACE_END
