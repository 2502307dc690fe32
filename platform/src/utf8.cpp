// UTF-8 well-formedness, on its own so that the relay, which needs nothing
// else of the text services, links no Unicode library.
#include <cstdint>
#include <string>

#include "pdk/text.h"

namespace pdk {
namespace {

// Decode the character at `i`; its code point and length, or length 0 when
// the bytes there are not well-formed UTF-8.
struct Decoded {
  uint32_t codePoint = 0;
  size_t length = 0;
};

Decoded decodeAt(const std::string& s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return {b0, 1};
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlong forms
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return {};
  }
  if (i + length > s.size() || byte(i + 1) < low || byte(i + 1) > high) return {};
  uint32_t cp = b0 & (0xFF >> (length + 1));
  for (size_t k = 1; k < length; ++k) {
    if (k > 1 && (byte(i + k) & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  return {cp, length};
}

bool isXmlCharacter(uint32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
         cp >= 0x10000;
}

}  // namespace

bool isValidUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const Decoded d = decodeAt(bytes, i);
    if (d.length == 0) return false;
    i += d.length;
  }
  return true;
}

bool isXmlText(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const Decoded d = decodeAt(bytes, i);
    if (d.length == 0 || !isXmlCharacter(d.codePoint)) return false;
    i += d.length;
  }
  return true;
}

}  // namespace pdk
