// Character classes of the colour pane's filtered text fields, and the walk
// that removes refused characters from a field's UTF-16 text. These tables
// are the colour pane's own; the security pane's fields follow other rules.
// Pure functions, thread-safe.
#pragma once

#include <cstdint>
#include <string>

#include "colorpane/namespace.h"

COLORPANE_NAMESPACE_BEGIN

// Kinds of ZNTextField::setInputKey; any other value admits wide characters.
inline constexpr int32_t kInputKeyAscii = 0;
inline constexpr int32_t kInputKeyAsciiAppoint = 1;
inline constexpr int32_t kInputKeyAlphaNumeric = 2;
inline constexpr int32_t kInputKeyNumeric = 3;

// 1 when the code point belongs to the class, else 0.
// Printable ASCII, 0x20 to 0x7E.
int32_t AsciiKeyFilter(uint32_t codePoint);
// Printable ASCII without the space and without the characters a printer's
// file name must not hold: " * + , / : ; < = > ? @ [ \ ] |
int32_t AsciiKeyFilterAppoint(uint32_t codePoint);
// 0-9, A-Z, a-z.
int32_t AlphaNumericKeyFilter(uint32_t codePoint);
// 0-9.
int32_t NumericKeyFilter(uint32_t codePoint);
// Everything but the double quote and the plus sign.
int32_t WideCharKeyFilter(uint32_t codePoint);
// The filter of `kind` applied to the code point.
int32_t FilterEditTextInputKey(int32_t kind, uint32_t codePoint);

// The code point at `index` of `units`: a surrogate unit is combined with
// the unit after it, when there is one; *next receives index + 1 (the walk
// always advances by one unit). 0 with *next = index for an index outside.
uint32_t UCFindComposedCharAtIndex(const char16_t* units, int32_t count, int32_t index, int32_t* next);
// Remove from `text` every unit whose code point (read from `units`, the
// text as it was) the filter of `kind` refuses; `text` holds the same
// units as `units` on entry. Reading from the unchanged units keeps the walk
// in step, so two refused characters in a row both go. Under kinds 0 to 3 a
// character outside the basic plane is removed whole: both units are refused.
void CheckUniCharString(const char16_t* units, int32_t count, int32_t kind, std::u16string* text);

COLORPANE_NAMESPACE_END
