#include "securitypane/security_ticket.h"

SECURITYPANE_NAMESPACE_BEGIN

std::optional<std::string> ticketGetPrintQueueName(const pdk::PrintSession* session) {
  std::shared_ptr<pdk::Printer> printer;
  if (!session || pdk::PMSessionGetCurrentPrinter(session, &printer) != pdk::kPMNoError) return std::nullopt;
  std::string id = pdk::PMPrinterGetID(printer.get());
  if (id.empty()) return std::nullopt;
  return id;
}

pdk::Value ticketGetModelDictionary(pdk::PrintSettings* settings, const pdk::PrintSession* session) {
  if (!settings) return pdk::Value();
  const std::optional<std::string> printer = ticketGetPrintQueueName(session);
  if (!pdk::PMPrintSettingsGetValue(settings, kModelSettingsKey).isDictionary()) {
    pdk::PMPrintSettingsSetValue(settings, kModelSettingsKey, pdk::Value::dictionary());
  }
  const pdk::Value model = pdk::PMPrintSettingsGetValue(settings, kModelSettingsKey);
  if (!model.isDictionary() || !printer) return pdk::Value();
  if (!model.get(*printer).isDictionary()) model.set(*printer, pdk::Value::dictionary());
  return model.get(*printer);
}

void ticketCFDictionaryMapToTicket(pdk::PrintSettings* settings, const pdk::Value& dictionary) {
  const pdk::DictionaryStorage* entries = dictionary.dictionaryStorage();
  if (!settings || !entries) return;
  for (const auto& [key, value] : *entries) pdk::PMPrintSettingsSetValue(settings, key, value);
}

void ticketCopyToRoot(pdk::PrintSettings* settings, const pdk::PrintSession* session) {
  ticketCFDictionaryMapToTicket(settings, ticketGetModelDictionary(settings, session));
}

SECURITYPANE_NAMESPACE_END
