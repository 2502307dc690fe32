// SHA-256 against the FIPS 180-4 example messages and against OpenSSL for
// every length around the block and padding boundaries.
#include "securitypane/sha256.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace securitypane;

std::string hex(const uint8_t* bytes, size_t n) {
  std::string out;
  char pair[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    out += pair;
  }
  return out;
}

std::string digestOf(const std::string& message) {
  uint8_t digest[kSHA256DigestLength];
  ZN_QEL_SHA256(reinterpret_cast<const uint8_t*>(message.data()), message.size(), digest);
  return hex(digest, sizeof digest);
}

TEST(SHA256, FipsExampleMessages) {
  struct Case {
    std::string message;
    const char* digest;
  };
  const Case cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
       "nopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
  };
  for (const auto& c : cases) EXPECT_EQ(digestOf(c.message), c.digest) << '"' << c.message << '"';
}

TEST(SHA256, MillionAsInUnevenPieces) {
  // One million "a", fed in pieces that straddle the 64-byte blocks.
  const std::string piece(997, 'a');
  ZN_QEL_SHA256_CTX context;
  ZN_QEL_SHA256_Init(&context);
  size_t fed = 0;
  while (fed < 1000000) {
    const size_t n = std::min(piece.size(), 1000000 - fed);
    ZN_QEL_SHA256_Update(&context, reinterpret_cast<const uint8_t*>(piece.data()), n);
    fed += n;
  }
  uint8_t digest[kSHA256DigestLength];
  ZN_QEL_SHA256_Final(&context, digest);
  EXPECT_EQ(hex(digest, sizeof digest), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(SHA256, MatchesOpenSSLAtEveryLengthUpTo200) {
  std::vector<uint8_t> data(200);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 151 + 7);
  for (size_t n = 0; n <= data.size(); ++n) {
    uint8_t ours[kSHA256DigestLength], theirs[SHA256_DIGEST_LENGTH];
    ZN_QEL_SHA256(data.data(), n, ours);
    SHA256(data.data(), n, theirs);
    ASSERT_EQ(hex(ours, sizeof ours), hex(theirs, sizeof theirs)) << "length " << n;

    // The same message in two updates split in the middle.
    ZN_QEL_SHA256_CTX context;
    ZN_QEL_SHA256_Init(&context);
    ZN_QEL_SHA256_Update(&context, data.data(), n / 2);
    ZN_QEL_SHA256_Update(&context, data.data() + n / 2, n - n / 2);
    ZN_QEL_SHA256_Final(&context, ours);
    ASSERT_EQ(hex(ours, sizeof ours), hex(theirs, sizeof theirs)) << "split, length " << n;
  }
}

TEST(SHA256, WithoutADigestBufferAnswersTheSharedOne) {
  const uint8_t abc[] = {'a', 'b', 'c'};
  uint8_t* first = ZN_QEL_SHA256(abc, 3, nullptr);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(hex(first, kSHA256DigestLength), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(ZN_QEL_SHA256(abc, 1, nullptr), first);
}

}  // namespace
