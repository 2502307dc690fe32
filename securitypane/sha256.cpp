#include "securitypane/sha256.h"

#include "securitypane/secure_wipe.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

constexpr uint32_t kInitialState[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                       0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr uint32_t rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void compress(uint32_t state[8], const uint8_t block[kSHA256BlockLength]) {
  uint32_t w[64];
  for (int t = 0; t < 16; ++t) {
    w[t] = (uint32_t{block[4 * t]} << 24) | (uint32_t{block[4 * t + 1]} << 16) |
           (uint32_t{block[4 * t + 2]} << 8) | uint32_t{block[4 * t + 3]};
  }
  for (int t = 16; t < 64; ++t) {
    const uint32_t s0 = rotr(w[t - 15], 7) ^ rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
    const uint32_t s1 = rotr(w[t - 2], 17) ^ rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
    w[t] = w[t - 16] + s0 + w[t - 7] + s1;
  }
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
  for (int t = 0; t < 64; ++t) {
    const uint32_t t1 = h + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRoundConstants[t] + w[t];
    const uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
  state[5] += f;
  state[6] += g;
  state[7] += h;
  secureWipe(w, sizeof w);
}

}  // namespace

void ZN_QEL_SHA256_Init(ZN_QEL_SHA256_CTX* context) {
  if (!context) return;
  for (int i = 0; i < 8; ++i) context->state[i] = kInitialState[i];
  context->totalLength = 0;
  context->blockLength = 0;
}

void ZN_QEL_SHA256_Update(ZN_QEL_SHA256_CTX* context, const uint8_t* data, size_t length) {
  if (!context || (!data && length)) return;
  context->totalLength += length;
  while (length > 0) {
    size_t take = kSHA256BlockLength - context->blockLength;
    if (take > length) take = length;
    for (size_t i = 0; i < take; ++i) context->block[context->blockLength + i] = data[i];
    context->blockLength += take;
    data += take;
    length -= take;
    if (context->blockLength == kSHA256BlockLength) {
      compress(context->state, context->block);
      context->blockLength = 0;
    }
  }
}

void ZN_QEL_SHA256_Final(ZN_QEL_SHA256_CTX* context, uint8_t* digest) {
  if (!context || !digest) return;
  const uint64_t bitLength = context->totalLength * 8;
  // Padding: one 1 bit, zeros, then the message length in bits (64 bits).
  context->block[context->blockLength++] = 0x80;
  if (context->blockLength > kSHA256BlockLength - 8) {
    while (context->blockLength < kSHA256BlockLength) context->block[context->blockLength++] = 0;
    compress(context->state, context->block);
    context->blockLength = 0;
  }
  while (context->blockLength < kSHA256BlockLength - 8) context->block[context->blockLength++] = 0;
  for (int i = 7; i >= 0; --i) context->block[context->blockLength++] = static_cast<uint8_t>(bitLength >> (8 * i));
  compress(context->state, context->block);
  for (int i = 0; i < 8; ++i) {
    digest[4 * i] = static_cast<uint8_t>(context->state[i] >> 24);
    digest[4 * i + 1] = static_cast<uint8_t>(context->state[i] >> 16);
    digest[4 * i + 2] = static_cast<uint8_t>(context->state[i] >> 8);
    digest[4 * i + 3] = static_cast<uint8_t>(context->state[i]);
  }
  secureWipe(context, sizeof *context);
}

uint8_t* ZN_QEL_SHA256(const uint8_t* data, size_t length, uint8_t* digest) {
  static uint8_t sharedDigest[kSHA256DigestLength];
  if (!digest) digest = sharedDigest;
  ZN_QEL_SHA256_CTX context;
  ZN_QEL_SHA256_Init(&context);
  ZN_QEL_SHA256_Update(&context, data, length);
  ZN_QEL_SHA256_Final(&context, digest);
  return digest;
}

SECURITYPANE_NAMESPACE_END
