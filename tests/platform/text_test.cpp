// Text services: encodings through iconv, lossy conversion, NFC and UTF-16
// counting with characters outside the Basic Multilingual Plane.
#include "pdk/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

namespace {

using pdk::TextEncoding;

struct Conversion {
  TextEncoding encoding;
  std::string bytes;  // in the encoding
  std::string utf8;
};

const Conversion kConversions[] = {
    {TextEncoding::MacRoman, "\x8a", "ä"},
    {TextEncoding::MacRoman, "Gr\x9f\xa7""e", "Grüße"},
    {TextEncoding::ISOLatin1, "caf\xe9", "café"},
    {TextEncoding::ISOLatin1, "\xa0\xff", "\u00a0ÿ"},
    {TextEncoding::WindowsLatin1, "\x80 5", "€ 5"},
    {TextEncoding::WindowsLatin1, "\x93q\x94", "“q”"},
    {TextEncoding::ShiftJIS, "\x93\xfa\x96\x7b", "日本"},
    {TextEncoding::ShiftJIS, "\x83\x76\x83\x8a\x83\x93\x83\x5e", "プリンタ"},
    {TextEncoding::ShiftJIS, "\xb1", "ｱ"},  // half-width katakana, one byte
    {TextEncoding::UTF8, "Grün 😀", "Grün 😀"},
    {TextEncoding::UTF8, "", ""},
};

TEST(Text, DecodeAndEncodeEachEncoding) {
  for (const Conversion& c : kConversions) {
    SCOPED_TRACE(pdk::iconvName(c.encoding) + std::string(": ") + c.utf8);
    EXPECT_EQ(pdk::decodeText(c.bytes, c.encoding), std::optional<std::string>(c.utf8));
    EXPECT_EQ(pdk::encodeText(c.utf8, c.encoding), std::optional<std::string>(c.bytes));
  }
}

TEST(Text, IconvNames) {
  EXPECT_STREQ(pdk::iconvName(TextEncoding::MacRoman), "MACINTOSH");
  EXPECT_STREQ(pdk::iconvName(TextEncoding::ISOLatin1), "ISO-8859-1");
  EXPECT_STREQ(pdk::iconvName(TextEncoding::WindowsLatin1), "CP1252");
  EXPECT_STREQ(pdk::iconvName(TextEncoding::ShiftJIS), "SHIFT_JIS");
  EXPECT_STREQ(pdk::iconvName(TextEncoding::UTF8), "UTF-8");
}

TEST(Text, LongTextIsConvertedCompletely) {
  // Larger than the conversion buffer, growing on the way (1 byte -> 2).
  std::string mac(10000, '\x8a');
  auto decoded = pdk::decodeText(mac, TextEncoding::MacRoman);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->size(), 20000u);
  EXPECT_EQ(decoded->substr(19998), "ä");
  EXPECT_EQ(pdk::encodeText(*decoded, TextEncoding::MacRoman), std::optional<std::string>(mac));
}

TEST(Text, BytesThatAreNotValidInTheEncodingDecodeToNothing) {
  const std::pair<TextEncoding, std::string> bad[] = {
      {TextEncoding::WindowsLatin1, "a\x81"},     // unassigned in CP1252
      {TextEncoding::ShiftJIS, "\x93"},           // lead byte without its trail
      {TextEncoding::ShiftJIS, "\x93\x20"},       // invalid trail byte
      {TextEncoding::UTF8, "\xc3"},               // truncated sequence
      {TextEncoding::UTF8, "a\x80z"},             // lone continuation byte
      {TextEncoding::UTF8, "\xc0\xaf"},           // overlong "/"
      {TextEncoding::UTF8, "\xed\xa0\x80"},       // surrogate
      {TextEncoding::UTF8, "\xf4\x90\x80\x80"},   // beyond U+10FFFF
      {TextEncoding::UTF8, "\xff"},
  };
  for (auto& [encoding, bytes] : bad) {
    EXPECT_EQ(pdk::decodeText(bytes, encoding), std::nullopt) << pdk::iconvName(encoding);
    if (encoding == TextEncoding::UTF8) {
      EXPECT_FALSE(pdk::isValidUtf8(bytes));
    }
  }
  EXPECT_TRUE(pdk::isValidUtf8(""));
  EXPECT_TRUE(pdk::isValidUtf8("plain ASCII, ä, 日本, 😀"));
}

TEST(Text, XmlTextExcludesWhatXmlCannotCarry) {
  const std::pair<std::string, bool> cases[] = {
      {"plain ASCII, ä, 日本, 😀", true},
      {"tab\tline\ncarriage\r", true},
      {"\xef\xbf\xbd", true},                 // U+FFFD
      {"\xee\x80\x80", true},                 // U+E000
      {std::string("a\0b", 3), false},          // U+0000
      {"bell\x07", false},
      {"escape\x1b[0m", false},
      {"\x7f", true},                           // DEL is allowed in XML 1.0
      {"\xef\xbf\xbe", false},                // U+FFFE
      {"\xef\xbf\xbf", false},                // U+FFFF
      {"\xc3", false},                         // not UTF-8 at all
  };
  for (const auto& [bytes, xml] : cases) EXPECT_EQ(pdk::isXmlText(bytes), xml) << bytes;
}

