// Which paths and names a caller may act on.
#include "caller_policy.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace profilehelper {
namespace {

TEST(NormalizeAbsolutePath, Lexical) {
  struct Case {
    std::string in;
    std::optional<std::string> out;
  } cases[] = {
      {"/a//b/./c", "/a/b/c"}, {"/a/b/../c/", "/a/c"}, {"/../..", "/"},
      {"a/b", std::nullopt},   {"", std::nullopt},     {std::string("/a\0b", 4), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(normalizeAbsolutePath(c.in), c.out);
  }
}

class CallerPolicyTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("TLQ770_ROOT", "/srv/root", 1); }
  const std::string folder = "/srv/root/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1";
};

TEST_F(CallerPolicyTest, RootActsOnAnyFileOfTheFolderOnly) {
  CallerPolicy root(0);
  EXPECT_EQ(root.profilePath(folder + "/anna-TLQ770-1-profile.plist"), folder + "/anna-TLQ770-1-profile.plist");
  EXPECT_EQ(root.profilePath(folder + "/x/../other.plist"), folder + "/other.plist");
  for (const std::string& refused : {folder, folder + "/", folder + "/sub/a.plist", folder + "/../a.plist",
                                     std::string("/etc/passwd"), std::string("/srv/root/a.plist"),
                                     folder + "x/a.plist"}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(root.profilePath(refused), std::nullopt);
  }
  EXPECT_TRUE(root.mayWalk("TLQ770-1", "anna"));
  EXPECT_TRUE(root.mayWalk("OTHER", "bob"));
}

TEST_F(CallerPolicyTest, OtherUsersActOnTheirOwnListsOnly) {
  CallerPolicy nobody(65534);  // login "nobody"
  for (const char* own : {"/nobody-TLQ770-1-profile.plist", "/nobody-TLQ770-1-profile.prev.plist",
                          "/nobody-TLQ770-1-profile.plist.dummy"}) {
    SCOPED_TRACE(own);
    EXPECT_EQ(nobody.profilePath(folder + own), folder + own);
  }
  for (const char* other : {"/anna-TLQ770-1-profile.plist", "/nobody-TLQ770-1-profile.spool.plist",
                            "/nobody-OTHER-profile.plist", "/nobody-x-TLQ770-1-profile.plist", "/x.plist"}) {
    SCOPED_TRACE(other);
    EXPECT_EQ(nobody.profilePath(folder + other), std::nullopt);
  }
  EXPECT_TRUE(nobody.mayWalk("TLQ770-1", "nobody"));
  EXPECT_FALSE(nobody.mayWalk("TLQ770-1", "anna"));
  EXPECT_FALSE(nobody.mayWalk("OTHER", "nobody"));
}

TEST_F(CallerPolicyTest, UnknownUidMayDoNothing) {
  CallerPolicy ghost(54321);
  EXPECT_EQ(ghost.profilePath(folder + "/-TLQ770-1-profile.plist"), std::nullopt);
  EXPECT_FALSE(ghost.mayWalk("TLQ770-1", ""));
}

TEST(SafeNameComponent, NoSlashNoDotDotNotEmpty) {
  EXPECT_TRUE(isSafeNameComponent("anna.b"));
  EXPECT_TRUE(isSafeNameComponent("TLQ770-1"));
  for (const std::string& bad : {std::string(""), std::string("a/b"), std::string(".."), std::string("a..b"),
                                 std::string("a\0b", 3)}) {
    EXPECT_FALSE(isSafeNameComponent(bad));
  }
}

}  // namespace
}  // namespace profilehelper
