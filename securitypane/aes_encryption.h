// Encryption of short texts with a key word picked from the key table by id
// and sub-id (id 0: the caller's own word). The picked entry's 20 bytes are
// rearranged into the working word W (even-numbered bytes in order, then
// odd-numbered bytes from the last) before key and IV are derived from W.
// Thread-safe; nothing of the key outlives a call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/aes_cbc.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// The key word of the table entry for (id, subId): the first entry of that
// id when subId is 0, else the entry of that id and sub-id; the terminator's
// word when there is none.
const uint8_t* GetAesKey(int32_t keyId, int32_t subId);

// Pad (unless `noPadding`) and encrypt `length` bytes of `buffer` (of
// `capacity` bytes) in place; `resultLength` := the padded length. Nothing
// happens (kAESBadArgument) without buffer, caller's word or result slot.
int32_t AesEncryption(uint8_t* buffer, size_t length, size_t capacity, bool noPadding, const uint8_t* callerWord,
                      size_t* resultLength, int32_t keyId, int32_t subId);
// Decrypt `length` bytes in place and take the padding off; `resultLength`
// := the plaintext length. kAESUndecodable for a length that is not whole
// blocks or padding longer than the text.
int32_t AesDecryption(uint8_t* buffer, size_t length, const uint8_t* callerWord, size_t* resultLength,
                      int32_t keyId, int32_t subId);

SECURITYPANE_NAMESPACE_END
