// Reading and writing property lists (XML or binary in, XML out) through
// libplist. Malformed input yields a null Value, never a crash; so does a
// list holding a string that is not UTF-8 or holds U+0000, and a list
// nesting arrays and dictionaries deeper than kMaxPlistNesting.
#pragma once

#include <string>

#include "pdk/value.h"

namespace pdk {

// Deepest nesting of arrays and dictionaries a list may have.
inline constexpr int kMaxPlistNesting = 256;

// Parse a property list held in memory; null on malformed input.
Value plistFromBytes(const std::string& bytes);
// Serialise as an XML property list.
std::string plistToXml(const Value& v);

// Read a property-list file; null when it is missing, not a regular file,
// larger than 64 MiB or malformed.
Value readPlistFile(const std::string& path);
// Write an XML property-list file in place; false on any I/O failure.
bool writePlistFile(const std::string& path, const Value& v);
// Write through a temporary file in the same folder that is synced and
// renamed over the target, so readers never see a half-written file.
bool writePlistFileAtomic(const std::string& path, const Value& v);

}  // namespace pdk
