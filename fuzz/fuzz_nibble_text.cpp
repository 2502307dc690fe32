// Nibble text, as a stored profile path comes back from the print settings:
// decoding any text, and encoding any bytes and decoding them again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "colorpane/nibble_text.h"
#include "pdk/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  // A decoded text is UTF-8 and encodes back to the pairs it came from
  // (an odd last character was paired with a zero).
  if (std::optional<std::string> decoded = colorpane::decodeNibbleText(input)) {
    if (!pdk::isValidUtf8(*decoded)) std::abort();
    if (decoded->size() != (input.size() + 1) / 2) std::abort();
  }

  // Encoding gives twice the bytes in "0" to "?"; UTF-8 comes back whole.
  const std::string encoded = colorpane::encodeNibbleText(input);
  if (encoded.size() != 2 * input.size()) std::abort();
  for (char c : encoded) {
    if (c < '0' || c > '?') std::abort();
  }
  const std::optional<std::string> back = colorpane::decodeNibbleText(encoded);
  if (pdk::isValidUtf8(input) != back.has_value()) std::abort();
  if (back && *back != input) std::abort();
  return 0;
}
