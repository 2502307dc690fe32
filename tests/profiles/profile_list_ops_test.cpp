// Merging, clean-up and count normalisation of tables in memory, and the
// window's merge with the file.
#include <gtest/gtest.h>

#include <vector>

#include "profile_builders.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"
#include "temp_root.h"

using namespace profiles;

namespace {

struct SlotState {
  int32_t index;
  int32_t inMenu;
  const char* file;
};

TEST(ProfileListCleanUp, CleanSalvageTable) {
  // One entry per case, alone in its table, run through clean-up then salvage.
  struct Case {
    SlotState before;
    SlotState afterClean;
    int32_t countAfterClean;
    int32_t inMenuAfterSalvage;
  } cases[] = {
      {{0, 4, "B.ICC"}, {501, 3, "B.ICC"}, 1, 6},  // menu entry without index is kept
      {{0, 3, "B.ICC"}, {501, 3, "B.ICC"}, 1, 6},
      {{0, 6, "B.ICC"}, {0, 0, ""}, 0, 0},  // registered, no index: cleared
      {{0, 2, "B.ICC"}, {0, 0, ""}, 0, 0},
      {{0, 1, "B.ICC"}, {0, 0, ""}, 0, 0},
      {{0, 5, "B.ICC"}, {0, 0, ""}, 0, 0},
      {{0, 4, ""}, {0, 4, ""}, 1, 4},         // no name: left alone
      {{12, 3, "C.ICC"}, {12, 3, "C.ICC"}, 1, 6},  // indexed: salvage only
      {{12, 4, "C.ICC"}, {12, 4, "C.ICC"}, 1, 4},
      {{12, 3, ""}, {12, 3, ""}, 1, 3},
  };
  for (const Case& c : cases) {
    auto list = listOf({makeEntry(c.before.index, c.before.inMenu, c.before.file)});
    list->entry[0].ProfileAvailability = 3;
    ZNPListCleanProfile_Dict(list.get());
    SCOPED_TRACE(testing::Message() << "index " << c.before.index << " InMenu " << c.before.inMenu << " '"
                                    << c.before.file << "'");
    EXPECT_EQ(list->entry[0].IndexOnDevice, c.afterClean.index);
    EXPECT_EQ(list->entry[0].InMenu, c.afterClean.inMenu);
    EXPECT_EQ(fileNameAt(*list, 0), c.afterClean.file);
    EXPECT_EQ(list->iNum, c.countAfterClean);
    if (c.afterClean.inMenu == 0) {
      EXPECT_TRUE(sameEntry(list->entry[0], ProfileEntry{}));
    }
    ZNPListSalvage_Dict(list.get());
    EXPECT_EQ(list->entry[0].InMenu, c.inMenuAfterSalvage);
  }
}

TEST(ProfileListCleanUp, CleaningAFreeSlotKeepsTheCount) {
  // A free slot with a leftover name is cleared without lowering the count
  // of the slots in use.
  auto list = listOf({makeEntry(1, 3, "A.ICC")});
  list->entry[1] = makeEntry(0, 0, "STALE.ICC");
  ZNPListCleanProfile_Dict(list.get());
  EXPECT_EQ(list->iNum, 1);
  EXPECT_TRUE(sameEntry(list->entry[1], ProfileEntry{}));
}

TEST(ProfileListCleanUp, PaddingMovesUsedSlotsToTheFrontInOrder) {
  auto list = emptyList();
  list->entry[0] = makeEntry(1, 3, "A.ICC");
  list->entry[2] = makeEntry(2, 6, "B.ICC");
  list->entry[5] = makeEntry(3, 2, "C.ICC");
  list->entry[5].ProfileAvailability = 7;
  list->entry[499] = makeEntry(4, 1, "D.ICC");
  list->iNum = 3;  // not changed by padding, whatever it is
  ZNPListPaddingProfile_Dict(list.get());
  EXPECT_EQ(fileNameAt(*list, 0), "A.ICC");
  EXPECT_EQ(fileNameAt(*list, 1), "B.ICC");
  EXPECT_EQ(fileNameAt(*list, 2), "C.ICC");
  EXPECT_EQ(list->entry[2].ProfileAvailability, 7);
  EXPECT_EQ(fileNameAt(*list, 3), "D.ICC");
  for (int slot = 4; slot < 500; ++slot) EXPECT_TRUE(sameEntry(list->entry[slot], ProfileEntry{})) << slot;
  EXPECT_EQ(list->iNum, 3);
}

TEST(ProfileListCleanUp, CountCheckTable) {
  struct Case {
    std::vector<int> usedSlots;
    int32_t count;
    int32_t expected;
    bool slot3Kept;
  } cases[] = {
      {{0, 1, 2, 3}, 3, 4, true},
      {{0, 1, 2, 3}, 5, 4, true},
      {{0, 1, 2, 3}, 4, 4, true},
      {{0, 1, 3}, 2, 3, false},    // used slot past the new count is cleared
      {{0, 1, 3}, 3, 3, true},     // equal: nothing changes, hole or not
      {{}, -4, 0, false},
  };
  for (const Case& c : cases) {
    auto list = emptyList();
    for (int slot : c.usedSlots) list->entry[slot] = makeEntry(slot + 1, 3, "A.ICC");
    list->iNum = c.count;
    ZNPlistCheckWithInMenu_Dict(list.get());
    EXPECT_EQ(list->iNum, c.expected) << "count " << c.count;
    EXPECT_EQ(list->entry[3].InMenu != 0, c.slot3Kept) << "count " << c.count;
  }
}

TEST(ProfileListMapping, KeepsWalkFoundEntriesTheWindowDidNotShow) {
  const ProfileEntry found = makeEntry(1, 2, "A.ICC", 4);
  struct Case {
    const char* what;
    ProfileEntry fileEntry;
    std::vector<ProfileEntry> edited;
    std::vector<ProfileEntry> deleted;
    std::vector<std::string> expectedFiles;
  } cases[] = {
      {"kept alone", found, {}, {}, {"A.ICC"}},
      {"InMenu 4 kept too", makeEntry(1, 4, "A.ICC"), {}, {}, {"A.ICC"}},
      {"deleted", found, {}, {makeEntry(0, 6, "A.ICC", 4)}, {}},
      {"edited copy wins", found, {makeEntry(9, 6, "A.ICC", 4)}, {}, {"A.ICC"}},
      {"other location is another profile", found, {makeEntry(9, 6, "A.ICC", 5)}, {}, {"A.ICC", "A.ICC"}},
      {"case matters", found, {}, {makeEntry(0, 6, "a.icc", 4)}, {"A.ICC"}},
      {"registered never kept from the file", makeEntry(1, 6, "A.ICC"), {}, {}, {}},
      {"edited follow kept", found, {makeEntry(9, 6, "E.ICC")}, {}, {"A.ICC", "E.ICC"}},
  };
  for (const Case& c : cases) {
    auto file = listOf({c.fileEntry});
    auto edited = emptyList(), deleted = emptyList(), out = emptyList();
    for (const ProfileEntry& e : c.edited) edited->entry[edited->iNum++] = e;
    for (const ProfileEntry& e : c.deleted) deleted->entry[deleted->iNum++] = e;
    EXPECT_EQ(ZNPListMapping_Pap(edited.get(), file.get(), out.get(), deleted.get()), edited->iNum) << c.what;
    ASSERT_EQ(out->iNum, static_cast<int32_t>(c.expectedFiles.size())) << c.what;
    for (size_t i = 0; i < c.expectedFiles.size(); ++i) EXPECT_EQ(fileNameAt(*out, i), c.expectedFiles[i]) << c.what;
  }
}

TEST(ProfileListMapping, StopsAtFiveHundredEntries) {
  auto file = emptyList(), edited = emptyList(), deleted = emptyList(), out = emptyList();
  for (int i = 0; i < 500; ++i) {
    file->entry[i] = makeEntry(i + 1, 2, ("F" + std::to_string(i) + ".ICC").c_str());
    edited->entry[i] = makeEntry(600 + i, 6, ("E" + std::to_string(i) + ".ICC").c_str());
  }
  file->iNum = edited->iNum = 500;
  ZNPListMapping_Pap(edited.get(), file.get(), out.get(), deleted.get());
  EXPECT_EQ(out->iNum, 500);
  EXPECT_EQ(fileNameAt(*out, 499), "F499.ICC");
}

TEST(ProfileListMapping, WindowWriteMergesWithTheFile) {
  TempRoot root;
  ASSERT_EQ(ZNPListSetProfilePaths("TLQ770-1", "anna"), 0);
  auto fileRgb = listOf({makeEntry(1, 2, "WALK.ICC"), makeEntry(2, 4, "GONE.ICC"), makeEntry(3, 6, "OLD.ICM")});
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(fileRgb.get(), empty.get(), empty.get()), 0);

