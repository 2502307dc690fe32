#include "securitypane/utf16_text.h"

#include <cstdint>

SECURITYPANE_NAMESPACE_BEGIN

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The code point at `i` and its length in bytes; U+FFFD and length 1 for a
// byte that starts no well-formed character.
char32_t decodeUtf8At(const std::string& s, size_t i, size_t* length) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  *length = 1;
  if (b0 < 0x80) return b0;
  size_t n = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 && b0 <= 0xDF ? 2 : 0;
  if (n == 0 || b0 > 0xF4 || i + n > s.size()) return kReplacement;
  char32_t cp = b0 & (0xFF >> (n + 1));
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  *length = n;
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::u16string utf16FromUtf8(const std::string& utf8) {
  std::u16string units;
  units.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    size_t length = 0;
    const char32_t cp = decodeUtf8At(utf8, i, &length);
    i += length;
    if (cp < 0x10000) {
      units += static_cast<char16_t>(cp);
    } else {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return units;
}

std::string utf8FromUtf16(const std::u16string& units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t u = units[i];
    if (isHighSurrogate(u) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
      u = 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
      u = kReplacement;
    }
    appendUtf8(out, u);
  }
  return out;
}

SECURITYPANE_NAMESPACE_END
