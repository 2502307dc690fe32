// The kept profile list: reads of an unchanged file parse it once, and every
// change is seen, whether made on disk by others or through the library.
// Built with the colour pane's file access; a small script stands in for the
// helper program and confirms every request without touching the list.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "pdk/plist.h"
#include "profile_builders.h"
#include "profiles/helper_program.h"
#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"
#include "temp_root.h"

using namespace profiles;

namespace {

class ProfileListCache : public ::testing::Test {
 protected:
  // Write the user's list in place (the file keeps its inode): RGB holds
  // `rgb`, SIM and DST one entry each.
  void writeList(std::initializer_list<ProfileEntry> rgb, const std::string& path = "") {
    auto tables = std::make_unique<ProfileList[]>(3);
    for (const ProfileEntry& e : rgb) tables[0].entry[tables[0].iNum++] = e;
    tables[1].entry[tables[1].iNum++] = makeEntry(1, 3, "S.icc");
    tables[2].entry[tables[2].iNum++] = makeEntry(1, 3, "D.icc");
    pdk::Value root = pdk::Value::dictionary();
    const char* keys[] = {"RGB", "SIM", "DST"};
    for (int c = 0; c < 3; ++c) root.set(keys[c], CreatePropsDictionary(c, &tables[c], nullptr).get(keys[c]));
    ASSERT_TRUE(pdk::writePlistFile(path.empty() ? root_.userListPath() : path, root));
  }

  // Set a file's modification time (by default the list's), as for a file
  // written a while ago.
  void setModified(time_t seconds, const std::string& path = "") {
    const timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (path.empty() ? root_.userListPath() : path).c_str(), times, 0), 0);
  }

  // File name of the first RGB entry as a read sees it; "" when the read fails.
  std::string firstRgbName() {
    auto list = emptyList();
    return ZNPListReadProfile_Dict(list.get(), kListClassRGB) == 0 ? fileNameAt(*list, 0) : "";
  }

  TempRoot root_;
  const time_t aMinuteAgo_ = ::time(nullptr) - 60;
};

TEST_F(ProfileListCache, ReadsOfAnUnchangedFileParseItOnce) {
  writeList({makeEntry(1, 4, "A.icc"), makeEntry(2, 2, "B.icc"), makeEntry(3, 6, "C.icc")});
  setModified(aMinuteAgo_);
  const uint64_t before = profileListParseCount();

  auto r = emptyList(), s = emptyList(), d = emptyList(), pap = emptyList();
  ASSERT_EQ(ZNPListReadProfile_All(r.get(), s.get(), d.get()), 0);
  EXPECT_EQ(firstRgbName(), "A.icc");
  ASSERT_EQ(ZNPListReadProfile_Dict_Pap(pap.get(), kListClassRGB), 0);
  EXPECT_EQ(ZNPListReadProfile_Dict(r.get(), 3), -1);  // no such class
  EXPECT_EQ(profileListParseCount() - before, 1u);

  // Each reading rule still gives its own table from the one parse.
  EXPECT_EQ(r->iNum, 3);
  EXPECT_EQ(fileNameAt(*s, 0), "S.icc");
  EXPECT_EQ(fileNameAt(*d, 0), "D.icc");
  ASSERT_EQ(pap->iNum, 2);  // B.icc, found by a walk, is left out
  EXPECT_EQ(pap->entry[0].InMenu, 6);
  EXPECT_EQ(fileNameAt(*pap, 1), "C.icc");
}

TEST_F(ProfileListCache, ChangesOnDiskAreSeen) {
  writeList({makeEntry(1, 6, "A.icc")});
  EXPECT_EQ(firstRgbName(), "A.icc");

  // Rewritten in place at once, same size and inode: a change within the
  // clock tick of the last read must not be hidden by an equal time stamp.
  writeList({makeEntry(1, 6, "B.icc")});
  EXPECT_EQ(firstRgbName(), "B.icc");

  // Rewritten in place after it had been kept: only the time stamp differs.
  setModified(aMinuteAgo_);
  EXPECT_EQ(firstRgbName(), "B.icc");
  writeList({makeEntry(1, 6, "C.icc")});
  EXPECT_EQ(firstRgbName(), "C.icc");

  // Replaced by another file, given the same time stamp: another inode.
  setModified(aMinuteAgo_);
  EXPECT_EQ(firstRgbName(), "C.icc");
  const std::string other = root_.userListPath(".new");
  writeList({makeEntry(1, 6, "D.icc")}, other);
  setModified(aMinuteAgo_, other);
  ASSERT_EQ(std::rename(other.c_str(), root_.userListPath().c_str()), 0);
  EXPECT_EQ(firstRgbName(), "D.icc");

  // Removed, then back in a form that cannot be read, then whole again.
  ASSERT_EQ(std::remove(root_.userListPath().c_str()), 0);
  EXPECT_EQ(firstRgbName(), "");
  writeWholeFile(root_.userListPath(), "<plist><dict>");
  EXPECT_EQ(firstRgbName(), "");
  writeList({makeEntry(1, 6, "E.icc")});
  EXPECT_EQ(firstRgbName(), "E.icc");
}

TEST_F(ProfileListCache, TheLibrarysOwnWriteIsSeen) {
  const std::string helper = pdk::systemPath(kHelperProgramPath);
  std::filesystem::create_directories(std::filesystem::path(helper).parent_path());
  writeWholeFile(helper, "#!/bin/sh\necho \"$1=TRUE\"\n");
  ASSERT_EQ(::chmod(helper.c_str(), 0755), 0);

  writeList({makeEntry(1, 6, "A.icc")});
  setModified(aMinuteAgo_);
  EXPECT_EQ(firstRgbName(), "A.icc");
  // A change that keeps the file's whole identity (size, inode, time stamp)
  // is invisible to a reader that compares identities: the table is kept.
  writeList({makeEntry(1, 6, "B.icc")});
  setModified(aMinuteAgo_);
  EXPECT_EQ(firstRgbName(), "A.icc");

  // The library's own write drops what it kept, whatever the identity says.
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), 0);
  const uint64_t before = profileListParseCount();
  EXPECT_EQ(firstRgbName(), "B.icc");
  EXPECT_EQ(profileListParseCount() - before, 1u);
}

}  // namespace
