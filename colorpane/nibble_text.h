// Nibble text: how a profile's printer path travels in the print settings.
// Each byte becomes two characters 0x30 + high nibble, 0x30 + low nibble
// ("0"-"9", then ":" to "?"), so the text is plain ASCII twice as long.
#pragma once

#include <optional>
#include <string>

#include "colorpane/namespace.h"

COLORPANE_NAMESPACE_BEGIN

std::string encodeNibbleText(const std::string& bytes);
// Decode pairs (an odd last character pairs with a zero); nullopt when the
// result is not valid UTF-8.
std::optional<std::string> decodeNibbleText(const std::string& text);

COLORPANE_NAMESPACE_END
