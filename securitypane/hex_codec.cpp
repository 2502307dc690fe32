#include "securitypane/hex_codec.h"

#include <cstdio>
#include <limits>

SECURITYPANE_NAMESPACE_BEGIN

namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

// The value of one digit as the stored form reads it: "0"-"9" from 48,
// everything else as a letter from 55 (so only "A"-"F" give 10 to 15).
uint8_t mfpNibble(char c) {
  const int v = static_cast<unsigned char>(c);
  return static_cast<uint8_t>(c >= '0' && c <= '9' ? v - 48 : v - 55);
}

int baseSixteenValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool fits(int32_t count, size_t needed, size_t outputSize) { return count >= 0 && needed <= outputSize; }

}  // namespace

int32_t ZNCStringEncodeMFP(const uint8_t* bytes, char* output, int32_t count, size_t outputSize) {
  if (!bytes || !output || !fits(count, 2 * size_t(count) + 1, outputSize)) return 0;
  for (int32_t i = 0; i < count; ++i) {
    output[2 * i] = kUpperDigits[bytes[i] >> 4];
    output[2 * i + 1] = kUpperDigits[bytes[i] & 0x0f];
  }
  output[2 * count] = '\0';
  return 2 * count;
}

int32_t ZNCStringDecodeMFP(const char* text, uint8_t* output, int32_t count, size_t outputSize) {
  if (!text || !output || count < 0) return 0;
  const int32_t bytes = (count + 1) / 2;
  if (!fits(count, size_t(bytes) + 1, outputSize)) return 0;
  for (int32_t i = 0; i < bytes; ++i) {
    const uint8_t high = mfpNibble(text[2 * i]);
    const uint8_t low = 2 * i + 1 < count ? mfpNibble(text[2 * i + 1]) : 0;
    output[i] = static_cast<uint8_t>((high << 4) + low);
  }
  output[bytes] = 0;
  return bytes;
}

bool isUpperHexText(const char* text, size_t count) {
  if (!text) return false;
  for (size_t i = 0; i < count; ++i) {
    const char c = text[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

int32_t ZNCStringEncodeASCII(const uint8_t* bytes, char* output, int32_t count, size_t outputSize) {
  if (!bytes || !output || !fits(count, 2 * size_t(count) + 1, outputSize)) return 0;
  size_t used = 0;
  for (int32_t i = 0; i < count; ++i) {
    used += static_cast<size_t>(std::snprintf(output + used, outputSize - used, "%x", bytes[i]));
  }
  output[used] = '\0';
  return 2 * count + 1;
}

int32_t ZNCStringDecodeASCII(const char* text, uint8_t* output, int32_t count, size_t outputSize) {
  if (!text || !output || !fits(count, size_t(count) / 2, outputSize)) return 0;
  const int32_t bytes = count / 2;
  for (int32_t i = 0; i < bytes; ++i) {
    const int high = baseSixteenValue(text[2 * i]);
    const int low = baseSixteenValue(text[2 * i + 1]);
    output[i] = static_cast<uint8_t>(high < 0 ? 0 : low < 0 ? high : high * 16 + low);
  }
  return bytes;
}

int32_t ZNCStringEncode(const uint8_t* bytes, char* output, int32_t count, size_t outputSize) {
  if (!bytes || !output || !fits(count, 2 * size_t(count) + 1, outputSize)) return 0;
  for (int32_t i = 0; i < count; ++i) {
    output[2 * i] = static_cast<char>('0' + (bytes[i] >> 4));
    output[2 * i + 1] = static_cast<char>('0' + (bytes[i] & 0x0f));
  }
  output[2 * count] = '\0';
  return 2 * count;
}

int32_t ZNCStringDecode(const char* text, uint8_t* output, int32_t count, size_t outputSize) {
  if (!text || !output || !fits(count, size_t(count) / 2, outputSize)) return 0;
  const int32_t bytes = count / 2;
  for (int32_t i = 0; i < bytes; ++i) {
    output[i] = static_cast<uint8_t>(((text[2 * i] - '0') << 4) | ((text[2 * i + 1] - '0') & 0x0f));
  }
  return bytes;
}

int32_t str2num(const char* text) {
  if (!text) return 0;
  bool negative = false;
  if (*text == '-') {
    negative = true;
    ++text;
  }
  int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) break;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

SECURITYPANE_NAMESPACE_END
