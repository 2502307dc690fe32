// Reading and writing property lists (XML or binary in, XML out) through
// libplist. Malformed input yields a null Value, never a crash.
#pragma once

#include <string>

#include "pdk/value.h"

namespace pdk {

// Parse a property list held in memory; null on malformed input.
Value plistFromBytes(const std::string& bytes);
// Serialise as an XML property list.
std::string plistToXml(const Value& v);

// Read a property-list file; null when it is missing or malformed.
Value readPlistFile(const std::string& path);
// Write an XML property-list file in place; false on any I/O failure.
bool writePlistFile(const std::string& path, const Value& v);
// Write through a temporary file in the same folder that is synced and
// renamed over the target, so readers never see a half-written file.
bool writePlistFileAtomic(const std::string& path, const Value& v);

}  // namespace pdk
