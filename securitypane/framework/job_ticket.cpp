#include "securitypane/framework/job_ticket.h"

#include "pdk/syslog.h"
#include "pdk/text.h"
#include "securitypane/framework/control_data.h"
#include "securitypane/framework/cups_ppd.h"
#include "securitypane/framework/ppd_access.h"
#include "securitypane/framework/print_settings_access.h"
#include "securitypane/framework/status.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

// Longest key and choice PDECustomSetJobTicketPPDDict marks.
constexpr size_t kMaxMarkedASCII = 254;

bool isAscii(const std::string& text) {
  for (unsigned char c : text) {
    if (c > 0x7f) return false;
  }
  return true;
}

// A text libcups may be handed: no NUL inside, at most `maxBytes`.
bool fitsCText(const std::string& text, size_t maxBytes) {
  return text.size() <= maxBytes && text.find('\0') == std::string::npos;
}

void markUnlessMarked(ppd_file_t* ppd, const std::string& key, const std::string& choice) {
  if (!ppdIsMarked(ppd, key.c_str(), choice.c_str())) ppdMarkOption(ppd, key.c_str(), choice.c_str());
}

void storeInPrinterDictionary(ZNPDECoreSession* session, const std::string& key, const std::string& value) {
  pdk::Value dictionary = PDECoreGetModelDictionary(session);
  if (dictionary.isDictionary()) dictionary.set(key, pdk::Value(value));
}

}  // namespace

int32_t PDECustomGetJobTicketPPDDict(ZNPDECoreSession* session, const std::string& key, std::string* value) {
  pdk::Value dictionary = PDECoreGetModelDictionary(session);
  if (!dictionary.isDictionary()) {
    pdk::systemLog(pdk::LogPriority::Error, "PDECoreGetModelDictionary ERR");
    return kNotApplicable;
  }
  const pdk::Value stored = dictionary.get(key);
  if (!stored.isString() || !value) return kNotApplicable;
  *value = stored.asString();
  return kNoErr;
}

int32_t PDECustomGetJobTicketPPDDictRoot(ZNPDECoreSession* session, const std::string& key, std::string* value) {
  pdk::PrintSettings* settings = nullptr;
  if (!value || ZNGetPrintSettings(session, &settings) != kNoErr) return kNotApplicable;
  return ZNPrintSettingsGetString(settings, key, value) == pdk::kPMNoError ? kNoErr : kNotApplicable;
}

int32_t PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(ZNPDECoreSession* session, const char* key, int32_t* value) {
  if (!value) return kParamErr;
  *value = -1;
  if (!key || !pdk::isValidUtf8(key)) return kKeyNotAString;
  pdk::PrintSettings* settings = nullptr;
  const int32_t status = ZNGetPrintSettings(session, &settings);
  if (status != kNoErr) return status;
  const int32_t result = ZNPrintSettingsGetSInt32(settings, key, value);
  if (result != pdk::kPMNoError) *value = -1;
  return result;
}

int32_t PDECustomGetJobTicketSInt32DictPMPageFormatRef(ZNPDECoreSession* session, const char* key, int32_t* value) {
  if (!value) return kParamErr;
  *value = -1;
  if (!key || !pdk::isValidUtf8(key)) return kKeyNotAString;
  pdk::PageFormat* format = nullptr;
  const int32_t status = ZNGetPageFormat(session, &format);
  if (status != kNoErr) return status;
  return ZNPageFormatGetSInt32(format, key, value);
}

void PDECustomSetJobTicketWithArgument(PDEControlData* record, ZNPDECoreSession* session) {
  if (!record || !record->Key) return;
  ppd_file_s* ppd = nullptr;
  GetPPDReference(session, &ppd);
  PPDUIOptionRef temporary;
  _PPDUIOption* option = record->PPDInfo.get();
  if (!option) {
    temporary = CreatePPDUIOptionWithCFKey(ppd, record->Key);
    option = temporary.get();
  }
  if (!option) return;
  const int32_t index = PDEControlDataGetChoiceIndex(record, option);
  if (index < 0 || index >= option->numChoices) return;
  option->curIndex = static_cast<int16_t>(index);
  const std::string& choice = option->choices[static_cast<size_t>(index)].keyword;
  const std::string key = record->Key;
  storeInPrinterDictionary(session, key, choice);
  if (ppd && fitsCText(key, kMaxPPDKeywordBytes) && fitsCText(choice, kMaxPPDKeywordBytes)) {
    markUnlessMarked(ppd, key, choice);
  }
  FreePPDReference(ppd);
}

int32_t PDECustomSetJobTicketPPDDict(ZNPDECoreSession* session, const std::string& key, const std::string& value) {
  ppd_file_s* ppd = nullptr;
  if (GetPPDReference(session, &ppd) != kNoErr) return kNoErr;
  storeInPrinterDictionary(session, key, value);
  if (isAscii(key) && isAscii(value) && fitsCText(key, kMaxMarkedASCII) && fitsCText(value, kMaxMarkedASCII)) {
    markUnlessMarked(ppd, key, value);
  }
  FreePPDReference(ppd);
  return kNoErr;
}

int32_t UpdateTicketWithPPDOption(ZNPDECoreSession* session, const _PPDUIOption* option, int32_t index) {
  ppd_file_s* ppd = nullptr;
  if (!option || GetPPDReference(session, &ppd) != kNoErr) return kNoErr;
  if (index >= 0 && index < option->numChoices && static_cast<size_t>(index) < option->choices.size()) {
    const std::string& choice = option->choices[static_cast<size_t>(index)].keyword;
    storeInPrinterDictionary(session, option->keyword, choice);
    if (fitsCText(option->keyword, kMaxMarkedASCII) && fitsCText(choice, kMaxMarkedASCII)) {
      markUnlessMarked(ppd, option->keyword, choice);
    }
  }
  FreePPDReference(ppd);
  return kNoErr;
}

SECURITY_FRAMEWORK_NAMESPACE_END
