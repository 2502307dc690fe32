// The job ticket: the per-printer settings dictionary in the print settings
// (PPD main keywords and the pane's own keys to string values) together
// with the PPD's marks, which the two writers below keep in step. Main
// thread only.
#pragma once

#include <cstdint>
#include <string>

#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"
#include "securitypane/framework/ppd_ui_option.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

struct PDEControlData;

// The string under `key` in the per-printer settings dictionary: 0 and the
// value, or -1 (logging "PDECoreGetModelDictionary ERR" when there is no
// dictionary).
int32_t PDECustomGetJobTicketPPDDict(ZNPDECoreSession* session, const std::string& key, std::string* value);
// The string under `key` at the top level of the print settings: 0 or -1.
int32_t PDECustomGetJobTicketPPDDictRoot(ZNPDECoreSession* session, const std::string& key, std::string* value);
// The 32-bit number under `key` in the print settings; `value` is -1 on
// failure; -10 when `key` is no text.
int32_t PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(ZNPDECoreSession* session, const char* key, int32_t* value);
// ZNPageFormatGetSInt32 on the host's page format.
int32_t PDECustomGetJobTicketSInt32DictPMPageFormatRef(ZNPDECoreSession* session, const char* key, int32_t* value);
// Write the record's current choice (its PPD option or a temporary one for
// its key) into the per-printer settings and mark it in the PPD.
void PDECustomSetJobTicketWithArgument(PDEControlData* record, ZNPDECoreSession* session);
// With a PPD: store `value` under `key` and mark that choice when it is not
// marked yet (keys and choices of up to 254 ASCII characters). Return 0.
int32_t PDECustomSetJobTicketPPDDict(ZNPDECoreSession* session, const std::string& key, const std::string& value);
// With a PPD and 0 <= index < numChoices: store that choice's key under the
// option's keyword and mark it when it is not marked yet. Return 0.
int32_t UpdateTicketWithPPDOption(ZNPDECoreSession* session, const _PPDUIOption* option, int32_t index);

SECURITY_FRAMEWORK_NAMESPACE_END
