// Building _PPDUIOption records from the libcups PPD record, and the
// look-ups between choice keys, indices and texts.
#include "securitypane/framework/ppd_ui_option.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "pdk/syslog.h"
#include "securitypane/framework/cf_utilities.h"
#include "securitypane/framework/cups_ppd.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

constexpr const char* kPageSize = "PageSize";
constexpr const char* kTrueChoice = "True";
constexpr const char* kFalseChoice = "False";

// The option, when it has choices and no more than a record can count.
ppd_option_t* findUsableOption(ppd_file_t* ppd, const char* keyword) {
  if (!ppd || !keyword) return nullptr;
  ppd_option_t* option = ppdFindOption(ppd, keyword);
  if (!option || option->num_choices <= 0 || option->num_choices > std::numeric_limits<int16_t>::max()) {
    return nullptr;
  }
  return option;
}

// The index of the PPD default and of the marked choice (-1 when none). A
// marked key that begins with a choice's key (a custom size such as
// "Custom.612x792" for "Custom") selects that choice, the later one in PPD
// order when several do; a choice equal to the marked key wins outright.
void findDefaultAndCurrent(ppd_file_t* ppd, ppd_option_t* option, int16_t* defIndex, int16_t* curIndex) {
  *defIndex = -1;
  *curIndex = -1;
  ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option->keyword);
  bool exact = false;
  for (int i = 0; i < option->num_choices; ++i) {
    const char* key = option->choices[i].choice;
    if (std::strcmp(key, option->defchoice) == 0) *defIndex = static_cast<int16_t>(i);
    if (!marked || exact) continue;
    if (std::strcmp(marked->choice, key) == 0) {
      *curIndex = static_cast<int16_t>(i);
      exact = true;
    } else if (std::strncmp(marked->choice, key, std::strlen(key)) == 0) {
      *curIndex = static_cast<int16_t>(i);
    }
  }
  if (*defIndex < 0) *defIndex = 0;
}

bool mustBeMarked(const char* keyword) {
  return std::strcmp(keyword, "InputSlot") == 0 || std::strcmp(keyword, kPageSize) == 0 ||
         std::strcmp(keyword, "PageRegion") == 0;
}

const _PPDUIChoice* choiceAt(const _PPDUIOption* record, int32_t index) {
  if (!record || index < 0 || index >= record->numChoices || static_cast<size_t>(index) >= record->choices.size()) {
    return nullptr;
  }
  return &record->choices[static_cast<size_t>(index)];
}

// Copy `text` into a fixed field, cut at a character boundary so that the
// field always holds whole UTF-8 characters and a terminator.
void copyCut(char* field, size_t size, const char* text) {
  size_t n = text ? std::strlen(text) : 0;
  if (n >= size) {
    n = size - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  if (n) std::memcpy(field, text, n);
  field[n] = '\0';
}

}  // namespace

std::string PPDTextToString(const char* text, pdk::TextEncoding encoding) {
  const std::string raw = text ? text : "";
  if (auto decoded = pdk::decodeText(raw, encoding)) return *decoded;
  return pdk::decodeText(raw, pdk::TextEncoding::MacRoman).value_or(std::string());
}

pdk::TextEncoding TextEncodingForLanguageEncoding(const char* value) {
  if (!value) return pdk::TextEncoding::MacRoman;
  if (std::strcmp(value, "ISOLatin1") == 0) return pdk::TextEncoding::ISOLatin1;
  if (std::strcmp(value, "WindowsANSI") == 0) return pdk::TextEncoding::WindowsLatin1;
  if (std::strcmp(value, "JIS83-RKSJ") == 0) return pdk::TextEncoding::ShiftJIS;
  if (std::strcmp(value, "UTF-8") == 0 || std::strcmp(value, "UTF8") == 0) return pdk::TextEncoding::UTF8;
  return pdk::TextEncoding::MacRoman;
}

pdk::TextEncoding GetCFStringEncodingFromPPD(ppd_file_s* ppd) {
  return TextEncodingForLanguageEncoding(ppd ? ppd->lang_encoding : nullptr);
}

