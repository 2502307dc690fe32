// The security pane's stored credentials as they may arrive in print
// settings: any text decoded as a hexadecimal name and as a ciphertext, and
// any text encoded and decoded back, which must give the text again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pdk/text.h"
#include "securitypane/credential_codec.h"

using namespace securitypane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Stored forms: checked before decoding, whatever they hold.
  ZNCFStringDecode(text);
  ZNCFStringDecodeWithDecrypt(text, kPanelKeyId, kPanelKeySubId);

  // Text a field can hold (UTF-8 without U+0000): a name round-trips, a
  // password round-trips up to its first "+".
  if (text.find('\0') != std::string::npos || !pdk::isValidUtf8(text)) return 0;
  if (auto hex = ZNCFStringEncode(text)) {
    auto back = ZNCFStringDecode(*hex);
    if (back && *back != text) std::abort();
  }
  if (auto cipher = ZNCFStringEncodeWithEncrypt(text, kPanelKeyId, kPanelKeySubId)) {
    auto back = ZNCFStringDecodeWithDecrypt(*cipher, kPanelKeyId, kPanelKeySubId);
    if (back && *back != text.substr(0, text.find('+'))) std::abort();
  }
  return 0;
}
