// The stored forms of names and passwords. The password path is checked
// against the openssl command with the padding added by hand, and the key
// word rearrangement is computed here independently of the product.
#include "securitypane/credential_codec.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "securitypane/aes_cbc.h"
#include "securitypane/aes_encryption.h"
#include "securitypane/aes_key_table.h"

namespace {

using namespace securitypane;

std::string upperHex(const std::string& bytes) {
  std::string out;
  char pair[3];
  for (unsigned char c : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", c);
    out += pair;
  }
  return out;
}

// The padding: n bytes grow to the next multiple of 16 above n, each added
// byte holding the number of added bytes minus 1.
std::string padded(const std::string& text) {
  const size_t added = 16 - text.size() % 16;
  return text + std::string(added, static_cast<char>(added - 1));
}

// AES-256-CBC of `plaintext` by the openssl command, key and IV derived
// from the development key word of entry 51/0 (the bytes 0 to 19): the
// working word is the even-numbered bytes, then the odd-numbered ones from
// the last.
std::string opensslEncrypt(const std::string& plaintext) {
  uint8_t word[20];
  for (int j = 0; j < 10; ++j) word[j] = static_cast<uint8_t>(2 * j);
  for (int j = 0; j < 10; ++j) word[10 + j] = static_cast<uint8_t>(19 - 2 * j);
  uint8_t key[32], iv[32];
  SHA256(word, 10, key);
  SHA256(word + 10, 10, iv);
  const std::string keyHex = upperHex(std::string(reinterpret_cast<char*>(key), 32));
  const std::string ivHex = upperHex(std::string(reinterpret_cast<char*>(iv), 16));

  char inPath[] = "/tmp/codec-in-XXXXXX";
  const int fd = ::mkstemp(inPath);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(::write(fd, plaintext.data(), plaintext.size()), static_cast<ssize_t>(plaintext.size()));
  ::close(fd);
  const std::string outPath = std::string(inPath) + ".out";
  const std::string command = "openssl enc -aes-256-cbc -nopad -K " + keyHex + " -iv " + ivHex + " -in " + inPath +
                              " -out " + outPath;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(outPath, std::ios::binary);
  std::stringstream out;
  out << in.rdbuf();
  ::unlink(inPath);
  ::unlink(outPath.c_str());
  return upperHex(out.str());
}

TEST(PasswordCodec, DevelopmentKeyEncrypts1234AsKnown) {
  EXPECT_EQ(ZNCFStringEncodeWithEncrypt("1234", kPanelKeyId, kPanelKeySubId), "D90C7CE7470FE4561912D7C958DB0AA9");
}

TEST(PasswordCodec, MatchesTheOpensslCommandAtEveryPaddingBoundary) {
  // Lengths around the block size: 1 to 15 bytes give one block, 16 give two
  // (a whole block of padding), 255 give 256.
  for (size_t n : {1, 4, 13, 15, 16, 17, 31, 32, 100, 254, 255}) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += static_cast<char>('A' + i % 58);  // no "+"
    const auto stored = ZNCFStringEncodeWithEncrypt(text, kPanelKeyId, kPanelKeySubId);
    ASSERT_TRUE(stored) << n;
    EXPECT_EQ(stored->size(), 2 * ZN_QEL_AES_PaddedLength(n)) << n;
    EXPECT_EQ(*stored, opensslEncrypt(padded(text))) << n;
    EXPECT_EQ(ZNCFStringDecodeWithDecrypt(*stored, kPanelKeyId, kPanelKeySubId), text) << n;
  }
}

TEST(PasswordCodec, EmptyTextIsOneBlockOfPadding) {
  EXPECT_EQ(ZNCFStringEncodeWithEncrypt("", kPanelKeyId, kPanelKeySubId), opensslEncrypt(std::string(16, '\x0f')));
}

TEST(PasswordCodec, RoundTripsForEveryKeyChoiceIncludingUnknownOnes) {
  struct Case {
    int32_t id, sub;
  };
  // Known entries, the second sub-id of an id, an unknown sub-id, an unknown
  // id, and id 0 (the caller's own word).
  const Case cases[] = {{51, 0}, {1, 0}, {1, 1}, {45, 1}, {54, 0}, {51, 7}, {999, 0}, {0, 0}};
  const std::string texts[] = {"a", "pass word", "\xE3\x83\x91\xE3\x82\xB9", std::string(255, 'x')};
  for (const auto& c : cases) {
    for (const auto& text : texts) {
      const auto stored = ZNCFStringEncodeWithEncrypt(text, c.id, c.sub);
      ASSERT_TRUE(stored);
      EXPECT_EQ(ZNCFStringDecodeWithDecrypt(*stored, c.id, c.sub), text) << c.id << "/" << c.sub;
    }
  }
}