bool SetupPPDUIOption(_PPDUIOption* record, ppd_file_s* ppd, const char* keyword) {
  if (!record) return false;
  ppd_option_t* option = findUsableOption(ppd, keyword);
  if (!option) return false;
  ClearPPDUIOption(record);
  const pdk::TextEncoding encoding = GetCFStringEncodingFromPPD(ppd);
  record->keyword = option->keyword;
  record->alias = PPDTextToString(option->text, encoding);
  record->numChoices = static_cast<int16_t>(option->num_choices);
  record->choices.resize(static_cast<size_t>(option->num_choices));
  for (int i = 0; i < option->num_choices; ++i) {
    _PPDUIChoice& choice = record->choices[static_cast<size_t>(i)];
    choice.keyword = option->choices[i].choice;
    choice.alias = PPDTextToString(option->choices[i].text, encoding);
    choice.option = record;
  }
  findDefaultAndCurrent(ppd, option, &record->defIndex, &record->curIndex);
  bool result = true;
  if (record->curIndex < 0) {
    record->curIndex = record->defIndex;
    if (mustBeMarked(option->keyword)) result = false;
  }
  if (std::strcmp(option->keyword, kPageSize) == 0) SetupPPDPageSize(record, ppd);
  return result;
}

PPDUIOptionRef CreatePPDUIOption(ppd_file_s* ppd, const char* keyword) {
  auto record = std::make_unique<_PPDUIOption>();
  if (!SetupPPDUIOption(record.get(), ppd, keyword)) {
    pdk::systemLog(pdk::LogPriority::Error, "keyword:%s is NULL", keyword ? keyword : "(null)");
    return nullptr;
  }
  return record;
}

PPDUIOptionRef CreatePPDUIOptionWithCFKey(ppd_file_s* ppd, const std::string& keyword) {
  if (keyword.size() > kMaxPPDKeywordBytes || keyword.find('\0') != std::string::npos) return nullptr;
  return CreatePPDUIOption(ppd, keyword.c_str());
}

void ClearPPDUIOption(_PPDUIOption* record) {
  if (!record) return;
  record->keyword.clear();
  record->alias.clear();
  record->conflicted = 0;
  record->defIndex = 0;
  record->curIndex = 0;
  record->numChoices = 0;
  record->choices.clear();
}

void DeletePPDUIOption(PPDUIOptionRef* record) {
  if (record) record->reset();
}

void SetupPPDPageSize(_PPDUIOption* record, ppd_file_s* ppd) {
  if (!record || !ppd || !CFStringEqualTo(record->keyword, kPageSize, false)) return;
  if (ppd->num_sizes != record->numChoices || record->choices.size() != static_cast<size_t>(ppd->num_sizes)) return;
  for (int i = 0; i < ppd->num_sizes; ++i) {
    const ppd_size_t& size = ppd->sizes[i];
    auto& rect = record->choices[static_cast<size_t>(i)].pageRect;
    if (!rect) rect = std::make_unique<PPDPageSizeRect>();
    *rect = PPDPageSizeRect{size.width, size.length, size.top, size.left, size.bottom, size.right};
  }
}

std::optional<std::string> PDECustomGetPPDDefaultItemByCStringKey(ppd_file_s* ppd, const char* keyword) {
  _PPDUIOption record;
  SetupPPDUIOption(&record, ppd, keyword);
  if (const std::string* key = PPDUIOptionGetDefaultKey(&record)) return *key;
  return std::nullopt;
}

std::optional<std::string> PDECustomGetPPDDefaultItem(ppd_file_s* ppd, const std::string& keyword) {
  if (keyword.size() > kMaxPPDKeywordBytes + 1 || keyword.find('\0') != std::string::npos) return std::nullopt;
  return PDECustomGetPPDDefaultItemByCStringKey(ppd, keyword.c_str());
}

std::optional<std::string> PDECustomGetPPDAliasItem(const std::string& keyword, const std::string& choiceKey,
                                                    ppd_file_s* ppd) {
  PPDUIOptionRef record = CreatePPDUIOptionWithCFKey(ppd, keyword);
  if (const std::string* alias = PPDUIOptionKeyToAlias(record.get(), choiceKey)) return *alias;
  return std::nullopt;
}

const std::string* PPDUIOptionGetSelfKey(const _PPDUIOption* record) { return record ? &record->keyword : nullptr; }

const std::string* PPDUIOptionGetSelfAlias(const _PPDUIOption* record) { return record ? &record->alias : nullptr; }

int16_t PPDUIOptionGetItemCount(const _PPDUIOption* record) { return record ? record->numChoices : 0; }

int16_t PPDUIOptionGetDefaultIndex(const _PPDUIOption* record) { return record ? record->defIndex : 0; }

const std::string* PPDUIOptionGetDefaultKey(const _PPDUIOption* record) {
  return record ? PPDUIOptionIndexToKey(record, record->defIndex) : nullptr;
}

