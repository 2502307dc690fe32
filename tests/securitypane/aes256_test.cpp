// The AES block cipher against the FIPS-197 examples, and CBC chaining
// against OpenSSL's AES-256-CBC over whole blocks.
#include "securitypane/aes256.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>
#include <vector>

namespace {

using namespace securitypane;

std::vector<uint8_t> fromHex(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < text.size(); i += 2) out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

std::vector<uint8_t> counting(size_t n) {
  std::vector<uint8_t> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(i);
  return out;
}

TEST(AES, FipsExampleVectorsForEveryKeySize) {
  struct Case {
    int keyBytes;
    const char* ciphertext;
  };
  const Case cases[] = {
      {16, "69c4e0d86a7b0430d8cdb78070b4c55a"},
      {24, "dda97ca4864cdfe06eaf70a0ec0d7191"},
      {32, "8ea2b7ca516745bfeafc49904b496089"},
  };
  const std::vector<uint8_t> plaintext = fromHex("00112233445566778899aabbccddeeff");
  for (const auto& c : cases) {
    const std::vector<uint8_t> key = counting(static_cast<size_t>(c.keyBytes));
    ZN_QEL_AES_KEY schedule;
    ASSERT_EQ(ZN_QEL_AES_set_key(&schedule, key.data(), c.keyBytes), 0);
    std::vector<uint8_t> block = plaintext;
    ZN_QEL_AES_encrypt(&schedule, block.data());
    EXPECT_EQ(block, fromHex(c.ciphertext)) << c.keyBytes << "-byte key";

    // The converted schedule takes the block back.
    ZN_QEL_AES_convert_key(&schedule);
    ZN_QEL_AES_decrypt(&schedule, block.data());
    EXPECT_EQ(block, plaintext) << c.keyBytes << "-byte key";
  }
}

TEST(AES, OtherKeySizesAreRefusedAndLeaveTheScheduleAlone) {
  const std::vector<uint8_t> key = counting(40);
  for (int size : {0, 8, 15, 17, 20, 31, 33, 40}) {
    ZN_QEL_AES_KEY schedule;
    schedule.rounds = -7;
    EXPECT_EQ(ZN_QEL_AES_set_key(&schedule, key.data(), size), 1) << size;
    EXPECT_EQ(schedule.rounds, -7) << size;
  }
}

std::vector<uint8_t> opensslCbc(bool encrypt, const std::vector<uint8_t>& key, const std::vector<uint8_t>& iv,
                                const std::vector<uint8_t>& input) {
  EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
  std::vector<uint8_t> out(input.size() + 16);
  int n = 0, tail = 0;
  EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key.data(), iv.data(), encrypt ? 1 : 0);
  EVP_CIPHER_CTX_set_padding(ctx, 0);
  EVP_CipherUpdate(ctx, out.data(), &n, input.data(), static_cast<int>(input.size()));
  EVP_CipherFinal_ex(ctx, out.data() + n, &tail);
  EVP_CIPHER_CTX_free(ctx);
  out.resize(static_cast<size_t>(n + tail));
  return out;
}

TEST(AESCBC, MatchesOpenSSLForOneToSixteenBlocksInPlace) {
  const std::vector<uint8_t> key = fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
  const std::vector<uint8_t> iv = counting(16);
  for (size_t blocks = 1; blocks <= 16; ++blocks) {
    std::vector<uint8_t> plaintext(blocks * 16);
    for (size_t i = 0; i < plaintext.size(); ++i) plaintext[i] = static_cast<uint8_t>(i * 29 + blocks);
    const std::vector<uint8_t> expected = opensslCbc(true, key, iv, plaintext);

    ZN_QEL_AES_KEY schedule;
    ZN_QEL_AES_set_key(&schedule, key.data(), 32);
    std::vector<uint8_t> buffer = plaintext;
    std::vector<uint8_t> chain = iv;
    ZN_QEL_AES_cbc_encrypt_com(&schedule, buffer.data(), buffer.data(), buffer.size(), chain.data(),
                               ZN_QEL_AES_encrypt);
    ASSERT_EQ(buffer, expected) << blocks << " blocks";
    // The IV buffer ends holding the last ciphertext block.
    EXPECT_EQ(chain, std::vector<uint8_t>(expected.end() - 16, expected.end()));

    ZN_QEL_AES_convert_key(&schedule);
    chain = iv;
    ZN_QEL_AES_cbc_decrypt_com(&schedule, buffer.data(), buffer.data(), buffer.size(), chain.data(),
                               ZN_QEL_AES_decrypt);
    ASSERT_EQ(buffer, plaintext) << blocks << " blocks";
    EXPECT_EQ(chain, std::vector<uint8_t>(expected.end() - 16, expected.end()));
  }
}

TEST(AESCBC, LeavesAShortTailUntouched) {
  const std::vector<uint8_t> key = counting(32);
  std::vector<uint8_t> iv = counting(16);
  std::vector<uint8_t> buffer(21, 0xAB);
  ZN_QEL_AES_KEY schedule;
  ZN_QEL_AES_set_key(&schedule, key.data(), 32);
  ZN_QEL_AES_cbc_encrypt_com(&schedule, buffer.data(), buffer.data(), buffer.size(), iv.data(), ZN_QEL_AES_encrypt);
  EXPECT_NE(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 16), std::vector<uint8_t>(16, 0xAB));
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin() + 16, buffer.end()), std::vector<uint8_t>(5, 0xAB));
}

}  // namespace
