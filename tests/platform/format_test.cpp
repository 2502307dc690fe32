// printf-style formatting with "%@" for objects.
#include "pdk/format.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <string>

#include "pdk/object.h"

namespace {

// Formats through the va_list entry point, as the panes' log functions do;
// the compiler's printf checks know neither "%@" nor the odd formats below.
std::string fmt(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::string s = pdk::formatStringV(format, ap);
  va_end(ap);
  return s;
}

class Named : public pdk::Object {
 public:
  const char* className() const override { return "ZNNamed"; }
  std::string description() const override { return "<named object>"; }
};

TEST(Format, ObjectConversionPrintsTheDescription) {
  Named named;
  const pdk::Object* none = nullptr;
  EXPECT_EQ(fmt("obj=%@ null=%@ end", static_cast<const pdk::Object*>(&named), none),
            "obj=<named object> null=(null) end");

  // The default description names the class and the address.
  pdk::Object plain;
  std::string s = fmt("%@", static_cast<const pdk::Object*>(&plain));
  EXPECT_EQ(s.rfind("<Object: 0x", 0), 0u) << s;
  EXPECT_EQ(s.back(), '>');
}

TEST(Format, MixedConversionsConsumeTheirArgumentsInOrder) {
  Named named;
  std::string s = fmt("%d|%s|%5.2f|%lld|%zu|%%|%@|%x|%c|%ld|%-4s|%03u", -12, "text", 3.14159,
                                    static_cast<long long>(-9000000000LL), static_cast<size_t>(42),
                                    static_cast<const pdk::Object*>(&named), 255u, 'Z', 77L, "ab", 7u);
  EXPECT_EQ(s, "-12|text| 3.14|-9000000000|42|%|<named object>|ff|Z|77|ab  |007");
}

TEST(Format, StarWidthAndPrecisionTakeIntArguments) {
  EXPECT_EQ(pdk::formatString("[%*d]", 6, 42), "[    42]");
  EXPECT_EQ(pdk::formatString("[%-*d]", 4, 7), "[7   ]");
  EXPECT_EQ(pdk::formatString("[%.*s]", 3, "abcdef"), "[abc]");
  EXPECT_EQ(pdk::formatString("[%*.*f]", 8, 1, 2.25), "[     2.2]");
  // A negative '*' width left-justifies, as printf does.
  EXPECT_EQ(pdk::formatString("[%*d]%s", -5, 1, "!"), "[1    ]!");
}

TEST(Format, UnknownOrIncompleteConversionIsKeptAsText) {
  // Unknown conversions do not consume an argument: the next one still lines up.
  EXPECT_EQ(fmt("a%kb %d", 5), "a%kb 5");
  EXPECT_EQ(fmt("%y%d", 3), "%y3");
  EXPECT_EQ(fmt("100%"), "100%");
  EXPECT_EQ(fmt("%5"), "%5");
  EXPECT_EQ(fmt("%%d"), "%d");
  // "%n" would write through an argument: it is text here, never a store.
  EXPECT_EQ(fmt("a%nb"), "a%nb");
}

TEST(Format, NullStringAndNullFormat) {
  const char* none = nullptr;
  EXPECT_EQ(pdk::formatString("[%s]", none), "[(null)]");
  EXPECT_EQ(pdk::formatString(nullptr), "");
}

TEST(Format, LongOutputIsNotTruncated) {
  std::string big(5000, 'x');
  std::string s = pdk::formatString("<%s>%d", big.c_str(), 9);
  EXPECT_EQ(s, "<" + big + ">9");
  EXPECT_EQ(pdk::formatString("%600d", 1).size(), 600u);
}

}  // namespace
