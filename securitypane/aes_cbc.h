// AES-256-CBC over a buffer in place, with this system's padding, and the
// derivation of key and IV from a 20-byte key word. The padding always adds
// 1 to 16 bytes, each holding the number of padding bytes minus 1. Key, IV,
// key schedule and work buffers are wiped before every function returns.
// Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

inline constexpr size_t kAESKeyWordLength = 20;
inline constexpr size_t kAES256KeyLength = 32;
inline constexpr size_t kAESIVLength = 16;

inline constexpr int32_t kAESNoError = 0;
inline constexpr int32_t kAESBadArgument = -50;
// The ciphertext is not whole blocks or announces more padding than it has.
inline constexpr int32_t kAESUndecodable = -1;

// Length after padding: the next multiple of 16 above `length`.
size_t ZN_QEL_AES_PaddedLength(size_t length);

// Pad (unless `noPadding`, which needs whole blocks) and encrypt the first
// `length` bytes of `buffer` in place; `capacity` is the buffer's size and
// must hold the padded length. `resultLength` := the ciphertext length.
int32_t ZN_QEL_AES_CBC_Encrypt(uint8_t* buffer, size_t length, size_t capacity, bool noPadding, const uint8_t* key,
                               const uint8_t* iv, size_t* resultLength);
// Decrypt whole blocks in place and take the padding off (its bytes are set
// to zero); `resultLength` := the plaintext length.
int32_t ZN_QEL_AES_CBC_Decrypt(uint8_t* buffer, size_t length, const uint8_t* key, const uint8_t* iv,
                               size_t* resultLength);
// The same with key = SHA-256 of word[0..9] and IV = the first 16 bytes of
// SHA-256 of word[10..19].
int32_t ZN_QEL_AES_CBC_EncryptWord(uint8_t* buffer, size_t length, size_t capacity, bool noPadding,
                                   const uint8_t* word, size_t* resultLength);
int32_t ZN_QEL_AES_CBC_DecryptWord(uint8_t* buffer, size_t length, const uint8_t* word, size_t* resultLength);

SECURITYPANE_NAMESPACE_END
