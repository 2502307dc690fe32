// The AES block cipher (FIPS-197) in its combined-table form, with key
// expansion for 128-, 192- and 256-bit keys, the schedule of the equivalent
// inverse cipher, and CBC chaining (SP 800-38A) over whole blocks. A key
// schedule holds key material: wipe it when done. Thread-safe: every
// function works on its arguments only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

inline constexpr size_t kAESBlockLength = 16;
inline constexpr int32_t kAESMaxRounds = 14;

// An expanded key: the round keys and the number of rounds.
struct ZN_QEL_AES_KEY {
  uint32_t rd_key[4 * (kAESMaxRounds + 1)];
  int32_t rounds;
};

// One block in place, with an encryption or a converted (decryption) schedule.
using ZN_QEL_AES_BlockFunction = void (*)(const ZN_QEL_AES_KEY* schedule, uint8_t* block);

// Expand a key of 16, 24 or 32 bytes (10, 12 or 14 rounds). Return 0, or 1
// for any other size (the schedule is then left unset).
int32_t ZN_QEL_AES_set_key(ZN_QEL_AES_KEY* schedule, const uint8_t* key, int32_t keyBytes);
// Turn an encryption schedule into the decryption schedule of the
// equivalent inverse cipher.
void ZN_QEL_AES_convert_key(ZN_QEL_AES_KEY* schedule);
// Encrypt / decrypt one 16-byte block in place.
void ZN_QEL_AES_encrypt(const ZN_QEL_AES_KEY* schedule, uint8_t* block);
void ZN_QEL_AES_decrypt(const ZN_QEL_AES_KEY* schedule, uint8_t* block);
// CBC over the whole 16-byte blocks of `length` bytes (a shorter tail is not
// touched); `output` may be `input`. `iv` ends holding the last ciphertext
// block, so a message can be continued.
void ZN_QEL_AES_cbc_encrypt_com(const ZN_QEL_AES_KEY* schedule, uint8_t* output, const uint8_t* input,
                                size_t length, uint8_t* iv, ZN_QEL_AES_BlockFunction encryptBlock);
void ZN_QEL_AES_cbc_decrypt_com(const ZN_QEL_AES_KEY* schedule, uint8_t* output, const uint8_t* input,
                                size_t length, uint8_t* iv, ZN_QEL_AES_BlockFunction decryptBlock);

SECURITYPANE_NAMESPACE_END
