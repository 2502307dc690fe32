// The service build's file operations on the paths of the walk request.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "profile_builders.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"
#include "temp_root.h"

using namespace profiles;

namespace {

class DirectFileAccess : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ZNPListSetProfilePaths("TLQ770-1", "anna"), 0); }
  std::string current() const { return ZN_PLIST_PROFILE_PATH; }
  std::string previous() const { return ZN_PLIST_PROFILE_PREV_PATH; }
  static bool exists(const std::string& path) { return std::filesystem::exists(path); }

  TempRoot root_;
};

TEST_F(DirectFileAccess, PathsAreComposedUserFirst) {
  const std::string folder = root_.profileFolder();
  EXPECT_EQ(current(), folder + "anna-TLQ770-1-profile.plist");
  EXPECT_EQ(previous(), folder + "anna-TLQ770-1-profile.prev.plist");
  EXPECT_EQ(std::string(ZN_PLIST_PROFILE_SPOOL_PATH), folder + "anna-TLQ770-1-profile.spool.plist");
}

TEST_F(DirectFileAccess, UnsafeOrLongNamesClearThePaths) {
  const std::string longName(300, 'u');
  const char* refused[][2] = {{"TLQ770-1", "../etc"}, {"TLQ770-1", "a/b"}, {"..", "anna"}, {"TLQ770-1", ""},
                              {nullptr, "anna"},      {"TLQ770-1", longName.c_str()}};
  for (auto& names : refused) {
    ASSERT_EQ(ZNPListSetProfilePaths("TLQ770-1", "anna"), 0);
    EXPECT_EQ(ZNPListSetProfilePaths(names[0], names[1]), -1) << (names[1] ? names[1] : "(null)");
    EXPECT_EQ(current(), "");
    EXPECT_EQ(previous(), "");
    EXPECT_EQ(ZNPListIsAdminProfile(), 0);
  }
}

TEST_F(DirectFileAccess, TheLongestPathFitsWithItsTerminatingZero) {
  // The spool path is the longest of the three; size a user
  // name so that it is exactly 254 bytes, then one byte more.
  const std::string folder = pdk::systemPath(pdk::kProfileFolder);
  const size_t fixed = folder.size() + std::string("-TLQ770-1-profile.spool.plist").size();
  ASSERT_LT(fixed, 254u);
  const std::string fits(254 - fixed, 'u'), tooLong(255 - fixed, 'u');
  EXPECT_EQ(ZNPListSetProfilePaths("TLQ770-1", fits.c_str()), 0);
  EXPECT_EQ(std::string(ZN_PLIST_PROFILE_SPOOL_PATH).size(), 254u);
  EXPECT_EQ(ZNPListSetProfilePaths("TLQ770-1", tooLong.c_str()), -1);
}

TEST_F(DirectFileAccess, WritabilityTestLeavesNoTrace) {
  EXPECT_EQ(ZNPListIsAdminProfile(), 1);
  EXPECT_FALSE(exists(current()));

  writeWholeFile(current(), "content");
  EXPECT_EQ(ZNPListIsAdminProfile(), 1);
  EXPECT_EQ(readWholeFile(current()), "content");

  std::filesystem::remove_all(root_.profileFolder());  // nowhere to write
  EXPECT_EQ(ZNPListIsAdminProfile(), 0);
  auto empty = emptyList();
  EXPECT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), -1);
}

TEST_F(DirectFileAccess, WholeWriteReplacesTheFileAndLeavesNothingBeside) {
  writeWholeFile(current(), "old and much longer content than a list would ever need, really");
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), 0);
  int files = 0;
  for (auto& entry : std::filesystem::directory_iterator(root_.profileFolder())) {
    ++files;
    EXPECT_EQ(entry.path(), current());
  }
  EXPECT_EQ(files, 1);
  struct stat st;
  ASSERT_EQ(::stat(current().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
  EXPECT_EQ(readWholeFile(current()).rfind("<?xml", 0), 0u);
}

TEST_F(DirectFileAccess, SwapKeepsDropsAndRestoresThePreviousGeneration) {
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 3);
  writeWholeFile(current(), big);
  writeWholeFile(previous(), "stale previous generation");

  ZNPListSwapProfile(2);  // keep: an exact copy over several blocks
  EXPECT_EQ(readWholeFile(previous()), big);

  ZNPListSwapProfile(7);  // unknown: nothing
  EXPECT_TRUE(exists(previous()));

  writeWholeFile(current(), "newer");
  ZNPListSwapProfile(0);  // restore
  EXPECT_EQ(readWholeFile(current()), big);
  EXPECT_FALSE(exists(previous()));

  ZNPListSwapProfile(2);
  ZNPListSwapProfile(1);  // drop
  EXPECT_FALSE(exists(previous()));
  EXPECT_EQ(readWholeFile(current()), big);

  ZNPListSwapProfile(0);  // restore without a previous file: the current one goes
  EXPECT_FALSE(exists(current()));
}

TEST_F(DirectFileAccess, ExistAndRemove) {
  EXPECT_EQ(ZNPListExistProfile(), 0);
  writeWholeFile(current(), "x");
  writeWholeFile(previous(), "y");
  EXPECT_EQ(ZNPListExistProfile(), 1);

  EXPECT_EQ(ZNPListRemove(1), 0);  // names no file
  EXPECT_TRUE(exists(current()));
  EXPECT_TRUE(exists(previous()));
  EXPECT_EQ(ZNPListRemove(2), 1);
  EXPECT_FALSE(exists(previous()));
  EXPECT_EQ(ZNPListRemove(2), 0);
  EXPECT_EQ(ZNPListRemove(3), 1);
  EXPECT_EQ(ZNPListExistProfile(), 0);
}

}  // namespace
