#include "securitypane/aes256.h"

#include <array>

#include "securitypane/secure_wipe.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

// The standard tables, computed at compile time from the field arithmetic
// of GF(2^8) with the polynomial x^8 + x^4 + x^3 + x + 1.
constexpr uint8_t xtime(uint8_t x) { return static_cast<uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1b : 0)); }

constexpr uint8_t multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  while (b) {
    if (b & 1) product ^= a;
    a = xtime(a);
    b >>= 1;
  }
  return product;
}

constexpr std::array<uint8_t, 256> makeSBox() {
  std::array<uint8_t, 256> box{};
  for (int x = 0; x < 256; ++x) {
    // Multiplicative inverse (0 for 0): x^254, by squaring, so that the
    // table stays within every compiler's constant-evaluation step limit.
    uint8_t inverse = 0;
    if (x) {
      inverse = 1;
      uint8_t power = static_cast<uint8_t>(x);
      for (int exponent = 254; exponent; exponent >>= 1) {
        if (exponent & 1) inverse = multiply(inverse, power);
        power = multiply(power, power);
      }
    }
    uint8_t s = inverse;
    for (int shift = 1; shift <= 4; ++shift) {
      s ^= static_cast<uint8_t>((inverse << shift) | (inverse >> (8 - shift)));
    }
    box[x] = static_cast<uint8_t>(s ^ 0x63);
  }
  return box;
}

constexpr std::array<uint8_t, 256> kSBox = makeSBox();

constexpr std::array<uint8_t, 256> makeInverseSBox() {
  std::array<uint8_t, 256> box{};
  for (int x = 0; x < 256; ++x) box[kSBox[x]] = static_cast<uint8_t>(x);
  return box;
}

constexpr std::array<uint8_t, 256> kInverseSBox = makeInverseSBox();

constexpr uint32_t word(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return (uint32_t{b0} << 24) | (uint32_t{b1} << 16) | (uint32_t{b2} << 8) | uint32_t{b3};
}

constexpr uint32_t rotateRight8(uint32_t w, int times) {
  const int n = 8 * times;
  return n == 0 ? w : (w >> n) | (w << (32 - n));
}

// Combined SubBytes/ShiftRows/MixColumns tables: table t is table 0 rotated
// right by t bytes.
constexpr std::array<std::array<uint32_t, 256>, 4> makeEncryptTables() {
  std::array<std::array<uint32_t, 256>, 4> tables{};
  for (int x = 0; x < 256; ++x) {
    const uint8_t s = kSBox[x];
    const uint32_t w = word(multiply(s, 2), s, s, multiply(s, 3));
    for (int t = 0; t < 4; ++t) tables[t][x] = rotateRight8(w, t);
  }
  return tables;
}

constexpr std::array<std::array<uint32_t, 256>, 4> makeDecryptTables() {
  std::array<std::array<uint32_t, 256>, 4> tables{};
  for (int x = 0; x < 256; ++x) {
    const uint8_t s = kInverseSBox[x];
    const uint32_t w = word(multiply(s, 0x0e), multiply(s, 0x09), multiply(s, 0x0d), multiply(s, 0x0b));
    for (int t = 0; t < 4; ++t) tables[t][x] = rotateRight8(w, t);
  }
  return tables;
}

constexpr auto kTe = makeEncryptTables();
constexpr auto kTd = makeDecryptTables();

constexpr uint32_t kRoundConstants[10] = {0x01000000, 0x02000000, 0x04000000, 0x08000000, 0x10000000,
                                          0x20000000, 0x40000000, 0x80000000, 0x1b000000, 0x36000000};

uint32_t load32(const uint8_t* p) { return word(p[0], p[1], p[2], p[3]); }

void store32(uint8_t* p, uint32_t w) {
  p[0] = static_cast<uint8_t>(w >> 24);
  p[1] = static_cast<uint8_t>(w >> 16);
  p[2] = static_cast<uint8_t>(w >> 8);
  p[3] = static_cast<uint8_t>(w);
}

uint32_t subWord(uint32_t w) {
  return word(kSBox[w >> 24], kSBox[(w >> 16) & 0xff], kSBox[(w >> 8) & 0xff], kSBox[w & 0xff]);
}

uint8_t byteOf(uint32_t w, int index) { return static_cast<uint8_t>(w >> (24 - 8 * index)); }

}  // namespace

int32_t ZN_QEL_AES_set_key(ZN_QEL_AES_KEY* schedule, const uint8_t* key, int32_t keyBytes) {
  if (!schedule || !key) return 1;
  int32_t rounds;
  switch (keyBytes) {
    case 16: rounds = 10; break;
    case 24: rounds = 12; break;
    case 32: rounds = 14; break;
    default: return 1;
  }
  const int keyWords = keyBytes / 4;
  const int totalWords = 4 * (rounds + 1);
  uint32_t* rk = schedule->rd_key;
  for (int i = 0; i < keyWords; ++i) rk[i] = load32(key + 4 * i);
  for (int i = keyWords; i < totalWords; ++i) {
    uint32_t temp = rk[i - 1];
    if (i % keyWords == 0) {
      temp = subWord((temp << 8) | (temp >> 24)) ^ kRoundConstants[i / keyWords - 1];
    } else if (keyWords > 6 && i % keyWords == 4) {
      temp = subWord(temp);
    }
    rk[i] = rk[i - keyWords] ^ temp;
  }
  schedule->rounds = rounds;
  return 0;
}

