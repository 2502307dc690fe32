// Cutting a list text into pieces of UTF-16 units.
#include <gtest/gtest.h>

#include "pdk/text.h"
#include "profiles/split_string.h"

using profiles::splitCharEvery;

namespace {

std::string joined(const std::vector<std::string>& pieces) {
  std::string all;
  for (const std::string& p : pieces) all += p;
  return all;
}

TEST(SplitCharEvery, PieceLengths) {
  struct Case {
    size_t length;
    size_t n;
    std::vector<size_t> pieces;
  } cases[] = {
      {180001, 90000, {90000, 90000, 1}},
      {180000, 90000, {90000, 90000}},
      {90000, 90000, {90000}},  // n at least the length: the text itself
      {5, 90000, {5}},
      {0, 90000, {0}},  // an empty text gives one empty piece
      {3, 1, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    const auto pieces = splitCharEvery(text, c.n);
    ASSERT_EQ(pieces.size(), c.pieces.size()) << c.length << "/" << c.n;
    for (size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].size(), c.pieces[i]) << c.length << "/" << c.n;
    EXPECT_EQ(joined(pieces), text);
  }
}

TEST(SplitCharEvery, CountsUtf16UnitsAndNeverCutsACharacter) {
  // "é" is one unit in two bytes; the emoji is two units (a surrogate pair).
  const std::string e = "\xc3\xa9", emoji = "\xf0\x9f\x98\x80";
  auto pieces = splitCharEvery(e + e + e, 2);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], e + e);
  EXPECT_EQ(pieces[1], e);

  // A pair that straddles a cut stays whole in the piece it starts in.
  const std::string text = "a" + emoji + "bc";  // units: a, hi, lo, b, c
  pieces = splitCharEvery(text, 2);
  EXPECT_EQ(joined(pieces), text);
  for (const std::string& p : pieces) EXPECT_TRUE(pdk::isValidUtf8(p)) << p;
  EXPECT_EQ(pieces[0], "a" + emoji);

  pieces = splitCharEvery(emoji + emoji, 1);
  EXPECT_EQ(pieces, (std::vector<std::string>{emoji, emoji}));  // no empty pieces
}

TEST(SplitCharEvery, ZeroPieceLengthGivesTheWholeText) {
  EXPECT_EQ(splitCharEvery("abc", 0), std::vector<std::string>{"abc"});
}

}  // namespace
