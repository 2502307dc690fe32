// Value: shared containers, deep copies, equality and typed reads.
#include "pdk/value.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

using pdk::Bytes;
using pdk::Value;

TEST(Value, DictionarySetIntoAnotherIsSharedNotCopied) {
  Value settings = Value::dictionary();
  Value inner = Value::dictionary();
  settings.set("ColorOptions", inner);

  // Changed after it was handed over: the change is seen through both.
  inner.set("Mode", "Vivid");
  EXPECT_EQ(settings.get("ColorOptions").get("Mode").asString(), "Vivid");

  // And a change made through the outer dictionary is seen by the holder.
  settings.get("ColorOptions").set("Level", 3);
  EXPECT_EQ(inner.get("Level").asInteger(), 3);
  EXPECT_TRUE(settings.get("ColorOptions").sameObject(inner));
}

TEST(Value, CopyOfArrayValueSharesTheArray) {
  Value a = Value::array();
  Value b = a;  // copies the reference
  b.append(1);
  b.append("two");
  EXPECT_EQ(a.count(), 2u);
  EXPECT_TRUE(a.sameObject(b));
  // Two fresh arrays are never the same object, even when equal.
  EXPECT_FALSE(Value::array().sameObject(Value::array()));
  EXPECT_EQ(Value::array(), Value::array());
}

TEST(Value, DeepCopyIsIndependentAtEveryLevel) {
  Value list = Value::array();
  list.append("a");
  Value original = Value::dictionary();
  original.set("list", list);
  original.set("n", 1);

  Value copy = original.deepCopy();
  ASSERT_EQ(copy, original);
  EXPECT_FALSE(copy.sameObject(original));
  EXPECT_FALSE(copy.get("list").sameObject(list));

  // Changes to the original's nested array do not reach the copy, and back.
  list.append("b");
  copy.set("n", 2);
  copy.get("list").setAt(0, "z");
  EXPECT_EQ(copy.get("list").count(), 1u);
  EXPECT_EQ(copy.get("list").at(0).asString(), "z");
  EXPECT_EQ(original.get("n").asInteger(), 1);
  EXPECT_EQ(list.at(0).asString(), "a");
}

TEST(Value, EqualityComparesContentAndType) {
  Value d1 = Value::dictionary();
  Value d2 = Value::dictionary();
  d1.set("k", Value(Bytes{1, 2}));
  d2.set("k", Value(Bytes{1, 2}));
  EXPECT_EQ(d1, d2);
  d2.set("k", Value(Bytes{1, 3}));
  EXPECT_FALSE(d1 == d2);

  struct Case {
    Value a, b;
    bool equal;
  } cases[] = {
      {Value(), Value(), true},
      {Value(1), Value(int64_t{1}), true},
      {Value(1), Value(1.0), false},  // integer and real are different types
      {Value(true), Value(1), false},
      {Value("1"), Value(1), false},
      {Value(""), Value(), false},
      {Value("x"), Value(std::string("x")), true},
      {Value(Bytes{}), Value(""), false},
      {Value::array(), Value::dictionary(), false},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].a == cases[i].b, cases[i].equal) << "case " << i;
}

TEST(Value, TypedReadsOfTheWrongTypeAnswerTheFallback) {
  Value dict = Value::dictionary();
  dict.set("k", 1);
  const Value values[] = {Value(), Value("text"), Value(Bytes{7}), Value::array(), dict};
  for (const Value& v : values) {
    EXPECT_FALSE(v.asBool(false));
    EXPECT_TRUE(v.asBool(true));
    EXPECT_EQ(v.asInteger(-7), -7);
    EXPECT_EQ(v.asReal(2.5), 2.5);
  }
  EXPECT_EQ(Value(42).asString(), "");
  EXPECT_TRUE(Value("x").asData().empty());
  EXPECT_EQ(Value(true).asInteger(9), 9);
  // Numbers read across integer and real.
  EXPECT_EQ(Value(3.9).asInteger(), 3);
  EXPECT_EQ(Value(-4).asReal(), -4.0);
}

TEST(Value, ContainerCallsOnTheWrongTypeDoNothing) {
  Value s("scalar");
  s.append(1);
  s.set("k", 1);
  s.insert(0, 1);
  s.removeAt(0);
  s.removeAll();
  EXPECT_EQ(s, Value("scalar"));
  EXPECT_EQ(s.count(), 0u);
  EXPECT_TRUE(s.get("k").isNull());
  EXPECT_TRUE(s.at(0).isNull());
  EXPECT_TRUE(s.keys().empty());
  EXPECT_FALSE(s.sameObject(s));
}

TEST(Value, ArrayEditsRespectBounds) {
  Value a = Value::array();
  a.append("b");
  a.insert(0, "a");
  a.insert(2, "c");   // at the end is allowed
  a.insert(9, "x");   // past the end is ignored
  a.setAt(7, "x");    // ignored
  a.removeAt(5);      // ignored
  ASSERT_EQ(a.count(), 3u);
  EXPECT_EQ(a.at(0).asString(), "a");
  EXPECT_EQ(a.at(2).asString(), "c");
  EXPECT_TRUE(a.at(3).isNull());
  a.removeAt(1);
  EXPECT_EQ(a.at(1).asString(), "c");
}

TEST(Value, DictionaryKeysAreSortedAndRemovable) {
  Value d = Value::dictionary();
  d.set("b", 1);
  d.set("a", 2);
  d.set("c", Value());
  EXPECT_EQ(d.keys(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(d.contains("c"));  // a null value is still an entry
  d.remove("b");
  EXPECT_FALSE(d.contains("b"));
  EXPECT_TRUE(d.get("b").isNull());
  d.removeAll();
  EXPECT_EQ(d.count(), 0u);
}

Value makeText() { return Value(std::string(100, 'q')); }

TEST(Value, AsStringOfATemporaryOwnsItsText) {
  // The rvalue overload returns by value; the text outlives the temporary.
  std::string s = makeText().asString();
  EXPECT_EQ(s, std::string(100, 'q'));
  auto&& bound = makeText().asString();
  EXPECT_EQ(bound, std::string(100, 'q'));
  Bytes data = Value(Bytes{1, 2, 3}).asData();
  EXPECT_EQ(data, (Bytes{1, 2, 3}));
  // A named value keeps its text after a read.
  Value named("kept");
  const std::string& ref = named.asString();
  EXPECT_EQ(ref, "kept");
  EXPECT_EQ(named.asString(), "kept");
}

TEST(Value, NullCharPointerIsEmptyString) {
  const char* none = nullptr;
  Value v(none);
  EXPECT_TRUE(v.isString());
  EXPECT_EQ(v.asString(), "");
  EXPECT_FALSE(static_cast<bool>(Value()));
  EXPECT_TRUE(static_cast<bool>(Value(false)));
}

}  // namespace
