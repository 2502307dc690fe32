// The colour pane's build of the profile-list library against the real
// relay program and service: the list written in pieces, read back, kept
// as the previous generation and removed, and a temporary file left by an
// interrupted write that must not end up in the list.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "pdk/system_root.h"
#include "profiles/profile_list.h"
#include "test_support.h"

namespace integration {
namespace {

using profiles::ProfileList;

std::unique_ptr<ProfileList> fullList(int profileClass) {
  auto list = std::make_unique<ProfileList>();
  for (int i = 0; i < profiles::kProfileSlotCount; ++i) {
    profiles::ProfileEntry& e = list->entry[i];
    e.IndexOnDevice = i + 1;
    e.InMenu = 2 + i % 5;
    e.ProfileClass = profileClass;
    std::snprintf(e.FileName, sizeof e.FileName, "P%04d.ICC", i);
    std::snprintf(e.ProfileName, sizeof e.ProfileName, "Profile Nr. %d", i);
    e.Location = 4 + i % 2;
  }
  list->iNum = profiles::kProfileSlotCount;
  return list;
}

class PaneRelayTest : public ::testing::Test {
 protected:
  PaneRelayTest() : service_(root_, root_.path() + "/run/helper.sock") {}

  void SetUp() override {
    ASSERT_TRUE(service_.ready());
    setenv("TLQ770_ROOT", root_.path().c_str(), 1);
    setenv("TLQ770_HELPER_SOCKET", service_.socketPath().c_str(), 1);
    // The relay program where the pane looks for it.
    std::string helper = pdk::systemPath(pdk::kHelperProgram);
    std::filesystem::create_directories(std::filesystem::path(helper).parent_path());
    std::filesystem::create_symlink(binaryPath("TLQ770-1Helper"), helper);
    user_ = getpwuid(getuid())->pw_name;
  }
  void TearDown() override {
    unsetenv("TLQ770_ROOT");
    unsetenv("TLQ770_HELPER_SOCKET");
  }

  TempRoot root_;
  HelperService service_;
  std::string user_;
};

TEST_F(PaneRelayTest, AFullListTravelsInPiecesAndReadsBack) {
  EXPECT_EQ(profiles::ZNPListIsAdminProfile(), 1);
  EXPECT_EQ(profiles::ZNPListExistProfile(), 0);

  // A temporary file of an interrupted write is removed before the first piece.
  writeFile(root_.listPath(user_, ".plist.dummy"), "<?xml version=\"1.0\"?><plist><dict><key>Half");
  auto rgb = fullList(1), sim = fullList(3), dst = fullList(3);
  ASSERT_EQ(profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);
  EXPECT_FALSE(fileExists(root_.listPath(user_, ".plist.dummy")));
  EXPECT_GT(readFile(root_.listPath(user_)).size(), 3u * 90000u);  // several pieces

  auto r = std::make_unique<ProfileList>(), s = std::make_unique<ProfileList>(), d = std::make_unique<ProfileList>();
  ASSERT_EQ(profiles::ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(std::memcmp(r.get(), rgb.get(), sizeof(ProfileList)), 0);
  EXPECT_EQ(std::memcmp(d.get(), dst.get(), sizeof(ProfileList)), 0);
  EXPECT_EQ(profiles::ZNPListExistProfile(), 1);

  // The previous generation is a copy of the current list.
  profiles::ZNPListSwapProfile(2);
  EXPECT_EQ(readFile(root_.listPath(user_, ".prev.plist")), readFile(root_.listPath(user_)));
  EXPECT_EQ(profiles::ZNPListRemove(2), 1);
  EXPECT_FALSE(fileExists(root_.listPath(user_, ".prev.plist")));
  EXPECT_EQ(profiles::ZNPListRemove(2), 0);
}

}  // namespace
}  // namespace integration
