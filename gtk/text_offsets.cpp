#include "text_offsets.h"

namespace {

// The UTF-8 length of the character that starts with `lead`, and its UTF-16
// units (2 beyond the basic plane). A stray byte counts as one character.
int utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }
int unitsOf(unsigned char lead) { return lead >= 0xF0 ? 2 : 1; }

}  // namespace

int unitsBefore(const std::string& text, int characters) {
  int units = 0;
  for (size_t i = 0; i < text.size() && characters > 0; --characters) {
    auto lead = static_cast<unsigned char>(text[i]);
    units += unitsOf(lead);
    i += static_cast<size_t>(utf8Length(lead));
  }
  return units;
}

int charactersBefore(const std::string& text, int units) {
  int characters = 0;
  for (size_t i = 0; i < text.size() && units > 0; ++characters) {
    auto lead = static_cast<unsigned char>(text[i]);
    units -= unitsOf(lead);
    i += static_cast<size_t>(utf8Length(lead));
  }
  return characters;
}
