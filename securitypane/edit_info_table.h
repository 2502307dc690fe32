// The limits of the panel's five edit fields, by print-settings key: the
// edit type (which characters a field takes), the maximum width in display
// cells, whether the field holds a password and whether it must be filled
// when enabled. Also the per-type key filters, which judge one code point
// each, and the walk over UTF-16 units that applies them. Read-only tables;
// thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// The pane's print-settings keys of its edit fields.
inline constexpr const char* kSecureKey = "quorlin.printers.TLQ770-1.secureKey";
inline constexpr const char* kUserNameKey = "quorlin.printers.TLQ770-1.userName";
inline constexpr const char* kUserKey = "quorlin.printers.TLQ770-1.userKey";
inline constexpr const char* kSectionNameKey = "quorlin.printers.TLQ770-1.sectionName";
inline constexpr const char* kSectionKey = "quorlin.printers.TLQ770-1.sectionKey";

// Edit types, each with its key filter.
inline constexpr int32_t kEditTypeWideChar = 0;      // WideCharKeyFilter
inline constexpr int32_t kEditTypeWideChar2 = 1;     // WideCharKeyFilter2
inline constexpr int32_t kEditTypeAscii = 2;         // AsciiKeyFilter
inline constexpr int32_t kEditTypeAscii2 = 3;        // AsciiKeyFilter2
inline constexpr int32_t kEditTypeAlphaNumeric = 4;  // AlphaNumericKeyFilter
inline constexpr int32_t kEditTypeNumeric = 5;       // NumericKeyFilter

struct EditInfo {
  const char* key;  // null ends the table
  int32_t editType;
  int32_t maxWidth;  // display cells
  uint8_t password;  // 1 = yes
  uint8_t required;  // 1 = yes
};

extern const EditInfo myEditInfTable[];
// The number of entries before the terminator: 5.
int32_t GetEditInfoTableSize();

// The key's edit type, maximum width, password and required flags; a key not
// in the table has edit type 0, width 0 and neither flag.
int32_t GetEditTextType(const std::string& key);
int32_t GetEditTextMaxLength(const std::string& key);
bool IsEditTextPassword(const std::string& key);
bool IsEditTextRequired(const std::string& key);

// Key filters: whether a field of that type takes the code point.
// Anything but the yen signs U+00A5 and U+FFE5, U+0000, the C0 controls and
// U+007F (a name must stay printable).
bool WideCharKeyFilter(char32_t c);
// U+0021 to U+007E except the quotation mark.
bool WideCharKeyFilter2(char32_t c);
bool AsciiKeyFilter(char32_t c);
// U+0020 to U+007E except the quotation mark and the plus sign.
bool AsciiKeyFilter2(char32_t c);
bool AlphaNumericKeyFilter(char32_t c);
bool NumericKeyFilter(char32_t c);
// The editing keys (U+0003, U+0008, U+0009, U+000D, U+0010, U+001B to
// U+001F, U+007F); no edit type uses it.
bool SpecialKeyFilter(char32_t c);

// The verdict of the key's filter on `c`. A password field also refuses "+",
// because a stored password ends at its first "+" when it is read back.
bool FilterEditTextInputKey(const std::string& key, char32_t c);
// The code point starting at unit `index` of `units` (a high surrogate and a
// low one together give their combined code point, an unpaired surrogate
// stands for itself); `next` := the index after it.
char32_t UCFindComposedCharAtIndex(const char16_t* units, int32_t count, int32_t index, int32_t* next);
// The units whose code points the key's filter takes, a surrogate pair
// judged once and kept or dropped whole; none for no units.
std::optional<std::u16string> CheckUniCharString(const char16_t* units, int32_t count, const std::string& key);

SECURITYPANE_NAMESPACE_END
