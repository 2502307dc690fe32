// The byte-to-text codecs: the stored two-digit form, its buffer limits,
// and the older forms kept beside it.
#include "securitypane/hex_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace securitypane;

const uint8_t* bytesOf(const char* s) { return reinterpret_cast<const uint8_t*>(s); }

TEST(HexCodecMFP, EncodesTwoUpperCaseDigitsPerByte) {
  const uint8_t bytes[] = {0x00, 0x0f, 0xa5, 0xff, 0x61};
  char out[11];
  EXPECT_EQ(ZNCStringEncodeMFP(bytes, out, 5, sizeof out), 10);
  EXPECT_STREQ(out, "000FA5FF61");
}

TEST(HexCodecMFP, DecodesPairsAndAnswersHalfTheDigitsRoundedUp) {
  uint8_t out[8];
  EXPECT_EQ(ZNCStringDecodeMFP("616263", out, 6, sizeof out), 3);
  EXPECT_EQ(std::memcmp(out, "abc", 4), 0);  // terminated
  // A lone last digit is a high nibble.
  EXPECT_EQ(ZNCStringDecodeMFP("41F", out, 3, sizeof out), 2);
  EXPECT_EQ(out[0], 0x41);
  EXPECT_EQ(out[1], 0xF0);
  // Lower-case letters are not digits of the stored form.
  ZNCStringDecodeMFP("6a", out, 2, sizeof out);
  EXPECT_NE(out[0], 0x6a);
}

TEST(HexCodecMFP, NothingIsWrittenPastTheOutput) {
  char text[8];
  std::memset(text, '#', sizeof text);
  const uint8_t bytes[] = {1, 2, 3};
  // 3 bytes need 7 characters with the terminator.
  EXPECT_EQ(ZNCStringEncodeMFP(bytes, text, 3, 6), 0);
  EXPECT_EQ(text[0], '#');
  EXPECT_EQ(ZNCStringEncodeMFP(bytes, text, 3, 7), 6);

  uint8_t out[3] = {9, 9, 9};
  EXPECT_EQ(ZNCStringDecodeMFP("010203", out, 6, 3), 0);  // 3 bytes need 4
  EXPECT_EQ(out[0], 9);
  EXPECT_EQ(ZNCStringEncodeMFP(nullptr, text, 1, sizeof text), 0);
  EXPECT_EQ(ZNCStringDecodeMFP(nullptr, out, 2, sizeof out), 0);
  EXPECT_EQ(ZNCStringDecodeMFP("01", out, -2, sizeof out), 0);
}

TEST(HexCodecMFP, UpperHexTextCheck) {
  EXPECT_TRUE(isUpperHexText("0123456789ABCDEF", 16));
  EXPECT_TRUE(isUpperHexText("", 0));
  EXPECT_FALSE(isUpperHexText("00ab", 4));
  EXPECT_FALSE(isUpperHexText("0G", 2));
  EXPECT_FALSE(isUpperHexText("0 ", 2));
  EXPECT_FALSE(isUpperHexText(nullptr, 0));
}

TEST(HexCodecOlderForms, EncodeAndDecode) {
  char text[16];
  uint8_t out[8] = {};

  // Lower case without leading zero; the answer is the room it needs.
  EXPECT_EQ(ZNCStringEncodeASCII(bytesOf("a\x0f"), text, 2, sizeof text), 5);
  EXPECT_STREQ(text, "61f");
  EXPECT_EQ(ZNCStringDecodeASCII("617A", out, 4, sizeof out), 2);
  EXPECT_EQ(std::memcmp(out, "az", 2), 0);

  // Nibbles as '0' + value: 10 to 15 become ':' to '?'.
  EXPECT_EQ(ZNCStringEncode(bytesOf("a\x3f"), text, 2, sizeof text), 4);
  EXPECT_STREQ(text, "613?");
  EXPECT_EQ(ZNCStringDecode("613?", out, 4, sizeof out), 2);
  EXPECT_EQ(out[0], 'a');
  EXPECT_EQ(out[1], 0x3f);

  EXPECT_EQ(ZNCStringEncode(bytesOf("abc"), text, 3, 6), 0);
  EXPECT_EQ(ZNCStringDecode("6162", out, 4, 1), 0);
}

TEST(Str2Num, ReadsDecimalUpToTheFirstNonDigit) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"0", 0},           {"42", 42},          {"-17", -17},         {"12ab", 12},
      {"", 0},            {"-", 0},            {"x1", 0},            {" 5", 0},
      {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(str2num(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(str2num(nullptr), 0);
}

}  // namespace