void ZN_QEL_AES_convert_key(ZN_QEL_AES_KEY* schedule) {
  if (!schedule) return;
  uint32_t* rk = schedule->rd_key;
  const int rounds = schedule->rounds;
  // Round keys in reverse order...
  for (int i = 0, j = 4 * rounds; i < j; i += 4, j -= 4) {
    for (int k = 0; k < 4; ++k) {
      const uint32_t temp = rk[i + k];
      rk[i + k] = rk[j + k];
      rk[j + k] = temp;
    }
  }
  // ...and InvMixColumns on every round key but the first and the last.
  for (int i = 4; i < 4 * rounds; ++i) {
    const uint32_t w = rk[i];
    rk[i] = kTd[0][kSBox[byteOf(w, 0)]] ^ kTd[1][kSBox[byteOf(w, 1)]] ^ kTd[2][kSBox[byteOf(w, 2)]] ^
            kTd[3][kSBox[byteOf(w, 3)]];
  }
}

void ZN_QEL_AES_encrypt(const ZN_QEL_AES_KEY* schedule, uint8_t* block) {
  if (!schedule || !block) return;
  const uint32_t* rk = schedule->rd_key;
  uint32_t s[4], t[4];
  for (int c = 0; c < 4; ++c) s[c] = load32(block + 4 * c) ^ rk[c];
  for (int round = 1; round < schedule->rounds; ++round) {
    rk += 4;
    for (int c = 0; c < 4; ++c) {
      t[c] = kTe[0][byteOf(s[c], 0)] ^ kTe[1][byteOf(s[(c + 1) % 4], 1)] ^ kTe[2][byteOf(s[(c + 2) % 4], 2)] ^
             kTe[3][byteOf(s[(c + 3) % 4], 3)] ^ rk[c];
    }
    for (int c = 0; c < 4; ++c) s[c] = t[c];
  }
  rk += 4;
  for (int c = 0; c < 4; ++c) {
    t[c] = word(kSBox[byteOf(s[c], 0)], kSBox[byteOf(s[(c + 1) % 4], 1)], kSBox[byteOf(s[(c + 2) % 4], 2)],
                kSBox[byteOf(s[(c + 3) % 4], 3)]) ^
           rk[c];
    store32(block + 4 * c, t[c]);
  }
  secureWipe(s, sizeof s);
  secureWipe(t, sizeof t);
}

void ZN_QEL_AES_decrypt(const ZN_QEL_AES_KEY* schedule, uint8_t* block) {
  if (!schedule || !block) return;
  const uint32_t* rk = schedule->rd_key;
  uint32_t s[4], t[4];
  for (int c = 0; c < 4; ++c) s[c] = load32(block + 4 * c) ^ rk[c];
  for (int round = 1; round < schedule->rounds; ++round) {
    rk += 4;
    for (int c = 0; c < 4; ++c) {
      t[c] = kTd[0][byteOf(s[c], 0)] ^ kTd[1][byteOf(s[(c + 3) % 4], 1)] ^ kTd[2][byteOf(s[(c + 2) % 4], 2)] ^
             kTd[3][byteOf(s[(c + 1) % 4], 3)] ^ rk[c];
    }
    for (int c = 0; c < 4; ++c) s[c] = t[c];
  }
  rk += 4;
  for (int c = 0; c < 4; ++c) {
    t[c] = word(kInverseSBox[byteOf(s[c], 0)], kInverseSBox[byteOf(s[(c + 3) % 4], 1)],
                kInverseSBox[byteOf(s[(c + 2) % 4], 2)], kInverseSBox[byteOf(s[(c + 1) % 4], 3)]) ^
           rk[c];
    store32(block + 4 * c, t[c]);
  }
  secureWipe(s, sizeof s);
  secureWipe(t, sizeof t);
}

void ZN_QEL_AES_cbc_encrypt_com(const ZN_QEL_AES_KEY* schedule, uint8_t* output, const uint8_t* input,
                                size_t length, uint8_t* iv, ZN_QEL_AES_BlockFunction encryptBlock) {
  if (!schedule || !output || !input || !iv || !encryptBlock) return;
  for (size_t offset = 0; offset + kAESBlockLength <= length; offset += kAESBlockLength) {
    uint8_t block[kAESBlockLength];
    for (size_t i = 0; i < kAESBlockLength; ++i) block[i] = input[offset + i] ^ iv[i];
    encryptBlock(schedule, block);
    for (size_t i = 0; i < kAESBlockLength; ++i) output[offset + i] = iv[i] = block[i];
    secureWipe(block, sizeof block);
  }
}

void ZN_QEL_AES_cbc_decrypt_com(const ZN_QEL_AES_KEY* schedule, uint8_t* output, const uint8_t* input,
                                size_t length, uint8_t* iv, ZN_QEL_AES_BlockFunction decryptBlock) {
  if (!schedule || !output || !input || !iv || !decryptBlock) return;
  for (size_t offset = 0; offset + kAESBlockLength <= length; offset += kAESBlockLength) {
    uint8_t ciphertext[kAESBlockLength], block[kAESBlockLength];
    for (size_t i = 0; i < kAESBlockLength; ++i) ciphertext[i] = block[i] = input[offset + i];
    decryptBlock(schedule, block);
    for (size_t i = 0; i < kAESBlockLength; ++i) {
      output[offset + i] = block[i] ^ iv[i];
      iv[i] = ciphertext[i];
    }
    secureWipe(block, sizeof block);
  }
}

SECURITYPANE_NAMESPACE_END