TEST(PasswordCodec, KeySelection) {
  auto enc = [](int32_t id, int32_t sub) { return *ZNCFStringEncodeWithEncrypt("secret", id, sub); };
  // Different entries give different ciphertexts.
  EXPECT_NE(enc(51, 0), enc(1, 0));
  EXPECT_NE(enc(1, 0), enc(1, 1));
  // Sub-id 0 takes the first entry of the id, another sub-id is searched
  // among the entries of that id (id 45 is entries 88 and 89).
  ASSERT_EQ(AesKeyTb[88].id, 45);
  EXPECT_EQ(GetAesKey(45, 0), AesKeyTb[88].keyWord);
  EXPECT_EQ(GetAesKey(45, 1), AesKeyTb[89].keyWord);
  // An unknown id or sub-id falls to the terminator's word.
  const uint8_t* terminator = AesKeyTb[kAesKeyTableCount].keyWord;
  EXPECT_EQ(GetAesKey(999, 0), terminator);
  EXPECT_EQ(GetAesKey(51, 7), terminator);
  EXPECT_EQ(GetAesKey(1, 2), terminator);
  EXPECT_EQ(enc(999, 0), enc(51, 7));
}

TEST(KeyTable, DevelopmentTableShape) {
  // 99 entries before the terminator, 54 ids, entries of one id together.
  EXPECT_EQ(kAesKeyTableCount, 99u);
  EXPECT_EQ(AesKeyTb[kAesKeyTableCount].id, kAesKeyTableEnd);
  int ids = 0;
  for (size_t i = 0; i < kAesKeyTableCount; ++i) {
    if (i == 0 || AesKeyTb[i].id != AesKeyTb[i - 1].id) {
      ++ids;
      for (size_t j = 0; j < i; ++j) EXPECT_NE(AesKeyTb[j].id, AesKeyTb[i].id) << "id " << AesKeyTb[i].id << " split";
    }
  }
  EXPECT_EQ(ids, 54);
  const uint8_t* panelWord = GetAesKey(kPanelKeyId, kPanelKeySubId);
  for (int j = 0; j < 20; ++j) EXPECT_EQ(panelWord[j], j);
}

TEST(PasswordCodec, ReadingBackCutsAtTheFirstPlus) {
  const auto stored = ZNCFStringEncodeWithEncrypt("ab+cd", kPanelKeyId, kPanelKeySubId);
  ASSERT_TRUE(stored);
  EXPECT_EQ(ZNCFStringDecodeWithDecrypt(*stored, kPanelKeyId, kPanelKeySubId), "ab");
}

TEST(PasswordCodec, StoredTextIsCheckedBeforeDecoding) {
  const std::string good = *ZNCFStringEncodeWithEncrypt("1234", kPanelKeyId, kPanelKeySubId);
  std::string lower = good;
  for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string longest = *ZNCFStringEncodeWithEncrypt(std::string(255, 'k'), kPanelKeyId, kPanelKeySubId);
  struct Case {
    const char* what;
    std::string stored;
  };
  const Case cases[] = {
      {"lower-case digits", lower},
      {"not hexadecimal", std::string(32, 'G')},
      {"odd length", good + "0"},
      {"not whole blocks", good.substr(0, 30)},
      {"over 512 digits", longest + good},
      {"blank", std::string(32, ' ')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZNCFStringDecodeWithDecrypt(c.stored, kPanelKeyId, kPanelKeySubId), std::nullopt) << c.what;
  }
  EXPECT_EQ(ZNCFStringDecodeWithDecrypt("", kPanelKeyId, kPanelKeySubId), "");
  EXPECT_EQ(ZNCFStringDecodeWithDecrypt(longest, kPanelKeyId, kPanelKeySubId), std::string(255, 'k'));
}

TEST(PasswordCodec, PaddingLongerThanTheTextIsUndecodable) {
  // One block whose last byte announces 33 padding bytes.
  uint8_t buffer[16] = {};
  buffer[15] = 32;
  size_t length = 0;
  const uint8_t unused[20] = {};
  ASSERT_EQ(AesEncryption(buffer, 16, sizeof buffer, true, unused, &length, kPanelKeyId, kPanelKeySubId),
            kAESNoError);
  std::string stored;
  char pair[3];
  for (uint8_t b : buffer) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    stored += pair;
  }
  EXPECT_EQ(ZNCFStringDecodeWithDecrypt(stored, kPanelKeyId, kPanelKeySubId), std::nullopt);
}

