// Offsets in text: GTK counts characters (code points), the toolkit's text
// fields UTF-16 units. Both functions take UTF-8 text and clamp to its end.
#pragma once

#include <string>

// UTF-16 units of the first `characters` characters of `text`.
int unitsBefore(const std::string& text, int characters);
// Characters within the first `units` UTF-16 units of `text` (a cut inside
// a surrogate pair counts the whole character).
int charactersBefore(const std::string& text, int units);
