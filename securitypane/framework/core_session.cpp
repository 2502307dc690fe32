#include "securitypane/framework/core_session.h"

#include "pdk/syslog.h"
#include "securitypane/framework/ppd_access.h"
#include "securitypane/framework/print_settings_access.h"
#include "securitypane/framework/status.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

pdk::PrintSession* ZNGetPMPrintSession(ZNPDECoreSession* session) {
  if (!session) return nullptr;
  if (!session->session && session->object) session->session = session->object->printSession();
  return session->session;
}

ZNPDECoreContext* ZNPDECoreGetContextArgument(ZNPDECoreSession* session) {
  return session ? session->Context : nullptr;
}

ZNPDECoreContext* PDECoreGetContextArgument(ZNPDECoreSession* session) { return ZNPDECoreGetContextArgument(session); }

std::string PDECoreGetPPDProductNameArgument(ZNPDECoreSession* session) {
  ZNPDECoreContext* context = ZNPDECoreGetContextArgument(session);
  return context ? context->ppdProductName : std::string();
}

std::string PDECoreGetPluginNameArgument(ZNPDECoreSession* session) {
  ZNPDECoreContext* context = ZNPDECoreGetContextArgument(session);
  return context ? context->pluginName : std::string();
}

std::string PDECoreGetPrintQueueNameArgument(ZNPDECoreSession* session) {
  ZNPDECoreContext* context = ZNPDECoreGetContextArgument(session);
  return context ? context->printQueueName : std::string();
}

_PPDUIOption* PDECoreGetPPDPapers(ZNPDECoreSession* session) {
  ZNPDECoreContext* context = ZNPDECoreGetContextArgument(session);
  return context ? &context->ppdPapers : nullptr;
}

int32_t PDECoreOnInitialize(ZNPDECoreSession* session) {
  ZNPDECoreContext* context = ZNPDECoreGetContextArgument(session);
  if (!context) return kParamErr;
  context->ppdProductName = kPPDProductName;
  std::shared_ptr<pdk::Printer> printer;
  if (pdk::PMSessionGetCurrentPrinter(ZNGetPMPrintSession(session), &printer) == pdk::kPMNoError) {
    context->printQueueName = pdk::PMPrinterGetID(printer.get());
  }
  ppd_file_s* ppd = nullptr;
  if (GetPPDReference(session, &ppd) == kNoErr) {
    // Without a marked paper the record is still filled; it serves the
    // paper look-ups either way.
    SetupPPDUIOption(&context->ppdPapers, ppd, "PageSize");
    FreePPDReference(ppd);
  }
  return kNoErr;
}

pdk::Value PDECoreGetModelDictionary(ZNPDECoreSession* session) {
  const std::string product = PDECoreGetPPDProductNameArgument(session);
  const std::string printer = PDECoreGetPrintQueueNameArgument(session);
  pdk::PrintSettings* settings = nullptr;
  const int32_t status = ZNGetPrintSettings(session, &settings);
  pdk::Value model;
  if (status != kNoErr || product.empty()) {
    pdk::systemLog(pdk::LogPriority::Error, "PDECoreGetModelDictionary error1:%d", static_cast<int>(status));
  } else {
    if (pdk::PMPrintSettingsGetValue(settings, product).isNull()) {
      pdk::PMPrintSettingsSetValue(settings, product, pdk::Value::dictionary());
    }
    model = pdk::PMPrintSettingsGetValue(settings, product);
  }
  if (!model.isDictionary() || printer.empty()) {
    pdk::systemLog(pdk::LogPriority::Error, "PDECoreGetModelDictionary error3");
    return pdk::Value();
  }
  if (!model.contains(printer)) model.set(printer, pdk::Value::dictionary());
  pdk::Value perPrinter = model.get(printer);
  return perPrinter.isDictionary() ? perPrinter : pdk::Value();
}

std::optional<std::string> ZNCopyLocalizedStringFromTableInBundle(ZNPDECoreSession* session, const std::string& key,
                                                                  const std::string& table) {
  if (!session || !session->Bundle) return std::nullopt;
  return session->Bundle->localizedString(key, table);
}

SECURITY_FRAMEWORK_NAMESPACE_END
