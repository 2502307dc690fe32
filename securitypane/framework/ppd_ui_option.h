// A PPD option as the security pane's controls use it: its keyword and
// text, its choices with their keys and texts, the default and current
// choice, and for "PageSize" each paper's size and imageable area. Built
// from the libcups PPD record; texts are decoded with the record's
// encoding. A record and its choices belong to their owner (a control data
// record or a temporary of one call). Main thread only, like the PPD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdk/printing.h"
#include "pdk/text.h"
#include "securitypane/framework/namespace.h"

struct ppd_file_s;

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// One paper of "PageSize", in points: size, then the imageable area.
struct PPDPageSizeRect {
  double width = 0, length = 0;
  double top = 0, left = 0, bottom = 0, right = 0;
};

struct _PPDUIOption;

struct _PPDUIChoice {
  std::string keyword;  // the choice key
  std::string alias;    // the choice text
  int32_t reserved = 0;
  std::unique_ptr<PPDPageSizeRect> pageRect;  // "PageSize" only
  _PPDUIOption* option = nullptr;             // the owning record
};

struct _PPDUIOption {
  _PPDUIOption() = default;
  // Choices point back at their record, so a record stays where it is made.
  _PPDUIOption(const _PPDUIOption&) = delete;
  _PPDUIOption& operator=(const _PPDUIOption&) = delete;

  std::string keyword;  // main keyword without the asterisk
  std::string alias;    // the option's text
  uint8_t conflicted = 0;
  int16_t defIndex = 0;    // the PPD default; 0 when the default is not a choice
  int16_t curIndex = 0;    // the marked choice; defIndex when none is marked
  int16_t numChoices = 0;
  std::vector<_PPDUIChoice> choices;
};

using PPDUIOptionRef = std::unique_ptr<_PPDUIOption>;

// Longest keyword that a string-keyed look-up passes to libcups.
inline constexpr size_t kMaxPPDKeywordBytes = 40;

// The encoding of a PPD "LanguageEncoding" value: "ISOLatin1",
// "WindowsANSI", "JIS83-RKSJ", "UTF-8" or "UTF8"; anything else (or none)
// is Mac OS Roman.
pdk::TextEncoding TextEncodingForLanguageEncoding(const char* languageEncoding);
// The encoding of the record's texts. libcups converts every text to UTF-8
// on loading and says so in the record, so a text is never decoded twice.
pdk::TextEncoding GetCFStringEncodingFromPPD(ppd_file_s* ppd);

// A PPD text decoded with `encoding`; a text that is not valid there is read
// as Mac OS Roman, which accepts every byte.
std::string PPDTextToString(const char* text, pdk::TextEncoding encoding);

// Fill `record` from option `keyword`. False when the option is missing or
// has no choices; also false (the record still filled) when "InputSlot",
// "PageSize" or "PageRegion" has no marked choice.
bool SetupPPDUIOption(_PPDUIOption* record, ppd_file_s* ppd, const char* keyword);
// A new record, or null (logging "keyword:%s is NULL") when set-up fails.
PPDUIOptionRef CreatePPDUIOption(ppd_file_s* ppd, const char* keyword);
// The same for a keyword of at most 40 bytes of UTF-8.
PPDUIOptionRef CreatePPDUIOptionWithCFKey(ppd_file_s* ppd, const std::string& keyword);
// Release the texts, page sizes and choices.
void ClearPPDUIOption(_PPDUIOption* record);
void DeletePPDUIOption(PPDUIOptionRef* record);
// Give each "PageSize" choice the PPD's paper size at the same position,
// when the PPD lists exactly as many sizes as the option has choices.
void SetupPPDPageSize(_PPDUIOption* record, ppd_file_s* ppd);

// The option's default choice key, or none.
std::optional<std::string> PDECustomGetPPDDefaultItemByCStringKey(ppd_file_s* ppd, const char* keyword);
// The same for a keyword of at most 41 bytes of UTF-8.
std::optional<std::string> PDECustomGetPPDDefaultItem(ppd_file_s* ppd, const std::string& keyword);
// The text of choice `choiceKey` (letter case ignored) of option `keyword`, or none.
std::optional<std::string> PDECustomGetPPDAliasItem(const std::string& keyword, const std::string& choiceKey,
                                                    ppd_file_s* ppd);

// Accessors; none (null), 0 or -1 for a missing record or choice.
const std::string* PPDUIOptionGetSelfKey(const _PPDUIOption* record);
const std::string* PPDUIOptionGetSelfAlias(const _PPDUIOption* record);
int16_t PPDUIOptionGetItemCount(const _PPDUIOption* record);
int16_t PPDUIOptionGetDefaultIndex(const _PPDUIOption* record);
const std::string* PPDUIOptionGetDefaultKey(const _PPDUIOption* record);
const std::string* PPDUIOptionGetDefaultAlias(const _PPDUIOption* record);
// Look-ups compare without regard to letter case and search from the last
// choice, so with duplicate keys the last one wins.
int32_t PPDUIOptionKeyToIndex(const _PPDUIOption* record, const std::string& key);
const std::string* PPDUIOptionKeyToAlias(const _PPDUIOption* record, const std::string& key);
const std::string* PPDUIOptionAliasToKey(const _PPDUIOption* record, const std::string& alias);
const std::string* PPDUIOptionIndexToKey(const _PPDUIOption* record, int32_t index);
const std::string* PPDUIOptionIndexToAlias(const _PPDUIOption* record, int32_t index);

// A check box bound to the option stands for a choice. An option with the
// choices "True" and "False" is matched by name (state 1 is "True"), in
// whatever order the PPD lists them; any other option by position (state 0
// is the first choice).
int32_t PPDUIOptionCheckBoxStateToIndex(const _PPDUIOption* record, int32_t state);
int32_t PPDUIOptionIndexToCheckBoxState(const _PPDUIOption* record, int32_t index);

// For a "PageSize" record: the key of the first paper whose size equals
// the rectangle's width and height (each as single precision). False when
// none does.
bool PPDPaperSizeFindAdjustedPMRect(const _PPDUIOption* record, const pdk::PMRect& rect, int32_t unused,
                                    std::string* key);

// The fixed-size variant: the PPD's texts unconverted, cut to fit.
inline constexpr size_t kTinyKeySize = 42;
inline constexpr size_t kTinyTextSize = 124;

struct PPDUIOptionTiny;

struct PPDUIChoiceTiny {
  char key[kTinyKeySize] = {};
  char text[kTinyTextSize] = {};
  PPDUIOptionTiny* option = nullptr;
};

struct PPDUIOptionTiny {
  PPDUIOptionTiny() = default;
  PPDUIOptionTiny(const PPDUIOptionTiny&) = delete;
  PPDUIOptionTiny& operator=(const PPDUIOptionTiny&) = delete;

  char keyword[kTinyKeySize] = {};
  char text[kTinyTextSize] = {};
  int16_t defIndex = 0;
  int16_t curIndex = 0;
  int16_t numChoices = 0;
  std::vector<PPDUIChoiceTiny> choices;
};

// False when the option is missing, has no choices, or has an empty keyword or text.
bool SetupPPDUIOptionTiny(PPDUIOptionTiny* record, ppd_file_s* ppd, const char* keyword);
void ClearPPDUIOptionTiny(PPDUIOptionTiny* record);

SECURITY_FRAMEWORK_NAMESPACE_END
