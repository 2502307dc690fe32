// Reading and writing the job's print settings and reading the page format
// of the dialog, as the host hands them to the panel. Results are the
// platform's status codes (0 success). Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdk/printing.h"
#include "pdk/value.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// The host's print settings / page format; -1 without a record, host or out.
int32_t ZNGetPrintSettings(ZNPDECoreSession* session, pdk::PrintSettings** settings);
int32_t ZNGetPageFormat(ZNPDECoreSession* session, pdk::PageFormat** format);

// True when the settings hold a value for `key`.
bool ZNIsPrintSettingsItem(const pdk::PrintSettings* settings, const std::string& key);
// Store `value` under `key`. The platform keeps no per-entry lock, so
// `locked` has no effect; `unused` is kept for callers.
int32_t ZNPrintSettingsSetItem(pdk::PrintSettings* settings, int32_t unused, const std::string& key,
                               const pdk::Value& value, bool locked);
// The raw value under `key`, whatever its type; kPMKeyNotFound when none.
int32_t ZNPrintSettingsGetCFDictionary(const pdk::PrintSettings* settings, const std::string& key, pdk::Value* value);
int32_t ZNPrintSettingsGetCFNumber(const pdk::PrintSettings* settings, const std::string& key, pdk::Value* value);
// The value when it is a string / boolean / number (as 32 bits); the
// platform status when there is none; -1 when it has another type.
int32_t ZNPrintSettingsGetString(const pdk::PrintSettings* settings, const std::string& key, std::string* value);
int32_t ZNPrintSettingsGetBoolean(const pdk::PrintSettings* settings, const std::string& key, bool* value);
int32_t ZNPrintSettingsGetSInt32(const pdk::PrintSettings* settings, const std::string& key, int32_t* value);
// The name of the paper recorded in the settings: the settings read back as
// a page format's data representation. -50 without settings or out; the out
// value is none when the settings record no paper.
int32_t ZNPrintSettingsGetPaperName(ZNPDECoreSession* session, const pdk::PrintSettings* settings,
                                    std::optional<std::string>* name);

// Only the orientation key "com.apple.print.PageFormat.PMOrientation": 1
// portrait, 2 landscape, 4 reverse portrait, 3 reverse landscape, -1
// otherwise. -1 for any other key, else the platform status.
int32_t ZNPageFormatGetSInt32(const pdk::PageFormat* format, const std::string& key, int32_t* value);
int32_t ZNPageFormatGetPaperName(const pdk::PageFormat* format, std::string* name);
int32_t ZNPageFormatGetOrientation(const pdk::PageFormat* format, int32_t* orientation);
// The unadjusted paper rectangle of the host's page format; -1 without a record.
int32_t ZNGetDocumentPaperRect(ZNPDECoreSession* session, pdk::PMRect* rect);

SECURITY_FRAMEWORK_NAMESPACE_END
