// The list file: what is written, what is read back, and what other property
// list tools make of it.
#include <gtest/gtest.h>

#include <string>

#include "pdk/plist.h"
#include "profile_builders.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"
#include "temp_root.h"

using namespace profiles;

namespace {

class ProfileListFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ZNPListSetProfilePaths("TLQ770-1", "anna"), 0); }

  std::string listPath() const { return root_.profileFolder() + "anna-TLQ770-1-profile.plist"; }

  // Write a file whose three classes come from CreatePropsDictionary, after
  // `edit` had its way with the class dictionaries.
  template <typename Edit>
  void writeEdited(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst, Edit edit) {
    pdk::Value root = pdk::Value::dictionary();
    const ProfileList* tables[] = {&rgb, &sim, &dst};
    const char* keys[] = {"RGB", "SIM", "DST"};
    for (int c = 0; c < 3; ++c) {
      ProfileClassDictionaries parts;
      CreatePropsDictionary(c, tables[c], &parts);
      root.set(keys[c], parts.classDict);
    }
    root.set("PlistVersion", pdk::Value(1));
    edit(root);
    ASSERT_TRUE(pdk::writePlistFile(listPath(), root));
  }

  TempRoot root_;
};

TEST_F(ProfileListFile, RoundTripKeepsEverythingButAvailability) {
  auto rgb = listOf({makeEntry(3, 4, "RGB1.ICC", 4, 1, "Vivid RGB"), makeEntry(-7, 6, "MINE.ICM", 5, 2, "Négatif")});
  rgb->entry[0].ProfileAvailability = 9;
  auto sim = listOf({makeEntry(12, 2, "SIM.ICC", 5, 3, "Press")});
  auto dst = listOf({makeEntry(501, 3, "DST.ICC", 4, 3, "Glossy")});

  ASSERT_EQ(ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);

  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  rgb->entry[0].ProfileAvailability = 0;  // never stored
  for (int slot = 0; slot < 500; ++slot) {
    EXPECT_TRUE(sameEntry(r->entry[slot], rgb->entry[slot])) << "RGB slot " << slot;
    EXPECT_TRUE(sameEntry(s->entry[slot], sim->entry[slot])) << "SIM slot " << slot;
    EXPECT_TRUE(sameEntry(d->entry[slot], dst->entry[slot])) << "DST slot " << slot;
  }
  EXPECT_EQ(r->iNum, 2);
  EXPECT_EQ(s->iNum, 1);
  EXPECT_EQ(d->iNum, 1);
}

TEST_F(ProfileListFile, EmptyListWritesAllSlotsOfEveryField) {
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), 0);

  const pdk::Value root = pdk::readPlistFile(listPath());
  EXPECT_EQ(root.get("PlistVersion").asInteger(-1), 1);
  for (const char* cls : {"RGB", "SIM", "DST"}) {
    const pdk::Value c = root.get(cls);
    EXPECT_EQ(c.get("iNum").asInteger(-1), 0);
    for (const char* field : {"IndexOnDevice", "InMenu", "ProfileClass", "Location", "FileName", "ProfileName"}) {
      EXPECT_EQ(c.get(field).count(), 500u) << cls << " " << field;
    }
    EXPECT_EQ(c.get("InMenu").get("InMenu0000").asInteger(-1), 0);
    EXPECT_TRUE(c.get("FileName").get("FileName0499").isString());
    EXPECT_EQ(c.get("FileName").get("FileName0499").asString(), "");
    EXPECT_TRUE(c.get("IndexOnDevice").contains("IndexOnDevice0042"));  // four digits
  }
}

TEST_F(ProfileListFile, TextThatIsNotUtf8GetsNoKey) {
  auto rgb = listOf({makeEntry(1, 3, "\xff\xfe.ICC")});
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(rgb.get(), empty.get(), empty.get()), 0);
  const pdk::Value fileNames = pdk::readPlistFile(listPath()).get("RGB").get("FileName");
  EXPECT_FALSE(fileNames.contains("FileName0000"));
  EXPECT_TRUE(fileNames.contains("FileName0001"));
}

