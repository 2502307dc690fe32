#include "text_actions.h"

#include "pdk/text.h"

namespace {

void appendUtf8(std::string& out, uint32_t cp) {
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

bool decodeTypedText(const std::string& raw, std::string* text, std::string* error) {
  if (!pdk::isValidUtf8(raw)) {
    *error = "the text is not UTF-8";
    return false;
  }
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      out += raw[i];
      continue;
    }
    if (raw.compare(i, 2, "\\\\") == 0) {
      out += '\\';
      ++i;
      continue;
    }
    size_t close = raw.find('}', i);
    std::string hex =
        raw.compare(i, 3, "\\u{") == 0 && close != std::string::npos ? raw.substr(i + 3, close - i - 3) : "";
    if (hex.empty() || hex.size() > 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      *error = "bad escape at '" + raw.substr(i, 12) + "' (use \\u{HEX} or \\\\)";
      return false;
    }
    uint32_t cp = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      *error = "\\u{" + hex + "} is not a character";
      return false;
    }
    appendUtf8(out, cp);
    i = close;
  }
  *text = out;
  return true;
}

std::vector<std::string> keystrokes(const std::string& text) {
  std::vector<std::string> keys;
  for (unsigned char c : text) {
    // A byte that does not continue a character starts a new one.
    if ((c & 0xC0) != 0x80 || keys.empty()) keys.emplace_back();
    keys.back() += static_cast<char>(c);
  }
  return keys;
}

void editField(pdk::TextField& field, const std::function<void(pdk::FieldEditor&)>& keys) {
  if (!field.beginEditing()) return;
  if (pdk::FieldEditor* editor = field.currentEditor()) keys(*editor);
  field.endEditing();
}