  // The window showed and deleted GONE.ICC and added NEW.ICM.
  auto editedRgb = listOf({makeEntry(500, 6, "NEW.ICM")});
  auto deletedRgb = listOf({makeEntry(2, 4, "GONE.ICC")});
  ASSERT_EQ(ZNPListWriteProfile_All_Pap(editedRgb.get(), empty.get(), empty.get(), deletedRgb.get(), empty.get(),
                                        empty.get()),
            0);
  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  ASSERT_EQ(r->iNum, 2);
  EXPECT_EQ(fileNameAt(*r, 0), "WALK.ICC");
  EXPECT_EQ(fileNameAt(*r, 1), "NEW.ICM");
}

TEST(ProfileListMapping, WriteOneClassKeepsTheOthers) {
  TempRoot root;
  ASSERT_EQ(ZNPListSetProfilePaths("TLQ770-1", "anna"), 0);
  auto a = listOf({makeEntry(1, 3, "A.ICC")});
  auto b = listOf({makeEntry(2, 3, "B.ICC")});
  ASSERT_EQ(ZNPListWriteProfile_All(a.get(), a.get(), a.get()), 0);

  auto outRgb = emptyList(), outDst = emptyList();
  EXPECT_EQ(ZNPListWriteProfile_Dict(b.get(), kListClassSIM, outRgb.get(), nullptr, outDst.get()), 0);
  EXPECT_EQ(fileNameAt(*outRgb, 0), "A.ICC");
  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(fileNameAt(*r, 0), "A.ICC");
  EXPECT_EQ(fileNameAt(*s, 0), "B.ICC");
  EXPECT_EQ(fileNameAt(*d, 0), "A.ICC");

  // The list passed may also be the output of its class.
  auto c = listOf({makeEntry(3, 3, "C.ICC")});
  EXPECT_EQ(ZNPListWriteProfile_Dict(c.get(), kListClassDST, nullptr, nullptr, c.get()), 0);
  EXPECT_EQ(fileNameAt(*c, 0), "C.ICC");
  // Another class writes nothing but still hands back the file's lists.
  auto outSim = emptyList();
  EXPECT_EQ(ZNPListWriteProfile_Dict(b.get(), 3, nullptr, outSim.get(), nullptr), -1);
  EXPECT_EQ(fileNameAt(*outSim, 0), "B.ICC");
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(fileNameAt(*d, 0), "C.ICC");
}

