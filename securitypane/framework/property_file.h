// The machine-wide property file of the TLQ770-1 (an XML property list of
// string values, under the system root): a writability test, and reading
// and writing one string. Safe to call from any thread; the writability
// test leaves the process's file-creation mask alone and never removes a
// file it did not create.
#pragma once

#include <string>

#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

inline constexpr const char* kPropertyFile = "/Library/Preferences/quorlin.printers.TLQ770-1.plist";

// The property file's path under the system root.
std::string ZNPropertyFilePath();
// True when the property file can be opened for writing: it exists and
// opens for appending, or its folder lets this process create it.
bool ZNPropertyIsWritable();
// Only when writable: set `key` to `value` in the file (an empty dictionary
// when it is missing or unreadable) and write it back whole, atomically.
// Return whether the write succeeded.
bool ZNPropertySetString(const std::string& key, const std::string& value);
// True and the string when the file reads and holds a string under `key`.
bool ZNPropertyGetString(const std::string& key, std::string* value);

SECURITY_FRAMEWORK_NAMESPACE_END
