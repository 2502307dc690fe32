#include "securitypane/edit_info_table.h"

#include <cstring>

SECURITYPANE_NAMESPACE_BEGIN

const EditInfo myEditInfTable[] = {
    {kSecureKey, kEditTypeAscii2, 8, 1, 1},
    {kUserNameKey, kEditTypeWideChar, 64, 0, 1},
    {kUserKey, kEditTypeAscii, 64, 1, 0},
    {kSectionNameKey, kEditTypeWideChar2, 8, 0, 0},
    {kSectionKey, kEditTypeAscii, 8, 1, 0},
    {nullptr, 0, 0, 0, 0},
};

namespace {

const EditInfo* editInfoFor(const std::string& key) {
  for (const EditInfo* entry = myEditInfTable; entry->key; ++entry) {
    if (key == entry->key) return entry;
  }
  return nullptr;
}

bool isPrintableAscii(char32_t c) { return c >= 0x21 && c <= 0x7E; }

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

int32_t GetEditInfoTableSize() {
  int32_t size = 0;
  while (myEditInfTable[size].key) ++size;
  return size;
}

int32_t GetEditTextType(const std::string& key) {
  const EditInfo* entry = editInfoFor(key);
  return entry ? entry->editType : kEditTypeWideChar;
}

int32_t GetEditTextMaxLength(const std::string& key) {
  const EditInfo* entry = editInfoFor(key);
  return entry ? entry->maxWidth : 0;
}

bool IsEditTextPassword(const std::string& key) {
  const EditInfo* entry = editInfoFor(key);
  return entry && entry->password == 1;
}

bool IsEditTextRequired(const std::string& key) {
  const EditInfo* entry = editInfoFor(key);
  return entry && entry->required == 1;
}

bool WideCharKeyFilter(char32_t c) { return c != 0xA5 && c != 0xFFE5 && c >= 0x20 && c != 0x7F; }

bool WideCharKeyFilter2(char32_t c) { return isPrintableAscii(c) && c != '"'; }

bool AsciiKeyFilter(char32_t c) { return isPrintableAscii(c) && c != '"'; }

bool AsciiKeyFilter2(char32_t c) { return (c == ' ' || isPrintableAscii(c)) && c != '"' && c != '+'; }

bool AlphaNumericKeyFilter(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool NumericKeyFilter(char32_t c) { return c >= '0' && c <= '9'; }

bool SpecialKeyFilter(char32_t c) {
  return c == 0x03 || c == 0x08 || c == 0x09 || c == 0x0D || c == 0x10 || (c >= 0x1B && c <= 0x1F) || c == 0x7F;
}

bool FilterEditTextInputKey(const std::string& key, char32_t c) {
  if (c == '+' && IsEditTextPassword(key)) return false;
  switch (GetEditTextType(key)) {
    case kEditTypeWideChar2: return WideCharKeyFilter2(c);
    case kEditTypeAscii: return AsciiKeyFilter(c);
    case kEditTypeAscii2: return AsciiKeyFilter2(c);
    case kEditTypeAlphaNumeric: return AlphaNumericKeyFilter(c);
    case kEditTypeNumeric: return NumericKeyFilter(c);
    default: return WideCharKeyFilter(c);
  }
}

char32_t UCFindComposedCharAtIndex(const char16_t* units, int32_t count, int32_t index, int32_t* next) {
  if (!units || index < 0 || index >= count) {
    if (next) *next = index + 1;
    return 0;
  }
  const char16_t unit = units[index];
  if (isHighSurrogate(unit) && index + 1 < count && isLowSurrogate(units[index + 1])) {
    if (next) *next = index + 2;
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[index + 1] - 0xDC00);
  }
  if (next) *next = index + 1;
  return unit;
}

std::optional<std::u16string> CheckUniCharString(const char16_t* units, int32_t count, const std::string& key) {
  if (!units || count <= 0) return std::nullopt;
  std::u16string kept;
  for (int32_t i = 0; i < count;) {
    int32_t next = i + 1;
    const char32_t c = UCFindComposedCharAtIndex(units, count, i, &next);
    if (FilterEditTextInputKey(key, c)) kept.append(units + i, units + next);
    i = next;
  }
  return kept;
}

SECURITYPANE_NAMESPACE_END