TEST(ProfileDictionary, EntryReaders) {
  pdk::Value d = pdk::Value::dictionary();
  d.set("i", pdk::Value(int64_t{0x1'0000'0005}));  // low 32 bits
  d.set("n", pdk::Value(-3));
  d.set("r", pdk::Value(2.75));
  d.set("s", pdk::Value("text"));
  int32_t v = 42;
  EXPECT_EQ(ReadDictionaryIntEntry(d, "i", &v), 0);
  EXPECT_EQ(v, 5);
  ReadDictionaryIntEntry(d, "n", &v);
  EXPECT_EQ(v, -3);
  ReadDictionaryIntEntry(d, "r", &v);
  EXPECT_EQ(v, 2);
  v = 42;
  EXPECT_EQ(ReadDictionaryIntEntry(d, "s", &v), -1);
  EXPECT_EQ(ReadDictionaryIntEntry(d, "missing", &v), -1);
  EXPECT_EQ(v, 42);

  char field[32] = "old";
  ReadDictionaryStringEntry(d, "missing", field);
  EXPECT_STREQ(field, "old");
  ReadDictionaryStringEntry(d, "i", field);  // not a string
  EXPECT_STREQ(field, "old");
  ReadDictionaryStringEntry(d, "s", field);
  EXPECT_STREQ(field, "text");
  d.set("e", pdk::Value(""));
  ReadDictionaryStringEntry(d, "e", field);
  EXPECT_STREQ(field, "");
}

TEST(ProfileDictionary, CreatePropsDictionaryByClass) {
  auto list = listOf({makeEntry(42, 3, "A.ICC")});
  ProfileClassDictionaries parts;
  const pdk::Value outer = CreatePropsDictionary(kListClassDST, list.get(), &parts);
  EXPECT_EQ(outer.keys(), std::vector<std::string>{"DST"});
  EXPECT_TRUE(outer.get("DST").sameObject(parts.classDict));
  EXPECT_TRUE(parts.classDict.get("InMenu").sameObject(parts.inMenu));
  EXPECT_EQ(parts.indexOnDevice.get("IndexOnDevice0000").asInteger(), 42);
  EXPECT_EQ(parts.classDict.get("iNum").asInteger(), 1);
  EXPECT_EQ(CreatePropsDictionary(7, list.get(), nullptr).count(), 0u);

  pdk::Value fields[6];
  int32_t count = -1;
  EXPECT_EQ(ZNPListMappingGetSubDict(parts.classDict, &fields[0], &fields[1], &fields[2], &fields[3], &fields[4],
                                     &fields[5], &count),
            0);
  EXPECT_TRUE(fields[3].sameObject(parts.location));
  EXPECT_TRUE(fields[5].sameObject(parts.profileName));
  EXPECT_EQ(count, 1);
  parts.classDict.remove("ProfileClass");
  EXPECT_EQ(ZNPListMappingGetSubDict(parts.classDict, &fields[0], &fields[1], &fields[2], &fields[3], &fields[4],
                                     &fields[5], &count),
            -1);
}

}  // namespace
