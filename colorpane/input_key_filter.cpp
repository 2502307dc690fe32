#include "colorpane/input_key_filter.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

// A closed range of code points; a table of them ends with kEndOfRanges.
struct CodeRange {
  uint32_t first;
  uint32_t last;
};
constexpr CodeRange kEndOfRanges = {UINT32_MAX, 0};

// A character class: the code points in `admitted` that are not in `refused`.
struct KeyClass {
  const CodeRange* admitted;
  const CodeRange* refused;
};

constexpr CodeRange kNone[] = {kEndOfRanges};
constexpr CodeRange kPrintableAscii[] = {{0x20, 0x7E}, kEndOfRanges};
constexpr CodeRange kVisibleAscii[] = {{0x21, 0x7E}, kEndOfRanges};
constexpr CodeRange kFileNameRefused[] = {
    {0x22, 0x22}, {0x2A, 0x2C}, {0x2F, 0x2F}, {0x3A, 0x40}, {0x5B, 0x5D}, {0x7C, 0x7C}, kEndOfRanges,
};
constexpr CodeRange kAlphaNumeric[] = {{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, kEndOfRanges};
constexpr CodeRange kDigits[] = {{'0', '9'}, kEndOfRanges};
constexpr CodeRange kEverything[] = {{0, UINT32_MAX - 1}, kEndOfRanges};
constexpr CodeRange kQuoteAndPlus[] = {{0x22, 0x22}, {0x2B, 0x2B}, kEndOfRanges};

constexpr KeyClass kAsciiClass = {kPrintableAscii, kNone};
constexpr KeyClass kAsciiAppointClass = {kVisibleAscii, kFileNameRefused};
constexpr KeyClass kAlphaNumericClass = {kAlphaNumeric, kNone};
constexpr KeyClass kNumericClass = {kDigits, kNone};
constexpr KeyClass kWideCharClass = {kEverything, kQuoteAndPlus};

bool inRanges(const CodeRange* ranges, uint32_t codePoint) {
  for (const CodeRange* r = ranges; r->first <= r->last; ++r)
    if (codePoint >= r->first && codePoint <= r->last) return true;
  return false;
}

int32_t admits(const KeyClass& keyClass, uint32_t codePoint) {
  return inRanges(keyClass.admitted, codePoint) && !inRanges(keyClass.refused, codePoint) ? 1 : 0;
}

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

}  // namespace

int32_t AsciiKeyFilter(uint32_t codePoint) { return admits(kAsciiClass, codePoint); }

int32_t AsciiKeyFilterAppoint(uint32_t codePoint) { return admits(kAsciiAppointClass, codePoint); }

int32_t AlphaNumericKeyFilter(uint32_t codePoint) { return admits(kAlphaNumericClass, codePoint); }

int32_t NumericKeyFilter(uint32_t codePoint) { return admits(kNumericClass, codePoint); }

int32_t WideCharKeyFilter(uint32_t codePoint) { return admits(kWideCharClass, codePoint); }

int32_t FilterEditTextInputKey(int32_t kind, uint32_t codePoint) {
  switch (kind) {
    case kInputKeyAscii: return AsciiKeyFilter(codePoint);
    case kInputKeyAsciiAppoint: return AsciiKeyFilterAppoint(codePoint);
    case kInputKeyAlphaNumeric: return AlphaNumericKeyFilter(codePoint);
    case kInputKeyNumeric: return NumericKeyFilter(codePoint);
    default: return WideCharKeyFilter(codePoint);
  }
}

uint32_t UCFindComposedCharAtIndex(const char16_t* units, int32_t count, int32_t index, int32_t* next) {
  if (!units || index < 0 || index >= count) {
    if (next) *next = index;
    return 0;
  }
  uint32_t codePoint = units[index];
  if (isSurrogate(units[index]) && index + 1 < count)
    codePoint = (((codePoint & 0x3FF) << 10) | (units[index + 1] & 0x3FFu)) + 0x10000;
  if (next) *next = index + 1;
  return codePoint;
}

void CheckUniCharString(const char16_t* units, int32_t count, int32_t kind, std::u16string* text) {
  if (!units || !text) return;
  int32_t removed = 0;
  for (int32_t i = 0; i < count;) {
    int32_t next = i + 1;
    const uint32_t codePoint = UCFindComposedCharAtIndex(units, count, i, &next);
    if (!FilterEditTextInputKey(kind, codePoint)) {
      const size_t at = static_cast<size_t>(i - removed);
      if (at < text->size()) text->erase(at, 1);
      ++removed;
    }
    i = next;
  }
}

COLORPANE_NAMESPACE_END
