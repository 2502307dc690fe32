#include "colorpane/nibble_text.h"

#include "pdk/text.h"

COLORPANE_NAMESPACE_BEGIN

std::string encodeNibbleText(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out.push_back(static_cast<char>(0x30 + (b >> 4)));
    out.push_back(static_cast<char>(0x30 + (b & 0x0F)));
  }
  return out;
}

std::optional<std::string> decodeNibbleText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned c1 = static_cast<unsigned char>(text[i]);
    unsigned c2 = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    out.push_back(static_cast<char>((c1 * 16 + c2 - 0x30) & 0xFF));
  }
  if (!pdk::isValidUtf8(out)) return std::nullopt;
  return out;
}

COLORPANE_NAMESPACE_END
