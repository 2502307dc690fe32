// Splitting of the service's request texts into fields.
#include "request_fields.h"

#include <gtest/gtest.h>

namespace profilehelper {
namespace {

TEST(SwapRequest, FieldsByMarker) {
  struct Case {
    std::string request;
    int32_t type;
    std::optional<std::string> current, previous;
  } cases[] = {
      {"2:ARG_iSwapType/p/a.plist:ARG_cFooCurrentString/p/a.prev.plist:ARG_cFooPrevString", 2, "/p/a.plist",
       "/p/a.prev.plist"},
      {"NULL:ARG_iSwapType/a:ARG_cFooCurrentStringNULL:ARG_cFooPrevString", 0, "/a", std::nullopt},
      {"abc:ARG_iSwapTypeNULL:ARG_cFooCurrentString/b:ARG_cFooPrevString", 0, std::nullopt, "/b"},
      {"7x:ARG_iSwapType:ARG_cFooCurrentString:ARG_cFooPrevString", 7, "", ""},
      // A marker that is missing leaves its field and the later ones absent.
      {"1:ARG_iSwapType/a:ARG_cFooPrevString", 1, std::nullopt, std::nullopt},
      {"2/a/b", 0, std::nullopt, std::nullopt},
      // First occurrence wins; fields are not trimmed.
      {" 1:ARG_iSwapType /a :ARG_cFooCurrentString/b:ARG_cFooPrevString:ARG_cFooPrevString", 1, " /a ", "/b"},
      {"99999999999:ARG_iSwapType/a:ARG_cFooCurrentString/b:ARG_cFooPrevString", -1, "/a", "/b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    SwapRequest swap = parseSwapRequest(c.request);
    EXPECT_EQ(swap.type, c.type);
    EXPECT_EQ(swap.current, c.current);
    EXPECT_EQ(swap.previous, c.previous);
  }
}

TEST(WalkRequest, NamesAndArguments) {
  auto walk = parseWalkRequest("TLQ770-1:ModelName:ENDanna:USErName:ENDsnmpwalk:arg:-v:arg:1:arg:host:arg:");
  ASSERT_TRUE(walk);
  EXPECT_EQ(walk->model, "TLQ770-1");
  EXPECT_EQ(walk->user, "anna");
  EXPECT_EQ(walk->arguments, (std::vector<std::string>{"snmpwalk", "-v", "1", "host"}));

  // Text after the last ":arg:" is not an argument; empty arguments are kept.
  walk = parseWalkRequest("m:ModelName:ENDu:USErName:END:arg:a:arg:dropped");
  ASSERT_TRUE(walk);
  EXPECT_EQ(walk->arguments, (std::vector<std::string>{"", "a"}));

  EXPECT_FALSE(parseWalkRequest("m:ModelName:ENDu snmpwalk:arg:"));
  EXPECT_FALSE(parseWalkRequest("u:USErName:ENDm:ModelName:END"));
}

TEST(FileURL, PathOfAFileURL) {
  struct Case {
    const char* url;
    std::optional<std::string> path;
  } cases[] = {
      {"file:///Library/a%20b.plist", "/Library/a b.plist"},
      {"file://localhost/x/y", "/x/y"},
      {"file:///x%2Fy", "/x/y"},
      {"/Library/a.plist", std::nullopt},
      {"file://host/x", std::nullopt},
      {"http:///x", std::nullopt},
      {"file:///x%2", std::nullopt},
      {"file:///x%zz", std::nullopt},
      {"file:///x?query", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(pathFromFileURL(c.url), c.path);
  }
}

}  // namespace
}  // namespace profilehelper
