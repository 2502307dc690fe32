// Conversions between the toolkit's UTF-8 text and the UTF-16 units in
// which the pane's fields count and filter characters. Thread-safe.
#pragma once

#include <string>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// UTF-8 as UTF-16 units; a byte that starts no character becomes U+FFFD.
std::u16string utf16FromUtf8(const std::string& utf8);
// UTF-16 units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(const std::u16string& units);

SECURITYPANE_NAMESPACE_END
