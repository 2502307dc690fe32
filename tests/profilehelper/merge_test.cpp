// The merge of a walk into the profile list file, from spool to file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../profiles/profile_builders.h"
#include "../profiles/temp_root.h"
#include "profiles/profile_paths.h"
#include "walk_spool.h"
#include "walk_spool_rows.h"

using namespace walkspool;

namespace {

struct Listed {
  std::string file;
  int32_t location;
  int32_t inMenu;
};

class WalkMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(profiles::ZNPListSetProfilePaths("TLQ770-1", "anna"), 0);
    resetSpool();
  }

  void writeList(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst) {
    ASSERT_EQ(profiles::ZNPListWriteProfile_All(&rgb, &sim, &dst), 0);
  }

  // The three lists of the file, as (file, location, InMenu) in slot order.
  std::vector<std::vector<Listed>> readLists() {
    auto r = emptyList(), s = emptyList(), d = emptyList();
    EXPECT_EQ(profiles::ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
    std::vector<std::vector<Listed>> out;
    for (const ProfileList* list : {r.get(), s.get(), d.get()}) {
      std::vector<Listed> entries;
      for (int i = 0; i < list->iNum; ++i) {
        entries.push_back({fileNameAt(*list, i), list->entry[i].Location, list->entry[i].InMenu});
      }
      out.push_back(entries);
    }
    return out;
  }

  TempRoot root_;
};

MATCHER_P3(IsListed, file, location, inMenu, "") {
  return arg.file == file && arg.location == location && arg.inMenu == inMenu;
}
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(WalkMerge, FirstWalkBuildsANewList) {
  spoolRow({1, 4, "Photo", "PHOTO.ICC", 1});
  spoolRow({2, 5, "Office", "OFFICE.ICM", 2});
  spoolRow({3, 4, "Press", "PRESS.ICC", 3});
  spoolRow({4, 3, "Elsewhere", "ELSE.ICC", 1});     // not on disk or card
  spoolRow({5, 4, "Blank", "MY FILE.ICC", 1});      // not an 8.3 name
  spoolRow({6, 4, "Unknown class", "CLS4.ICC", 4});  // no list takes it
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);

  auto lists = readLists();
  EXPECT_THAT(lists[0], ElementsAre(IsListed("PHOTO.ICC", 4, 2), IsListed("OFFICE.ICM", 5, 2)));
  EXPECT_THAT(lists[1], ElementsAre(IsListed("PRESS.ICC", 4, 2)));
  EXPECT_THAT(lists[2], ElementsAre(IsListed("PRESS.ICC", 4, 2)));
  // Everything the printer told about the row is kept.
  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(profiles::ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(r->entry[1].IndexOnDevice, 2);
  EXPECT_STREQ(r->entry[1].ProfileName, "Office");
  EXPECT_EQ(r->entry[1].ProfileClass, 2);
}

TEST_F(WalkMerge, SuccessfulWalkMarksFoundAndMissedProfiles) {
  auto rgb = listOf({
      makeEntry(1, 4, "SHOWN.ICC"),     // in the menus, found again: stays 4
      makeEntry(2, 4, "GONE.ICC"),      // in the menus, missed: 3, then registered (6)
      makeEntry(3, 2, "HIDDEN.ICC"),    // found by the last walk, missed now: 1
      makeEntry(4, 1, "BACK.ICC"),      // seen before, found again: 2
      makeEntry(510, 6, "MINE.ICM"),    // registered by hand, found on the printer: 4
      makeEntry(0, 6, "NOINDEX.ICC"),   // registered, no index: removed by the clean-up
      makeEntry(0, 4, "MENU0.ICC"),     // in the menus without index: 501, then 6
  });
  auto empty = emptyList();
  writeList(*rgb, *empty, *empty);
  spoolRow({1, 4, "", "SHOWN.ICC", 1});
  spoolRow({2, 4, "", "BACK.ICC", 2});
  spoolRow({3, 4, "", "MINE.ICM", 1});
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);

  auto lists = readLists();
  EXPECT_THAT(lists[0], ElementsAre(IsListed("SHOWN.ICC", 4, 4), IsListed("GONE.ICC", 4, 6),
                                    IsListed("HIDDEN.ICC", 4, 1), IsListed("BACK.ICC", 4, 2),
                                    IsListed("MINE.ICM", 4, 4), IsListed("MENU0.ICC", 4, 6)));
  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(profiles::ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(r->entry[5].IndexOnDevice, 501);
}

TEST_F(WalkMerge, FailedWalkDropsUnshownPrinterProfiles) {
  auto rgb = listOf({makeEntry(1, 2, "WALKED.ICC"), makeEntry(2, 4, "SHOWN.ICC"), makeEntry(3, 1, "OLD.ICC"),
                     makeEntry(600, 6, "MINE.ICM")});
  auto empty = emptyList();
  writeList(*rgb, *empty, *empty);
  // The walk failed after delivering one row, which still counts.
  spoolRow({1, 4, "", "WALKED.ICC", 1});
  ASSERT_EQ(vRestructPlistSpool2Current(1), 0);

  auto lists = readLists();
  EXPECT_THAT(lists[0], ElementsAre(IsListed("SHOWN.ICC", 4, 6), IsListed("MINE.ICM", 4, 6),
                                    IsListed("WALKED.ICC", 4, 2)));
}

TEST_F(WalkMerge, SecondWalkThatNoLongerFindsAProfile) {
  spoolRow({1, 4, "", "A.ICC", 3});
  spoolRow({2, 4, "", "B.ICC", 3});
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);
  resetSpool();
  spoolRow({1, 4, "", "A.ICC", 3});
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);

  auto lists = readLists();
  EXPECT_THAT(lists[0], IsEmpty());
  EXPECT_THAT(lists[1], ElementsAre(IsListed("A.ICC", 4, 2), IsListed("B.ICC", 4, 1)));
  EXPECT_THAT(lists[2], ElementsAre(IsListed("A.ICC", 4, 2), IsListed("B.ICC", 4, 1)));
}

TEST_F(WalkMerge, BadNamesLeaveEveryListWithoutDuplicates) {
  // A bad name ahead of a good entry in SIM and DST: removing it must not
  // hide the good entry from the merge, or the row would be added twice.
  auto sim = listOf({makeEntry(9, 3, "BAD NAME.ICC"), makeEntry(5, 2, "GOOD.ICC")});
  auto empty = emptyList();
  writeList(*empty, *sim, *sim);
  spoolRow({5, 4, "", "GOOD.ICC", 3});
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);

  auto lists = readLists();
  EXPECT_THAT(lists[1], ElementsAre(IsListed("GOOD.ICC", 4, 2)));
  EXPECT_THAT(lists[2], ElementsAre(IsListed("GOOD.ICC", 4, 2)));
}

TEST_F(WalkMerge, RowsAfterAGapInThePrinterTableAreMerged) {
  spoolRow({1, 4, "", "ONE.ICC", 1});
  spoolRow({7, 4, "", "SEVEN.ICC", 1});
  ASSERT_EQ(PlistForSpool.iNum, 2);
  ASSERT_EQ(vRestructPlistSpool2Current(0), 0);
  EXPECT_THAT(readLists()[0], ElementsAre(IsListed("ONE.ICC", 4, 2), IsListed("SEVEN.ICC", 4, 2)));
}

TEST_F(WalkMerge, UnwritableListReportsFailure) {
  std::filesystem::remove_all(root_.profileFolder());
  spoolRow({1, 4, "", "ONE.ICC", 1});
  EXPECT_EQ(vRestructPlistSpool2Current(0), -1);
}

}  // namespace
