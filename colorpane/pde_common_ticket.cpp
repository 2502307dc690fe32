// PDECommon: the per-printer settings dictionary in the job's print
// settings, and copying a table's values to it and back.
#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

pdk::Value PDECommon::commonGetModelDictionary(pdk::PrintSettings* settings, pdk::PrintSession* session) {
  if (!settings) return pdk::Value();
  const std::string productKey = commonGetPPDProductName(nullptr);
  std::optional<std::string> printerKey = commonGetPrintQueueName(session);

  pdk::Value model = pdk::PMPrintSettingsGetValue(settings, productKey);
  if (model.isNull()) {
    pdk::PMPrintSettingsSetValue(settings, productKey, pdk::Value::dictionary());
    model = pdk::PMPrintSettingsGetValue(settings, productKey);
  }
  if (model.isDictionary() && printerKey && !model.contains(*printerKey))
    model.set(*printerKey, pdk::Value::dictionary());
  return commonCFDictionaryGetValueWithType(model, printerKey ? &*printerKey : nullptr);
}

std::string PDECommon::commonGetPPDProductName(const void*) { return kProductName; }

std::optional<std::string> PDECommon::commonGetPrintQueueName(pdk::PrintSession* session) {
  std::shared_ptr<pdk::Printer> printer;
  if (pdk::PMSessionGetCurrentPrinter(session, &printer) != pdk::kPMNoError || !printer) return std::nullopt;
  return pdk::PMPrinterGetID(printer.get());
}

pdk::Value PDECommon::commonCFDictionaryGetValueWithType(const pdk::Value& dict, const std::string* key) {
  if (!dict.isDictionary() || !key || dict.count() == 0 || !dict.contains(*key)) return pdk::Value();
  pdk::Value v = dict.get(*key);
  return v.isDictionary() ? v : pdk::Value();
}

bool PDECommon::commonCFTypeIsValid(const pdk::Value& object, pdk::Value::Type type) {
  return !object.isNull() && object.type() == type;
}

int32_t PDECommon::commonCFDictionaryMapToTicket(pdk::PrintSettings* settings, const pdk::Value& dict) {
  if (!settings || !dict.isDictionary()) return kStatusBadArgument;
  for (auto& [key, value] : *dict.dictionaryStorage()) pdk::PMPrintSettingsSetValue(settings, key, value);
  return kStatusOK;
}

int32_t PDECommon::commonSyncTicketFromPane(pdk::PrintSettings* settings, pdk::PrintSession* session,
                                            const PDEControlRow* table) {
  pdk::Value model = commonGetModelDictionary(settings, session);
  if (model.isNull()) return kStatusOK;
  for (const PDEControlRow* row = table; row && row->control; ++row) {
    // A row whose option the PPD lacks has no choices and is left out.
    if (!row->ppdKey || !*row->ppdKey || !row->choices) continue;
    int32_t v = commonGetControlValueFromPPDWithSInt32(row);
    int32_t n = static_cast<int32_t>(row->choices->size());
    if (v < 0) continue;
    if (v < n) {
      const ChoiceEntry& e = (*row->choices)[static_cast<size_t>(v)];
      model.set(e[kChoiceOption], pdk::Value(e[kChoiceKeyword]));
      commonSetTicketAddedProfileFlag(row, model, "False");
    } else {
      commonSetTicketAddedProfile(row, model, v - n + 1);
      commonSetTicketAddedProfileFlag(row, model, "True");
    }
  }
  return commonCFDictionaryMapToTicket(settings, model);
}

int32_t PDECommon::commonSyncPaneFromTicket(pdk::PrintSettings* settings, pdk::PrintSession* session,
                                            const PDEControlRow* table) {
  pdk::Value model = commonGetModelDictionary(settings, session);
  if (model.isNull()) return kStatusOK;
  for (const PDEControlRow* row = table; row && row->control; ++row) {
    if (!row->ppdKey || !*row->ppdKey) continue;
    std::optional<int32_t> value;
    pdk::Value flag = commonGetTicketAddedProfileFlag(row, model);
    if (row->profileType >= 1 && row->profileType <= 3 && flag.isString() && flag.asString() == "True") {
      int32_t n = commonGetTicketAddedProfile(row, model);
      int32_t count = row->choices ? static_cast<int32_t>(row->choices->size()) : 0;
      value = n >= 1 ? count + n - 1 : commonGetDefualtValueFromPPDWithSInt32(row);
    } else if (model.contains(row->ppdKey)) {
      pdk::Value stored = model.get(row->ppdKey);
      if (stored.isString()) value = commonGetTicketValueWithSInt32(row, row->ppdKey, stored);
    } else {
      value = commonGetDefualtValueFromPPDWithSInt32(row);
    }
    if (value && *value != -1) commonSetControlValueWithSInt32(row, *value);
  }
  return commonCFDictionaryMapToTicket(settings, model);
}

COLORPANE_NAMESPACE_END
