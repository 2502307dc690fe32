// How wide a text is on screen, in display cells: a wide East Asian
// character (and the other characters the printer's panel draws wide) takes
// two cells, every other character one. The pane's edit fields limit their
// text by this width. Thread-safe.
#pragma once

#include <cstdint>
#include <string>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// The cells of one code point: 2 inside the wide ranges, else 1.
int32_t EastAsianWidthOf(char32_t c);
// The width of UTF-8 text: 0 when empty; a character outside the basic
// plane is one code point; U+0000 counts like any other character, so
// nothing after it goes unmeasured.
int32_t CFStringGetEastAsianWidth(const std::string& text);

SECURITYPANE_NAMESPACE_END
