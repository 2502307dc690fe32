// The records that carry the print dialog's objects through the framework:
// the core session (handed to almost every function as the panel context)
// and the core context it points at, both owned by the panel. Also the
// per-printer settings dictionary inside the print settings and the
// bundle's localized strings. Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdk/bundle.h"
#include "pdk/pde.h"
#include "pdk/printing.h"
#include "pdk/value.h"
#include "securitypane/framework/namespace.h"
#include "securitypane/framework/ppd_ui_option.h"
#include "securitypane/framework/ui_constraints_list.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// The model settings key in the print settings.
inline constexpr const char* kPPDProductName = "TLQ770-1";

struct ZNPDECoreContext {
  std::string pluginName;
  std::string title;
  std::string ppdProductName;
  std::string printQueueName;
  _PPDUIOption ppdPapers;  // "PageSize"
  _UIConstraintsList CstList;
};

struct ZNPDECoreSession {
  pdk::PrintSession* session = nullptr;  // filled on first use
  pdk::PDEHostCallback* object = nullptr;
  ZNPDECoreContext* Context = nullptr;
  pdk::BundleRef Bundle;
};

// The print session, asked of the host the first time; null for no record.
pdk::PrintSession* ZNGetPMPrintSession(ZNPDECoreSession* session);
ZNPDECoreContext* ZNPDECoreGetContextArgument(ZNPDECoreSession* session);
ZNPDECoreContext* PDECoreGetContextArgument(ZNPDECoreSession* session);
// The context's texts; empty without a context.
std::string PDECoreGetPPDProductNameArgument(ZNPDECoreSession* session);
std::string PDECoreGetPluginNameArgument(ZNPDECoreSession* session);
std::string PDECoreGetPrintQueueNameArgument(ZNPDECoreSession* session);
_PPDUIOption* PDECoreGetPPDPapers(ZNPDECoreSession* session);
// Product name "TLQ770-1", the current printer's ID, and the PPD's papers.
// Return 0 (-50 without a session or context).
int32_t PDECoreOnInitialize(ZNPDECoreSession* session);
// The per-printer settings dictionary under "TLQ770-1" and the printer ID,
// both made on first use; null without a product, printer or settings.
pdk::Value PDECoreGetModelDictionary(ZNPDECoreSession* session);
// The localized string for `key` from `table` of the session's bundle; none
// without a record or bundle.
std::optional<std::string> ZNCopyLocalizedStringFromTableInBundle(ZNPDECoreSession* session, const std::string& key,
                                                                  const std::string& table);

SECURITY_FRAMEWORK_NAMESPACE_END