TEST_F(ProfileListFile, ReadFailsAndFillsNothingWhenAPartIsMissing) {
  auto used = listOf({makeEntry(1, 3, "A.ICC")});
  struct Case {
    const char* what;
    void (*edit)(pdk::Value&);
  } cases[] = {
      {"no SIM", [](pdk::Value& r) { r.remove("SIM"); }},
      {"DST without Location", [](pdk::Value& r) { r.get("DST").remove("Location"); }},
      {"RGB FileName not a dictionary", [](pdk::Value& r) { r.get("RGB").set("FileName", pdk::Value("x")); }},
  };
  for (const Case& c : cases) {
    writeEdited(*used, *used, *used, c.edit);
    auto r = emptyList(), s = emptyList(), d = emptyList();
    EXPECT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), -1) << c.what;
    EXPECT_EQ(r->iNum + s->iNum + d->iNum, 0) << c.what;
    EXPECT_EQ(r->entry[0].InMenu, 0) << c.what;
  }
  // One class can still be read on its own when only another is broken.
  auto r = emptyList();
  EXPECT_EQ(ZNPListReadProfile_Dict(r.get(), kListClassRGB), -1);
  EXPECT_EQ(ZNPListReadProfile_Dict(r.get(), kListClassSIM), 0);
  EXPECT_EQ(r->iNum, 1);

  // Not a property list at all, and no file.
  writeWholeFile(listPath(), "<plist><dict><key>RGB</key>");
  EXPECT_EQ(ZNPListReadProfile_All(r.get(), r.get(), r.get()), -1);
  std::remove(listPath().c_str());
  EXPECT_EQ(ZNPListReadProfile_Dict(r.get(), kListClassSIM), -1);
  EXPECT_EQ(ZNPListReadProfile_Dict(r.get(), 3), -1);
}

TEST_F(ProfileListFile, TextsAreCutTo31BytesOnRead) {
  auto eight = emptyList();
  for (int slot = 0; slot < 8; ++slot) eight->entry[eight->iNum++] = makeEntry(slot + 1, 3, "A.ICC");
  writeEdited(*eight, *eight, *eight, [](pdk::Value& r) {
    r.get("RGB").get("FileName").set("FileName0007", pdk::Value(std::string(40, 'F')));
    // 30 ASCII bytes and a two-byte character: the cut falls inside it.
    r.get("RGB").get("ProfileName").set("ProfileName0007", pdk::Value(std::string(30, 'n') + "\xc3\xa9"));
  });
  auto r = emptyList();
  ASSERT_EQ(ZNPListReadProfile_Dict(r.get(), kListClassRGB), 0);
  EXPECT_EQ(fileNameAt(*r, 7), std::string(31, 'F'));
  EXPECT_EQ(r->entry[7].FileName[31], '\0');
  EXPECT_EQ(std::string(r->entry[7].ProfileName), std::string(30, 'n'));  // whole characters only
}

TEST_F(ProfileListFile, CountIsNormalisedAfterReading) {
  auto four = listOf({makeEntry(1, 3, "A.ICC"), makeEntry(2, 3, "B.ICC"), makeEntry(3, 3, "C.ICC"),
                      makeEntry(4, 3, "D.ICC")});
  struct Case {
    int32_t fileCount;
    bool removeSlot2;
    int32_t expected;
    int firstClearedSlot;
  } cases[] = {
      {3, false, 4, 4},  // too low: raised to the used slots
      {5, false, 4, 4},  // too high: lowered, tail cleared
      {4, false, 4, 4},  // right: untouched
      {4, true, 3, 3},   // a hole: the used slot past the new count is lost
  };
  for (const Case& c : cases) {
    writeEdited(*four, *four, *four, [&](pdk::Value& r) {
      r.get("SIM").set("iNum", pdk::Value(c.fileCount));
      if (c.removeSlot2) r.get("SIM").get("InMenu").set("InMenu0002", pdk::Value(0));
    });
    auto s = emptyList();
    ASSERT_EQ(ZNPListReadProfile_Dict(s.get(), kListClassSIM), 0);
    EXPECT_EQ(s->iNum, c.expected) << "file iNum " << c.fileCount;
    for (int slot = c.firstClearedSlot; slot < 500; ++slot) {
      EXPECT_TRUE(sameEntry(s->entry[slot], ProfileEntry{})) << "slot " << slot;
    }
  }
}