TEST(PasswordCodec, TextsOver255BytesAreNotEncoded) {
  EXPECT_EQ(ZNCFStringEncodeWithEncrypt(std::string(256, 'x'), kPanelKeyId, kPanelKeySubId), std::nullopt);
  EXPECT_EQ(ZNCFStringEncode(std::string(256, 'x')), std::nullopt);
}

TEST(NameCodec, HexOfTheUtf8Bytes) {
  struct Case {
    std::string text;
    std::string stored;
  };
  const Case cases[] = {
      {"abc", "616263"},
      {"", ""},
      {"\xC3\xA9t\xC3\xA9", "C3A974C3A9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZNCFStringEncode(c.text), c.stored);
    EXPECT_EQ(ZNCFStringDecode(c.stored), c.text);
  }
}

TEST(NameCodec, DecoderTakesEverythingTheEncoderWrites) {
  // The longest name is 255 bytes, 510 digits.
  const std::string longest(255, 'n');
  const auto stored = ZNCFStringEncode(longest);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->size(), 510u);
  EXPECT_EQ(ZNCFStringDecode(*stored), longest);
  EXPECT_EQ(ZNCFStringDecode(*stored + "41"), std::nullopt);  // 512 digits: more than any name
}

TEST(NameCodec, MalformedStoredNamesDoNotDecode) {
  const char* cases[] = {"616", "6a6263", "61 62", "6162XY", "FF", "C3"};
  for (const char* stored : cases) EXPECT_EQ(ZNCFStringDecode(stored), std::nullopt) << stored;
}

TEST(LoadSave, NamesAndPasswordsInTheSettingsDictionary) {
  pdk::Value dict = pdk::Value::dictionary();
  SaveEditText(dict, "name", "abc");
  SaveEditTextPassword(dict, "key", kPanelKeyId, kPanelKeySubId, "1234");
  SaveEditTextPassword(dict, "plain", kNoKey, 0, "1234");
  SaveEditTextNumber(dict, "number", "42");
  EXPECT_EQ(dict.get("name").asString(), "616263");
  EXPECT_EQ(dict.get("key").asString(), "D90C7CE7470FE4561912D7C958DB0AA9");
  EXPECT_EQ(dict.get("plain").asString(), "31323334");
  EXPECT_EQ(dict.get("number").asString(), "3432");

  std::optional<std::string> name, key, plain, number;
  LoadEditText(dict, "name", &name);
  LoadEditTextPassword(dict, "key", kPanelKeyId, kPanelKeySubId, &key);
  LoadEditTextPassword(dict, "plain", 0, kNoKey, &plain);
  LoadEditTextNumber(dict, "number", &number);
  EXPECT_EQ(name, "abc");
  EXPECT_EQ(key, "1234");
  EXPECT_EQ(plain, "1234");
  EXPECT_EQ(number, "42");
}

TEST(LoadSave, EmptyTextStoresNothingAndTooLongTextStoresEmpty) {
  pdk::Value dict = pdk::Value::dictionary();
  dict.set("name", "616263");
  dict.set("key", "D90C7CE7470FE4561912D7C958DB0AA9");
  SaveEditText(dict, "name", "");
  SaveEditTextPassword(dict, "key", kPanelKeyId, kPanelKeySubId, "");
  EXPECT_EQ(dict.get("name").asString(), "616263");
  EXPECT_EQ(dict.get("key").asString(), "D90C7CE7470FE4561912D7C958DB0AA9");

  // A text that cannot be encoded replaces the earlier value with "".
  SaveEditText(dict, "name", std::string(300, 'n'));
  SaveEditTextPassword(dict, "key", kPanelKeyId, kPanelKeySubId, std::string(300, 'p'));
  EXPECT_EQ(dict.get("name"), pdk::Value(""));
  EXPECT_EQ(dict.get("key"), pdk::Value(""));
}

TEST(LoadSave, MissingOrMalformedEntries) {
  pdk::Value dict = pdk::Value::dictionary();
  dict.set("number", 5);
  dict.set("badName", "6a");
  dict.set("badKey", "0123456789ABCDEF0123456789ABCDE");

  // No entry, or not a string: the slot keeps what it had.
  std::optional<std::string> slot = "kept";
  LoadEditText(dict, "missing", &slot);
  LoadEditText(dict, "number", &slot);
  LoadEditTextPassword(dict, "missing", kPanelKeyId, kPanelKeySubId, &slot);
  EXPECT_EQ(slot, "kept");

  // A name that does not decode gives none (the caller keeps the stored text).
  LoadEditText(dict, "badName", &slot);
  EXPECT_EQ(slot, std::nullopt);

  // A password that does not decode is empty, never the stored text.
  slot = "kept";
  LoadEditTextPassword(dict, "badKey", kPanelKeyId, kPanelKeySubId, &slot);
  EXPECT_EQ(slot, "");
}

}  // namespace
