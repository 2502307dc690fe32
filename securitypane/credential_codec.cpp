#include "securitypane/credential_codec.h"

#include <cstring>

#include "pdk/text.h"
#include "securitypane/aes256.h"
#include "securitypane/aes_encryption.h"
#include "securitypane/hex_codec.h"
#include "securitypane/secure_wipe.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

// One call's work buffer: room for the longest text padded, and a NUL.
constexpr size_t kWorkBufferSize = 257;
// Hexadecimal of the longest ciphertext, and a NUL.
constexpr size_t kHexBufferSize = kMaxStoredPasswordDigits + 1;

// The caller's own key word; only key id 0 uses it, which the pane never does.
constexpr uint8_t kCallerWord[kAESKeyWordLength] = {};

struct WorkBuffer {
  uint8_t bytes[kWorkBufferSize] = {};
  ~WorkBuffer() { secureWipe(bytes, sizeof bytes); }
};

struct HexBuffer {
  char text[kHexBufferSize] = {};
  ~HexBuffer() { secureWipe(text, sizeof text); }
};

// Decode checked digits into `work`; the number of bytes.
size_t decodeDigits(const std::string& hex, WorkBuffer* work) {
  return static_cast<size_t>(
      ZNCStringDecodeMFP(hex.data(), work->bytes, static_cast<int32_t>(hex.size()), sizeof work->bytes));
}

bool isStoredHex(const std::string& hex, size_t maxDigits) {
  return hex.size() <= maxDigits && hex.size() % 2 == 0 && isUpperHexText(hex.data(), hex.size());
}

bool usesKey(int32_t keyId, int32_t subId) { return keyId != kNoKey && subId != kNoKey; }

std::optional<std::string> storedString(const pdk::Value& dictionary, const std::string& key) {
  const pdk::Value v = dictionary.get(key);
  if (!v.isString()) return std::nullopt;
  return v.asString();
}

void store(const pdk::Value& dictionary, const std::string& key, const std::optional<std::string>& encoded) {
  dictionary.set(key, pdk::Value(encoded.value_or(std::string())));
}

}  // namespace

std::optional<std::string> ZNCFStringEncode(const std::string& text) {
  if (text.size() > kMaxCredentialBytes) return std::nullopt;
  char hex[2 * kMaxCredentialBytes + 1];
  const int32_t digits = ZNCStringEncodeMFP(reinterpret_cast<const uint8_t*>(text.data()), hex,
                                            static_cast<int32_t>(text.size()), sizeof hex);
  return std::string(hex, static_cast<size_t>(digits));
}

std::optional<std::string> ZNCFStringDecode(const std::string& hex) {
  if (!isStoredHex(hex, kMaxStoredNameDigits)) return std::nullopt;
  WorkBuffer work;
  const size_t n = decodeDigits(hex, &work);
  std::string text(reinterpret_cast<const char*>(work.bytes), n);
  if (!pdk::isValidUtf8(text)) return std::nullopt;
  return text;
}

std::optional<std::string> ZNCFStringEncodeWithEncrypt(const std::string& text, int32_t keyId, int32_t subId) {
  if (text.size() > kMaxCredentialBytes) return std::nullopt;
  WorkBuffer work;
  std::memcpy(work.bytes, text.data(), text.size());
  size_t length = 0;
  if (AesEncryption(work.bytes, text.size(), sizeof work.bytes, false, kCallerWord, &length, keyId, subId) !=
      kAESNoError) {
    return std::nullopt;
  }
  HexBuffer hex;
  const int32_t digits = ZNCStringEncodeMFP(work.bytes, hex.text, static_cast<int32_t>(length), sizeof hex.text);
  return std::string(hex.text, static_cast<size_t>(digits));
}

std::optional<std::string> ZNCFStringDecodeWithDecrypt(const std::string& hex, int32_t keyId, int32_t subId) {
  if (!isStoredHex(hex, kMaxStoredPasswordDigits) || hex.size() % (2 * kAESBlockLength) != 0) return std::nullopt;
  if (hex.empty()) return std::string();
  WorkBuffer work;
  const size_t n = decodeDigits(hex, &work);
  size_t length = 0;
  if (AesDecryption(work.bytes, n, kCallerWord, &length, keyId, subId) != kAESNoError) return std::nullopt;
  // The stored form ends a password at its first "+".
  const void* plus = std::memchr(work.bytes, '+', length);
  if (plus) length = static_cast<size_t>(static_cast<const uint8_t*>(plus) - work.bytes);
  std::string text(reinterpret_cast<const char*>(work.bytes), length);
  if (!pdk::isValidUtf8(text)) {
    secureWipe(text.data(), text.size());
    return std::nullopt;
  }
  return text;
}

void LoadEditText(const pdk::Value& dictionary, const std::string& key, std::optional<std::string>* result) {
  if (!result) return;
  if (auto stored = storedString(dictionary, key)) *result = ZNCFStringDecode(*stored);
}

void LoadEditTextNumber(const pdk::Value& dictionary, const std::string& key, std::optional<std::string>* result) {
  LoadEditText(dictionary, key, result);
}

void LoadEditTextPassword(const pdk::Value& dictionary, const std::string& key, int32_t keyId, int32_t subId,
                          std::optional<std::string>* result) {
  if (!result) return;
  auto stored = storedString(dictionary, key);
  if (!stored) return;
  auto text = usesKey(keyId, subId) ? ZNCFStringDecodeWithDecrypt(*stored, keyId, subId) : ZNCFStringDecode(*stored);
  *result = text.value_or(std::string());
}

void SaveEditText(const pdk::Value& dictionary, const std::string& key, const std::string& text) {
  if (text.empty()) return;
  store(dictionary, key, ZNCFStringEncode(text));
}

void SaveEditTextNumber(const pdk::Value& dictionary, const std::string& key, const std::string& text) {
  SaveEditText(dictionary, key, text);
}

void SaveEditTextPassword(const pdk::Value& dictionary, const std::string& key, int32_t keyId, int32_t subId,
                          const std::string& text) {
  if (text.empty()) return;
  store(dictionary, key, usesKey(keyId, subId) ? ZNCFStringEncodeWithEncrypt(text, keyId, subId) : ZNCFStringEncode(text));
}

SECURITYPANE_NAMESPACE_END
