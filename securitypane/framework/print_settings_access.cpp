#include "securitypane/framework/print_settings_access.h"

#include <functional>
#include <limits>

#include "securitypane/framework/status.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

// The raw value, or the platform status for none.
int32_t rawValue(const pdk::PrintSettings* settings, const std::string& key, pdk::Value* value) {
  if (!settings || !value) return pdk::kPMInvalidParameter;
  *value = pdk::PMPrintSettingsGetValue(settings, key);
  return value->isNull() ? pdk::kPMKeyNotFound : pdk::kPMNoError;
}

// The value under `key` when `hasType` accepts it, read with `read`: the
// platform status when there is none, -1 for another type.
template <typename T, typename HasType, typename Read>
int32_t typedValue(const pdk::PrintSettings* settings, const std::string& key, T* value, HasType hasType, Read read) {
  if (!value) return pdk::kPMInvalidParameter;
  pdk::Value raw;
  const int32_t status = rawValue(settings, key, &raw);
  if (status != pdk::kPMNoError) return status;
  if (!std::invoke(hasType, raw)) return kNotApplicable;
  *value = read(raw);
  return pdk::kPMNoError;
}

int32_t orientationCode(int orientation) {
  switch (orientation) {
    case pdk::kPMPortrait: return 1;
    case pdk::kPMLandscape: return 2;
    case pdk::kPMReversePortrait: return 4;
    case pdk::kPMReverseLandscape: return 3;
    default: return -1;
  }
}

}  // namespace

int32_t ZNGetPrintSettings(ZNPDECoreSession* session, pdk::PrintSettings** settings) {
  if (!session || !session->object || !settings) return kNotApplicable;
  *settings = session->object->printSettings();
  return *settings ? kNoErr : kNotApplicable;
}

int32_t ZNGetPageFormat(ZNPDECoreSession* session, pdk::PageFormat** format) {
  if (!session || !session->object || !format) return kNotApplicable;
  *format = session->object->pageFormat();
  return *format ? kNoErr : kNotApplicable;
}

bool ZNIsPrintSettingsItem(const pdk::PrintSettings* settings, const std::string& key) {
  return !pdk::PMPrintSettingsGetValue(settings, key).isNull();
}

int32_t ZNPrintSettingsSetItem(pdk::PrintSettings* settings, int32_t, const std::string& key, const pdk::Value& value,
                               bool) {
  return pdk::PMPrintSettingsSetValue(settings, key, value);
}

int32_t ZNPrintSettingsGetCFDictionary(const pdk::PrintSettings* settings, const std::string& key, pdk::Value* value) {
  return rawValue(settings, key, value);
}

int32_t ZNPrintSettingsGetCFNumber(const pdk::PrintSettings* settings, const std::string& key, pdk::Value* value) {
  return rawValue(settings, key, value);
}

int32_t ZNPrintSettingsGetString(const pdk::PrintSettings* settings, const std::string& key, std::string* value) {
  return typedValue(settings, key, value, &pdk::Value::isString,
                    [](const pdk::Value& raw) { return raw.asString(); });
}

int32_t ZNPrintSettingsGetBoolean(const pdk::PrintSettings* settings, const std::string& key, bool* value) {
  return typedValue(settings, key, value, &pdk::Value::isBool, [](const pdk::Value& raw) { return raw.asBool(); });
}

int32_t ZNPrintSettingsGetSInt32(const pdk::PrintSettings* settings, const std::string& key, int32_t* value) {
  auto isNumber = [](const pdk::Value& raw) { return raw.isInteger() || raw.isReal(); };
  // A number outside 32 bits is cut to the nearest limit.
  auto toInt32 = [](const pdk::Value& raw) {
    const double n = raw.isInteger() ? static_cast<double>(raw.asInteger()) : raw.asReal();
    if (n >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (n <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(n);
  };
  return typedValue(settings, key, value, isNumber, toInt32);
}

int32_t ZNPrintSettingsGetPaperName(ZNPDECoreSession*, const pdk::PrintSettings* settings,
                                    std::optional<std::string>* name) {
  if (!settings || !name) return kParamErr;
  *name = std::nullopt;
  pdk::PageFormat format;
  if (pdk::PMPageFormatCreateWithDataRepresentation(settings->dictionary(), &format) != pdk::kPMNoError) {
    return pdk::kPMNoError;
  }
  std::string paperName;
  const int32_t status = pdk::PMPaperGetName(&format.paper, &paperName);
  if (status == pdk::kPMNoError) *name = paperName;
  return status;
}

int32_t ZNPageFormatGetSInt32(const pdk::PageFormat* format, const std::string& key, int32_t* value) {
  if (key != pdk::kPMOrientationKey || !value) return kNotApplicable;
  int orientation = 0;
  const int32_t status = pdk::PMGetOrientation(format, &orientation);
  *value = status == pdk::kPMNoError ? orientationCode(orientation) : -1;
  return status;
}

int32_t ZNPageFormatGetPaperName(const pdk::PageFormat* format, std::string* name) {
  const pdk::Paper* paper = nullptr;
  const int32_t status = pdk::PMGetPageFormatPaper(format, &paper);
  if (status != pdk::kPMNoError) return status;
  return pdk::PMPaperGetName(paper, name);
}

int32_t ZNPageFormatGetOrientation(const pdk::PageFormat* format, int32_t* orientation) {
  int raw = 0;
  const int32_t status = pdk::PMGetOrientation(format, &raw);
  if (status == pdk::kPMNoError && orientation) *orientation = raw;
  return orientation ? status : pdk::kPMInvalidParameter;
}

int32_t ZNGetDocumentPaperRect(ZNPDECoreSession* session, pdk::PMRect* rect) {
  pdk::PageFormat* format = nullptr;
  if (!rect || ZNGetPageFormat(session, &format) != kNoErr) return kNotApplicable;
  return pdk::PMGetUnadjustedPaperRect(format, rect);
}

SECURITY_FRAMEWORK_NAMESPACE_END
