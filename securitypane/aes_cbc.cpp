#include "securitypane/aes_cbc.h"

#include "securitypane/aes256.h"
#include "securitypane/secure_wipe.h"
#include "securitypane/sha256.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

// Key and IV of one call, wiped when the call ends.
struct DerivedKey {
  uint8_t key[kAES256KeyLength];
  uint8_t iv[kAESIVLength];
  ~DerivedKey() { secureWipe(this, sizeof *this); }
};

void deriveKey(const uint8_t* word, DerivedKey* derived) {
  constexpr size_t half = kAESKeyWordLength / 2;
  uint8_t digest[kSHA256DigestLength];
  ZN_QEL_SHA256(word, half, derived->key);
  ZN_QEL_SHA256(word + half, half, digest);
  for (size_t i = 0; i < kAESIVLength; ++i) derived->iv[i] = digest[i];
  secureWipe(digest, sizeof digest);
}

}  // namespace

size_t ZN_QEL_AES_PaddedLength(size_t length) { return (length / kAESBlockLength + 1) * kAESBlockLength; }

int32_t ZN_QEL_AES_CBC_Encrypt(uint8_t* buffer, size_t length, size_t capacity, bool noPadding, const uint8_t* key,
                               const uint8_t* iv, size_t* resultLength) {
  if (!buffer || !key || !iv || !resultLength || length > capacity) return kAESBadArgument;
  size_t total = length;
  if (noPadding) {
    if (length % kAESBlockLength != 0) return kAESBadArgument;
  } else {
    total = ZN_QEL_AES_PaddedLength(length);
    if (total > capacity) return kAESBadArgument;
    const uint8_t fill = static_cast<uint8_t>(total - length - 1);
    for (size_t i = length; i < total; ++i) buffer[i] = fill;
  }
  ZN_QEL_AES_KEY schedule;
  uint8_t chain[kAESIVLength];
  for (size_t i = 0; i < kAESIVLength; ++i) chain[i] = iv[i];
  ZN_QEL_AES_set_key(&schedule, key, kAES256KeyLength);
  ZN_QEL_AES_cbc_encrypt_com(&schedule, buffer, buffer, total, chain, ZN_QEL_AES_encrypt);
  secureWipe(&schedule, sizeof schedule);
  secureWipe(chain, sizeof chain);
  *resultLength = total;
  return kAESNoError;
}

int32_t ZN_QEL_AES_CBC_Decrypt(uint8_t* buffer, size_t length, const uint8_t* key, const uint8_t* iv,
                               size_t* resultLength) {
  if (!buffer || !key || !iv || !resultLength) return kAESBadArgument;
  if (length == 0 || length % kAESBlockLength != 0) return kAESUndecodable;
  ZN_QEL_AES_KEY schedule;
  uint8_t chain[kAESIVLength];
  for (size_t i = 0; i < kAESIVLength; ++i) chain[i] = iv[i];
  ZN_QEL_AES_set_key(&schedule, key, kAES256KeyLength);
  ZN_QEL_AES_convert_key(&schedule);
  ZN_QEL_AES_cbc_decrypt_com(&schedule, buffer, buffer, length, chain, ZN_QEL_AES_decrypt);
  secureWipe(&schedule, sizeof schedule);
  secureWipe(chain, sizeof chain);
  // The last byte counts the padding bytes minus 1.
  const size_t padding = size_t{buffer[length - 1]} + 1;
  if (padding > length) {
    secureWipe(buffer, length);
    return kAESUndecodable;
  }
  for (size_t i = length - padding; i < length; ++i) buffer[i] = 0;
  *resultLength = length - padding;
  return kAESNoError;
}

int32_t ZN_QEL_AES_CBC_EncryptWord(uint8_t* buffer, size_t length, size_t capacity, bool noPadding,
                                   const uint8_t* word, size_t* resultLength) {
  if (!word) return kAESBadArgument;
  DerivedKey derived;
  deriveKey(word, &derived);
  return ZN_QEL_AES_CBC_Encrypt(buffer, length, capacity, noPadding, derived.key, derived.iv, resultLength);
}

int32_t ZN_QEL_AES_CBC_DecryptWord(uint8_t* buffer, size_t length, const uint8_t* word, size_t* resultLength) {
  if (!word) return kAESBadArgument;
  DerivedKey derived;
  deriveKey(word, &derived);
  return ZN_QEL_AES_CBC_Decrypt(buffer, length, derived.key, derived.iv, resultLength);
}

SECURITYPANE_NAMESPACE_END