const std::string* PPDUIOptionGetDefaultAlias(const _PPDUIOption* record) {
  return record ? PPDUIOptionIndexToAlias(record, record->defIndex) : nullptr;
}

int32_t PPDUIOptionKeyToIndex(const _PPDUIOption* record, const std::string& key) {
  if (!record) return -1;
  for (int32_t i = static_cast<int32_t>(record->choices.size()) - 1; i >= 0; --i) {
    if (CFStringEqualTo(record->choices[static_cast<size_t>(i)].keyword, key, false)) return i;
  }
  return -1;
}

const std::string* PPDUIOptionKeyToAlias(const _PPDUIOption* record, const std::string& key) {
  const _PPDUIChoice* choice = choiceAt(record, PPDUIOptionKeyToIndex(record, key));
  return choice ? &choice->alias : nullptr;
}

const std::string* PPDUIOptionAliasToKey(const _PPDUIOption* record, const std::string& alias) {
  if (!record) return nullptr;
  for (auto it = record->choices.rbegin(); it != record->choices.rend(); ++it) {
    if (CFStringEqualTo(it->alias, alias, false)) return &it->keyword;
  }
  return nullptr;
}

const std::string* PPDUIOptionIndexToKey(const _PPDUIOption* record, int32_t index) {
  const _PPDUIChoice* choice = choiceAt(record, index);
  return choice ? &choice->keyword : nullptr;
}

const std::string* PPDUIOptionIndexToAlias(const _PPDUIOption* record, int32_t index) {
  const _PPDUIChoice* choice = choiceAt(record, index);
  return choice ? &choice->alias : nullptr;
}

int32_t PPDUIOptionCheckBoxStateToIndex(const _PPDUIOption* record, int32_t state) {
  const int32_t trueIndex = PPDUIOptionKeyToIndex(record, kTrueChoice);
  const int32_t falseIndex = PPDUIOptionKeyToIndex(record, kFalseChoice);
  if (trueIndex < 0 || falseIndex < 0) return state;
  return state != 0 ? trueIndex : falseIndex;
}

int32_t PPDUIOptionIndexToCheckBoxState(const _PPDUIOption* record, int32_t index) {
  const int32_t trueIndex = PPDUIOptionKeyToIndex(record, kTrueChoice);
  const int32_t falseIndex = PPDUIOptionKeyToIndex(record, kFalseChoice);
  if (trueIndex < 0 || falseIndex < 0) return index;
  return index == trueIndex ? 1 : 0;
}

bool PPDPaperSizeFindAdjustedPMRect(const _PPDUIOption* record, const pdk::PMRect& rect, int32_t, std::string* key) {
  if (!record || !key || !CFStringEqualTo(record->keyword, kPageSize, false)) return false;
  const float width = static_cast<float>(std::abs(rect.right - rect.left));
  const float height = static_cast<float>(std::abs(rect.bottom - rect.top));
  for (const auto& choice : record->choices) {
    if (!choice.pageRect) continue;
    if (static_cast<float>(choice.pageRect->width) == width && static_cast<float>(choice.pageRect->length) == height) {
      *key = choice.keyword;
      return true;
    }
  }
  return false;
}

bool SetupPPDUIOptionTiny(PPDUIOptionTiny* record, ppd_file_s* ppd, const char* keyword) {
  if (!record) return false;
  ppd_option_t* option = findUsableOption(ppd, keyword);
  if (!option || !option->keyword[0] || !option->text[0]) return false;
  ClearPPDUIOptionTiny(record);
  copyCut(record->keyword, sizeof record->keyword, option->keyword);
  copyCut(record->text, sizeof record->text, option->text);
  record->numChoices = static_cast<int16_t>(option->num_choices);
  record->choices.resize(static_cast<size_t>(option->num_choices));
  for (int i = 0; i < option->num_choices; ++i) {
    PPDUIChoiceTiny& choice = record->choices[static_cast<size_t>(i)];
    copyCut(choice.key, sizeof choice.key, option->choices[i].choice);
    copyCut(choice.text, sizeof choice.text, option->choices[i].text);
    choice.option = record;
  }
  findDefaultAndCurrent(ppd, option, &record->defIndex, &record->curIndex);
  if (record->curIndex < 0) record->curIndex = record->defIndex;
  return true;
}

void ClearPPDUIOptionTiny(PPDUIOptionTiny* record) {
  if (!record) return;
  record->keyword[0] = '\0';
  record->text[0] = '\0';
  record->defIndex = 0;
  record->curIndex = 0;
  record->numChoices = 0;
  record->choices.clear();
}

SECURITY_FRAMEWORK_NAMESPACE_END
