// PDECommon: class-level operations on control tables shared by both colour
// views: filling pop-ups from the PPD, PPD defaults, copying control values
// to the job's print settings and back, summary entries, PPD text
// encodings, joining tables and the printer's connection protocol.
// Main thread only (the conflict test marks and restores the PPD).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/bundle.h"
#include "pdk/printing.h"
#include "pdk/text.h"
#include "pdk/value.h"

struct ppd_file_s;

COLORPANE_NAMESPACE_BEGIN

// Status codes.
inline constexpr int32_t kStatusOK = 0;
inline constexpr int32_t kStatusBadArgument = -50;
inline constexpr int32_t kStatusNoMemory = -108;
inline constexpr int32_t kStatusRowSkipped = 206;
inline constexpr int32_t kStatusNoOption = -30888;
inline constexpr int32_t kStatusNoArray = -30870;
inline constexpr int32_t kStatusNotApplicable = -1;

// Connection protocols of the printer's device URI.
inline constexpr int16_t kProtocolOther = -1;
inline constexpr int16_t kProtocolLPD = 0;
inline constexpr int16_t kProtocolBonjour = 1;
inline constexpr int16_t kProtocolAppleTalk = 2;
inline constexpr int16_t kProtocolUSB = 3;

// The model settings key in the print settings.
inline constexpr const char* kProductName = "TLQ770-1";

class PDECommon {
 public:
  // Building and filling.
  static int32_t commonGetPPDArrayForUIOption(ppd_file_s* ppd, const char* key, ChoiceList** array);
  static int32_t commonGetUIListFromPPD(ppd_file_s* ppd, const char* key, ChoiceList* array, int16_t* count);
  static bool commonIsPPDChoiceConflicted(ppd_file_s* ppd, const char* option, const char* choice);
  static void commonBuildPDEItem(PDEControlRow* table, ppd_file_s* ppd);
  static void commonSetControlTitleFromLocalizeString(const PDEControlRow* row);
  static void commonReBuildMenuFromPPD(ppd_file_s* ppd, const PDEControlRow* row);
  static int32_t commonAddPPDArray(const pdk::Value& array, const PDEControlRow* table);
  // A new table (delete[] by the caller) or null when memory runs out.
  static PDEControlRow* commonControlTableCompound(PDEControlRow* const* tables, int32_t count);

  // Control values.
  static int32_t commonGetControlValueWithSInt32(const PDEControlRow* row);
  static void commonSetControlValueWithSInt32(const PDEControlRow* row, int32_t value);
  static int32_t commonGetControlValueFromPPDWithSInt32(const PDEControlRow* row);
  static std::optional<std::string> commonGetControlValueFromPPDWithNSString(const PDEControlRow* row);
  static int32_t commonGetDefualtValueFromPPDWithSInt32(const PDEControlRow* row);
  static int32_t commonGetTicketValueWithSInt32(const PDEControlRow* row, const char* option,
                                                const pdk::Value& choice);
  static int32_t commonFindPPDKeyPairsMatch(const ChoiceList* choices, const char* option, const std::string& choice);
  static void commonDefaultFromPPDInfo(const PDEControlRow* table);
  static int32_t commonConvertToCSTValue(const PDEControlRow* row, int32_t value);
  static int32_t commonConvertFromCSTValue(const PDEControlRow* row, int32_t value);

  // Print settings.
  static pdk::Value commonGetModelDictionary(pdk::PrintSettings* settings, pdk::PrintSession* session);
  static std::string commonGetPPDProductName(const void* any);
  static std::optional<std::string> commonGetPrintQueueName(pdk::PrintSession* session);
  static pdk::Value commonCFDictionaryGetValueWithType(const pdk::Value& dict, const std::string* key);
  static bool commonCFTypeIsValid(const pdk::Value& object, pdk::Value::Type type);
  static int32_t commonCFDictionaryMapToTicket(pdk::PrintSettings* settings, const pdk::Value& dict);
  static int32_t commonSyncTicketFromPane(pdk::PrintSettings* settings, pdk::PrintSession* session,
                                          const PDEControlRow* table);
  static int32_t commonSyncPaneFromTicket(pdk::PrintSettings* settings, pdk::PrintSession* session,
                                          const PDEControlRow* table);

  // Added-profile entries of the profile pop-ups ("<key>Custom",
  // "<key>CustomFilename").
  static pdk::Value commonGetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict);
  static int32_t commonSetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict,
                                                 const std::string& flag);
  static int32_t commonSetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict, int32_t select);
  static int32_t commonGetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict);
  static int32_t commonAddMenuFromProfilePlist(const PDEControlRow* table);

  // Summary.
  static int32_t commonGetSummaryText(const PDEControlRow* table, const pdk::Value& dict, const pdk::Value& array);
  static int32_t commonGetSummaryTextQuickColor(const char* itemName, const std::string& value,
                                                const pdk::Value& dict, const pdk::Value& array);

  // Text encodings of a PPD's texts.
  static pdk::TextEncoding commonGetEncodingFromPPD(ppd_file_s* ppd);
  static pdk::TextEncoding commonGetCFStringEncodingFromPPD(ppd_file_s* ppd);
  // The encoding a PPD LanguageEncoding value names (Mac OS Roman for
  // anything unknown or null).
  static pdk::TextEncoding encodingForLanguageEncoding(const char* languageEncoding);

  // Connection protocol of a device URI / of the session's printer.
  static int16_t commoniGetProtocolByUrl(const std::string* uri);
  static int16_t commoniGetProtocol(pdk::PrintSession* session);
  // Keep the previous profile list, then have the printer's profile table walked and merged; always 0.
  static int32_t commonGetProfilesFromMIB(pdk::PrintSession* session);

  // The pane's bundle (for localized strings); null when it cannot be found.
  static pdk::BundleRef commonGetBundle();
};

// The first bundle the print dialog handed to the plug-in.
extern pdk::BundleRef pluginBundle;

COLORPANE_NAMESPACE_END
