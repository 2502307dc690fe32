// Where the security panel keeps its values in the job's print settings:
// under "TLQ770-1" (the model settings dictionary), then under the current
// printer's ID (the per-printer settings dictionary, string values), and at
// print time also at the top level, where the printer's filters read them.
// Main thread only.
#pragma once

#include <optional>
#include <string>

#include "pdk/printing.h"
#include "pdk/value.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// The key of the model settings dictionary.
inline constexpr const char* kModelSettingsKey = "TLQ770-1";

// The ID of the session's current printer; none without one.
std::optional<std::string> ticketGetPrintQueueName(const pdk::PrintSession* session);
// The per-printer settings dictionary, made on demand; a model or
// per-printer entry that is not a dictionary is replaced by an empty one.
// Null without settings or printer.
pdk::Value ticketGetModelDictionary(pdk::PrintSettings* settings, const pdk::PrintSession* session);
// Copy every entry of `dictionary` to the top level of the print settings.
void ticketCFDictionaryMapToTicket(pdk::PrintSettings* settings, const pdk::Value& dictionary);
// ticketCFDictionaryMapToTicket of the per-printer settings dictionary.
void ticketCopyToRoot(pdk::PrintSettings* settings, const pdk::PrintSession* session);

SECURITYPANE_NAMESPACE_END
