// The walk spool and the pieces of the merge, one function at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../profiles/profile_builders.h"
#include "walk_spool.h"
#include "walk_spool_rows.h"

using namespace walkspool;

namespace {

const ProfileList& spool() { return PlistForSpool; }

TEST(WalkSpool, StoresEachColumnInItsRowEntry) {
  resetSpool();
  spoolRow({3, 5, "Vivid Photo", "VIVID.ICC", 1, 7});
  const ProfileEntry& e = spool().entry[2];
  EXPECT_EQ(e.IndexOnDevice, 3);
  EXPECT_EQ(e.Location, 5);
  EXPECT_STREQ(e.ProfileName, "Vivid Photo");
  EXPECT_STREQ(e.FileName, "VIVID.ICC");
  EXPECT_EQ(e.ProfileClass, 1);
  EXPECT_EQ(e.ProfileAvailability, 7);
  EXPECT_EQ(e.InMenu, 0);
  EXPECT_EQ(spool().iNum, 1);

  // The count is the number of IndexOnDevice values, not the highest row.
  spoolInteger(cellOid(1, 500), 500);
  EXPECT_EQ(spool().iNum, 2);
  EXPECT_EQ(spool().entry[499].IndexOnDevice, 500);

  // The 17th sub-identifier is not examined.
  spoolString(cellOid(3, 3, 99), "Other");
  EXPECT_STREQ(spool().entry[2].ProfileName, "Other");

  // Integers keep their low 32 bits; strings end at their first zero byte.
  spoolInteger(cellOid(2, 3), 0x100000004L);
  EXPECT_EQ(spool().entry[2].Location, 4);
  spoolString(cellOid(4, 3), std::string("AB.ICC\0junk", 11));
  EXPECT_STREQ(spool().entry[2].FileName, "AB.ICC");

  // A full 32-byte text fills the field without a terminator.
  spoolString(cellOid(3, 3), std::string(32, 'p'));
  EXPECT_EQ(std::string(spool().entry[2].ProfileName, 32), std::string(32, 'p'));
  EXPECT_EQ(spool().entry[2].FileName[0], 'A');  // the next field is untouched

  resetSpool();
  EXPECT_TRUE(sameEntry(spool().entry[2], ProfileEntry{}));
  EXPECT_EQ(spool().iNum, 0);
}

TEST(WalkSpool, IgnoresWhatHasNoPlace) {
  struct Case {
    const char* what;
    void (*feed)();
  } cases[] = {
      {"row 0", [] { spoolInteger(cellOid(1, 0), 1); }},
      {"row 501", [] { spoolInteger(cellOid(1, 501), 1); }},
      {"huge row", [] { spoolString(cellOid(4, 0xFFFFFFFFUL), "A.ICC"); }},
      {"string of 33 bytes", [] { spoolString(cellOid(4, 1), std::string(33, 'n')); }},
      {"column 6", [] { spoolInteger(cellOid(6, 1), 9); }},
      {"column 8", [] { spoolInteger(cellOid(8, 1), 9); }},
      {"integer column given a string", [] { spoolString(cellOid(1, 1), "1"); }},
      {"string column given an integer", [] { spoolInteger(cellOid(4, 1), 1); }},
      {"counter instead of integer", [] { spoolInteger(cellOid(5, 1), 1, ASN_COUNTER); }},
      {"outside the table", [] {
         auto name = cellOid(1, 1);
         name[6] = 9999;
         spoolInteger(name, 1);
       }},
      {"identifier without a row", [] {
         auto name = cellOid(1, 1);
         name.pop_back();
         spoolInteger(name, 1);
       }},
      {"no variable", [] {
         auto name = cellOid(1, 1);
         vSpoolPlist(name.data(), name.size(), nullptr, 0);
       }},
  };
  for (const Case& c : cases) {
    resetSpool();
    spoolRow({1, 4, "Kept", "KEPT.ICC", 2});
    const ProfileList before = spool();
    c.feed();
    EXPECT_EQ(std::memcmp(&before, &spool(), sizeof before), 0) << c.what;
  }
}

TEST(WalkSpool, EightPointThreeNames) {
  struct Case {
    std::string name;
    bool ok;
  } cases[] = {
      {"ABCDEFGH.ICC", true},  {".ICC", false},     {"NAME.ICCX", false},   {"A.B.C", true},
      {"A.B.CD", false},       {"ABC.", true},      {std::string(27, 'N'), true},
      {std::string(28, 'N'), false},                {std::string(27, 'N') + ".ICC", true},
      {std::string(28, 'N') + ".ICC", false},       {"MY FILE.ICC", false}, {"{X}~1.ICM", true},
      {"", false},             {"A@B.ICC", false},  {"A/B.ICC", false},     {"A:B", false},
      {"`!#$%&'()-^_{}~.x", true},                  {"CAF\xc3\x89.ICC", false},
  };
  for (const Case& c : cases) EXPECT_EQ(bJudgement8point3Format(c.name), c.ok) << '"' << c.name << '"';
}

TEST(WalkSpool, FileNameFilterAcceptsExactlyTheAllowedSet) {
  const std::string allowed =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!#$%&'()-.^_{}~`";
  for (int c = 0; c < 256; ++c) {
    const bool expected = c != 0 && allowed.find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(FileNameFilter(static_cast<unsigned char>(c)), expected) << "byte " << c;
  }
}

TEST(WalkSpool, ResetBeforeMergeStateTable) {
  struct Case {
    int32_t before;
    int32_t afterSuccess;
    int32_t afterFailure;
  } cases[] = {
      {0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 3, 3}, {4, 3, 6}, {5, 5, 5}, {6, 6, 6}, {9, 9, 9},
  };
  for (const Case& c : cases) {
    for (int32_t failure : {0, 1, -1}) {
      auto list = listOf({makeEntry(1, 3, "FIRST.ICC"), makeEntry(7, c.before, "X.ICC")});
      list->iNum = c.before == 0 ? 1 : 2;
      vDeleteMIBprofilesTemporary(failure, list.get());
      const int32_t expected = failure == 0 ? c.afterSuccess : c.afterFailure;
      EXPECT_EQ(list->entry[1].InMenu, expected) << "InMenu " << c.before << " failure " << failure;
      EXPECT_EQ(list->entry[0].InMenu, 3);
      if (c.before != 0 && expected == 0) {
        // A freed slot holds nothing of the profile and no longer counts.
        EXPECT_TRUE(sameEntry(list->entry[1], ProfileEntry{}));
        EXPECT_EQ(list->iNum, 1);
      }
    }
  }
}

TEST(WalkSpool, MergeOneRowStateTable) {
  resetSpool();
  spoolRow({4, 4, "Found", "FOUND.ICC", 1});
  struct Case {
    int32_t before;
    int32_t after;
  } cases[] = {{1, 2}, {5, 2}, {3, 4}, {6, 4}, {2, 2}, {4, 4}, {8, 8}};
  for (const Case& c : cases) {
    auto list = listOf({makeEntry(1, 3, "OTHER.ICC"), makeEntry(4, c.before, "FOUND.ICC", 4)});
    vRestructDetail(3, list.get());
    EXPECT_EQ(list->entry[1].InMenu, c.after) << "InMenu " << c.before;
    EXPECT_EQ(list->iNum, 2) << "InMenu " << c.before;
  }
}

TEST(WalkSpool, MergeOneRowAddsWhatIsNotListed) {
  resetSpool();
  spoolRow({4, 4, "Found", "FOUND.ICC", 1, 3});
  // Same file name on the other storage is another profile.
  auto list = listOf({makeEntry(1, 3, "FOUND.ICC", 5)});
  vRestructDetail(3, list.get());
  ASSERT_EQ(list->iNum, 2);
  ProfileEntry expected = spool().entry[3];
  expected.InMenu = 2;
  EXPECT_TRUE(sameEntry(list->entry[1], expected));

  // A full table drops the row.
  auto full = emptyList();
  for (int i = 0; i < 500; ++i) full->entry[i] = makeEntry(i + 1, 3, ("F" + std::to_string(i)).c_str());
  full->iNum = 500;
  const ProfileList before = *full;
  vRestructDetail(3, full.get());
  EXPECT_EQ(std::memcmp(&before, full.get(), sizeof before), 0);

  // Indexes outside the spool do nothing.
  auto small = emptyList();
  vRestructDetail(-1, small.get());
  vRestructDetail(500, small.get());
  EXPECT_EQ(small->iNum, 0);
}

}  // namespace
