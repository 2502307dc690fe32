// Checks of a property list's bytes before libplist parses them. libplist
// aborts the process when a string it hands out holds U+0000 (a UTF-16
// string of a binary list, a raw zero byte in an XML list), and it recurses
// once per nesting level while parsing, so a deeply nested list overflows
// the stack. Lists like these are refused, as malformed ones are.
#pragma once

#include <string>

#include "pdk/plist.h"

namespace pdk {

// False when a string or key of the binary list holds U+0000, when its
// containers nest deeper than kMaxPlistNesting or refer to themselves, or
// when its object table is not laid out as a binary property list's is.
bool binaryPlistIsSafeToParse(const std::string& bytes);
// False when the XML list holds a zero byte or nests arrays and
// dictionaries deeper than kMaxPlistNesting.
bool xmlPlistIsSafeToParse(const std::string& bytes);

}  // namespace pdk
