// SHA-256 (FIPS 180-4), one-shot and incremental, for deriving the
// credential cipher's key and IV. A context belongs to one thread; the
// one-shot form without a digest buffer writes a process-wide buffer and is
// therefore not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

inline constexpr size_t kSHA256DigestLength = 32;
inline constexpr size_t kSHA256BlockLength = 64;

struct ZN_QEL_SHA256_CTX {
  uint32_t state[8];
  uint64_t totalLength;  // bytes hashed so far
  uint8_t block[kSHA256BlockLength];
  size_t blockLength;    // bytes waiting in `block`
};

// Start a new digest.
void ZN_QEL_SHA256_Init(ZN_QEL_SHA256_CTX* context);
// Hash `length` more bytes.
void ZN_QEL_SHA256_Update(ZN_QEL_SHA256_CTX* context, const uint8_t* data, size_t length);
// Write the 32-byte digest and wipe the context.
void ZN_QEL_SHA256_Final(ZN_QEL_SHA256_CTX* context, uint8_t* digest);
// Hash `length` bytes into `digest` (32 bytes), or into a static buffer when
// `digest` is null; return the digest.
uint8_t* ZN_QEL_SHA256(const uint8_t* data, size_t length, uint8_t* digest);

SECURITYPANE_NAMESPACE_END