TEST(Text, CharactersWithoutAPlaceInTheEncodingDoNotEncode) {
  const std::pair<TextEncoding, std::string> cases[] = {
      {TextEncoding::ISOLatin1, "5 €"},
      {TextEncoding::MacRoman, "日本"},
      {TextEncoding::WindowsLatin1, "😀"},
      {TextEncoding::ShiftJIS, "ä😀"},
      {TextEncoding::MacRoman, "\xc3"},  // not UTF-8 to begin with
      {TextEncoding::UTF8, "a\xff"},
  };
  for (auto& [encoding, utf8] : cases)
    EXPECT_EQ(pdk::encodeText(utf8, encoding), std::nullopt) << pdk::iconvName(encoding) << " " << utf8;
}

TEST(Text, ConvertLossyReplacesEachUnconvertibleCharacter) {
  struct Case {
    std::string in;
    const char* to;
    std::string out;
  } cases[] = {
      {"Grün € 日本", "ISO-8859-1", "Gr\xfcn ? ??"},
      {"Grün € 日本", "CP1252", "Gr\xfcn \x80 ??"},
      {"a😀b", "ASCII", "a?b"},            // a four-byte character is one '?'
      {"x\xff" "y", "ISO-8859-1", "x?y"},  // a stray byte is one '?'
      {"日本", "SHIFT_JIS", "\x93\xfa\x96\x7b"},
      {"", "ASCII", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(pdk::convertLossy(c.in, c.to), c.out) << c.in << " -> " << c.to;
  EXPECT_EQ(pdk::convertLossy("ä", "ASCII", '_'), "_");
}

TEST(Text, NormalizeNFC) {
  const std::pair<std::string, std::string> cases[] = {
      {"e\xcc\x81", "é"},                       // e + combining acute
      {"A\xcc\x8a" "ngstr\xc3\xb6m", "Ångström"},
      {"\xe1\x84\x80\xe1\x85\xa1", "가"},       // Hangul jamo
      {"Grün", "Grün"},                         // already composed
      {"", ""},
      {"bad \xff", "bad \xff"},                 // not UTF-8: unchanged
      {std::string("e\xcc\x81\0tail", 8), std::string("é\0tail", 7)},  // an embedded NUL keeps the rest
  };
  for (auto& [in, out] : cases) EXPECT_EQ(pdk::normalizeNFC(in), out) << in;
}

TEST(Text, Utf16LengthCountsSurrogatePairsAsTwo) {
  const std::pair<std::string, size_t> cases[] = {
      {"", 0}, {"abc", 3}, {"ä€", 2}, {"日本", 2}, {"😀", 2}, {"a😀b", 4}, {"𝄞𝄞", 4},
  };
  for (auto& [text, units] : cases) EXPECT_EQ(pdk::utf16Length(text), units) << text;
}

TEST(Text, Utf16SubstringKeepsAPairOnTheSideItStarts) {
  // Units of "a😀b": a = 0, 😀 = 1-2, b = 3.
  const std::string s = "a😀b";
  struct Case {
    size_t start, length;
    std::string out;
  } cases[] = {
      {0, 1, "a"},
      {0, 2, "a😀"},  // the pair starts inside the range: kept whole
      {1, 1, "😀"},
      {2, 1, ""},     // starts inside the pair: it belongs to the range before
      {2, 2, "b"},
      {0, 4, s},
      {3, 5, "b"},
      {4, 1, ""},
      {10, 2, ""},
      {0, 0, ""},
      {1, std::numeric_limits<size_t>::max(), "😀b"},  // "to the end"
  };
  for (const Case& c : cases)
    EXPECT_EQ(pdk::utf16Substring(s, c.start, c.length), c.out) << c.start << "+" << c.length;
}

TEST(Text, Utf16CutsAtEveryStepRebuildTheText) {
  const std::string s = "x😀y😀😀zä日";
  const size_t units = pdk::utf16Length(s);
  ASSERT_EQ(units, 11u);
  for (size_t step = 1; step <= units; ++step) {
    std::string joined;
    for (size_t start = 0; start < units; start += step) joined += pdk::utf16Substring(s, start, step);
    EXPECT_EQ(joined, s) << "step " << step;
  }
}

TEST(Text, Utf16ConversionsRoundTripAndReplaceWhatIsNoCharacter) {
  const std::string s = "a😀ä日";
  const std::u16string units = pdk::utf16FromUtf8(s);
  EXPECT_EQ(units, (std::u16string{u'a', 0xD83D, 0xDE00, 0x00E4, 0x65E5}));
  EXPECT_EQ(pdk::utf8FromUtf16(units), s);
  // A stray byte and an encoded surrogate start no character.
  EXPECT_EQ(pdk::utf16FromUtf8("a\xff" "b"), (std::u16string{u'a', 0xFFFD, u'b'}));
  EXPECT_EQ(pdk::utf16FromUtf8("\xed\xa0\x80").front(), 0xFFFD);
  // Unpaired surrogates, high or low, in the middle or at the end.
  EXPECT_EQ(pdk::utf8FromUtf16(std::u16string{0xD83D, u'x', 0xDE00}), "\uFFFDx\uFFFD");
  EXPECT_EQ(pdk::utf8FromUtf16(std::u16string{u'y', 0xD83D}), "y\uFFFD");
}

}  // namespace