TEST_F(ProfileListFile, PapReadingSkipsWalkOnlyEntries) {
  auto rgb = listOf({makeEntry(1, 6, "A.ICC"), makeEntry(2, 2, "B.ICC"), makeEntry(3, 4, "C.ICC"),
                     makeEntry(4, 1, "D.ICC")});
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(rgb.get(), empty.get(), empty.get()), 0);

  auto r = emptyList();
  ASSERT_EQ(ZNPListReadProfile_Dict_Pap(r.get(), kListClassRGB), 0);
  EXPECT_EQ(r->iNum, 3);
  EXPECT_EQ(r->entry[0].InMenu, 6);
  EXPECT_EQ(r->entry[1].InMenu, 6);
  EXPECT_EQ(fileNameAt(*r, 1), "C.ICC");
  EXPECT_EQ(r->entry[1].IndexOnDevice, 3);
  EXPECT_EQ(r->entry[2].InMenu, 1);
  EXPECT_EQ(fileNameAt(*r, 2), "D.ICC");
  EXPECT_EQ(r->entry[3].InMenu, 0);
}

TEST_F(ProfileListFile, PythonPlistlibReadsWhatWeWrite) {
  auto rgb = listOf({makeEntry(3, 4, "RGB1.ICC", 4, 1, "Vivid"), makeEntry(-2, 6, "X.ICM", 5, 2, "Négatif")});
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(rgb.get(), empty.get(), empty.get()), 0);

  const std::string out = runCommand(
      "python3 -c 'import plistlib,sys\n"
      "d=plistlib.load(open(sys.argv[1],\"rb\"))\n"
      "r=d[\"RGB\"]\n"
      "print(d[\"PlistVersion\"], r[\"iNum\"], len(d[\"DST\"][\"ProfileName\"]))\n"
      "for n in (0,1):\n"
      " k=\"%04d\"%n\n"
      " print(r[\"IndexOnDevice\"][\"IndexOnDevice\"+k], r[\"InMenu\"][\"InMenu\"+k], r[\"FileName\"][\"FileName\"+k],"
      " r[\"ProfileName\"][\"ProfileName\"+k], r[\"Location\"][\"Location\"+k])' " +
      listPath());
  EXPECT_EQ(out, "1 2 500\n3 4 RGB1.ICC Vivid 4\n-2 6 X.ICM Négatif 5\n");
}

TEST_F(ProfileListFile, WeReadWhatPythonPlistlibWrites) {
  const std::string script =
      "import plistlib,sys\n"
      "def cls(entries):\n"
      " f={k:{} for k in (\"IndexOnDevice\",\"InMenu\",\"ProfileClass\",\"Location\",\"FileName\",\"ProfileName\")}\n"
      " for n,(i,m,c,l,fn,pn) in enumerate(entries):\n"
      "  k=\"%04d\"%n\n"
      "  f[\"IndexOnDevice\"][\"IndexOnDevice\"+k]=i; f[\"InMenu\"][\"InMenu\"+k]=m\n"
      "  f[\"ProfileClass\"][\"ProfileClass\"+k]=c; f[\"Location\"][\"Location\"+k]=l\n"
      "  f[\"FileName\"][\"FileName\"+k]=fn; f[\"ProfileName\"][\"ProfileName\"+k]=pn\n"
      " f[\"iNum\"]=len(entries)\n"
      " return f\n"
      "d={\"RGB\":cls([(7,3,1,4,\"P.ICC\",\"Photo\"),(-1,6,2,5,\"Q.ICM\",\"\\u00e9t\\u00e9\")]),"
      "\"SIM\":cls([]),\"DST\":cls([(9,2,3,5,\"D.ICC\",\"x\"*40)]),\"PlistVersion\":1}\n"
      "plistlib.dump(d,open(sys.argv[1],\"wb\"))\n";
  writeWholeFile(root_.root() + "/make.py", script);
  runCommand("python3 " + root_.root() + "/make.py " + listPath());

  auto r = emptyList(), s = emptyList(), d = emptyList();
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(r->iNum, 2);
  EXPECT_TRUE(sameEntry(r->entry[0], makeEntry(7, 3, "P.ICC", 4, 1, "Photo")));
  EXPECT_TRUE(sameEntry(r->entry[1], makeEntry(-1, 6, "Q.ICM", 5, 2, "\xc3\xa9t\xc3\xa9")));
  EXPECT_EQ(s->iNum, 0);
  EXPECT_EQ(d->iNum, 1);
  EXPECT_EQ(std::string(d->entry[0].ProfileName), std::string(31, 'x'));
}

}  // namespace
