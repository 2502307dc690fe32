// The colour-pane build: every change goes through the helper program. A
// small script stands in for the program; it records each call's arguments
// and answers as the relay does ("<operation>=TRUE", or "=FALSE" for the
// operation named in FAKE_RELAY_FAIL; it hangs without answering for the
// operation named in FAKE_RELAY_HANG).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "pdk/plist.h"
#include "pdk/text.h"
#include "profile_builders.h"
#include "profiles/helper_program.h"
#include "profiles/profile_list.h"
#include "temp_root.h"

using namespace profiles;

namespace {

constexpr const char* kFakeRelay = R"SH(#!/bin/sh
dir="$TLQ770_ROOT/calls"
mkdir -p "$dir"
n=$(ls "$dir" | wc -l)
printf '%s\0' "$@" > "$dir/$(printf %05d "$n")"
if [ "$1" = "$FAKE_RELAY_HANG" ]; then exec sleep 600; fi
if [ "$1" = "$FAKE_RELAY_FAIL" ]; then echo "$1=FALSE"; else echo "$1=TRUE"; fi
)SH";

using Call = std::vector<std::string>;

class RelayFileAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("FAKE_RELAY_FAIL");
    ::unsetenv("FAKE_RELAY_HANG");
  }
  void TearDown() override { SetUp(); }

  void installFakeRelay() {
    const std::string path = pdk::systemPath(kHelperProgramPath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writeWholeFile(path, kFakeRelay);
    ::chmod(path.c_str(), 0755);
  }

  // The calls made so far, in order, each as its argument list.
  std::vector<Call> calls() const {
    std::vector<std::string> files;
    const std::string dir = root_.root() + "/calls";
    if (std::filesystem::exists(dir)) {
      for (auto& e : std::filesystem::directory_iterator(dir)) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Call> out;
    for (const std::string& f : files) {
      const std::string data = readWholeFile(f);
      Call call;
      size_t start = 0;
      for (size_t zero; (zero = data.find('\0', start)) != std::string::npos; start = zero + 1) {
        call.push_back(data.substr(start, zero - start));
      }
      out.push_back(call);
    }
    return out;
  }

  std::string current() const { return root_.userListPath(); }
  std::string url() const { return "file://" + current(); }

  TempRoot root_;
};

// A stuck service must not hang the print dialog: the helper program is
// killed at the time limit and the request counts as failed.
TEST_F(RelayFileAccess, AHelperThatNeverAnswersFailsAtTheTimeLimit) {
  installFakeRelay();
  ::setenv("FAKE_RELAY_HANG", "znPListIsAdminProfile_XPC", 1);
  EXPECT_EQ(ZNPListIsAdminProfile(), 0);
  ASSERT_EQ(calls().size(), 1u);
}

TEST_F(RelayFileAccess, MissingHelperFailsAtOnce) {
  auto empty = emptyList();
  EXPECT_EQ(ZNPListIsAdminProfile(), 0);
  EXPECT_EQ(ZNPListExistProfile(), 0);
  EXPECT_EQ(ZNPListRemove(3), 0);
  EXPECT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), -1);
  ZNPListSwapProfile(2);
  EXPECT_TRUE(calls().empty());
}

TEST_F(RelayFileAccess, RequestsCarryTheirArgumentLists) {
  installFakeRelay();
  const std::string prev = root_.userListPath(".prev.plist");
  const Call admin = {"znPListIsAdminProfile_XPC", current()};

  EXPECT_EQ(ZNPListIsAdminProfile(), 1);
  ZNPListSwapProfile(2);
  EXPECT_EQ(ZNPListExistProfile(), 1);
  EXPECT_EQ(ZNPListRemove(2), 1);
  EXPECT_EQ(ZNPListRemove(1), 0);  // checked for writability, then nothing
  const std::vector<Call> expected = {
      admin,
      admin, {"znPListSwapProfile_XPC", "2", current(), prev},
      admin, {"znPListExistProfile_XPC", current()},
      admin, {"znPListRemove_XPC", prev},
      admin,
  };
  EXPECT_EQ(calls(), expected);
}

TEST_F(RelayFileAccess, AnswersWithoutTheSuccessTextFail) {
  installFakeRelay();
  ::setenv("FAKE_RELAY_FAIL", "znPListIsAdminProfile_XPC", 1);
  auto empty = emptyList();
  EXPECT_EQ(ZNPListIsAdminProfile(), 0);
  EXPECT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), -1);
  ZNPListSwapProfile(1);
  EXPECT_EQ(calls().size(), 3u);  // only the three writability tests

  ::setenv("FAKE_RELAY_FAIL", "znPListExistProfile_XPC", 1);
  EXPECT_EQ(ZNPListExistProfile(), 0);
}

TEST_F(RelayFileAccess, FullListIsSentInPiecesAfterRemovingALeftover) {
  installFakeRelay();
  auto full = emptyList();
  for (int i = 0; i < 500; ++i) {
    full->entry[i] = makeEntry(i + 1, 4, ("P" + std::to_string(i) + ".ICC").c_str(), 4, 1, "Profil \xc3\xa9t\xc3\xa9");
  }
  full->iNum = 500;
  ASSERT_EQ(ZNPListWriteProfile_All(full.get(), full.get(), full.get()), 0);

  const std::vector<Call> all = calls();
  ASSERT_GE(all.size(), 5u);
  EXPECT_EQ(all[0], (Call{"znPListIsAdminProfile_XPC", current()}));
  EXPECT_EQ(all[1], (Call{"znPListRemove_XPC", current() + ".dummy"}));
  EXPECT_EQ(all.back(), (Call{"writeDataToPlistFileRename_XPC", url()}));

  std::string text;
  for (size_t i = 2; i + 1 < all.size(); ++i) {
    ASSERT_EQ(all[i].size(), 3u);
    EXPECT_EQ(all[i][0], "writeDataToPlistFile_XPC");
    EXPECT_EQ(all[i][1], url());
    const size_t units = pdk::utf16Length(all[i][2]);
    if (i + 2 < all.size()) {
      EXPECT_EQ(units, 90000u) << "piece " << i - 2;
    } else {
      EXPECT_LE(units, 90000u);
    }
    text += all[i][2];
  }
  // The pieces put together are the whole list.
  const pdk::Value root = pdk::plistFromBytes(text);
  EXPECT_EQ(root.get("DST").get("iNum").asInteger(), 500);
  EXPECT_EQ(root.get("SIM").get("FileName").get("FileName0499").asString(), "P499.ICC");
}

TEST_F(RelayFileAccess, UnconfirmedPieceStopsTheWrite) {
  installFakeRelay();
  ::setenv("FAKE_RELAY_FAIL", "writeDataToPlistFile_XPC", 1);
  auto empty = emptyList();
  EXPECT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), -1);
  const std::vector<Call> all = calls();
  ASSERT_EQ(all.size(), 3u);  // writability, leftover removal, first piece
  EXPECT_EQ(all[2][0], "writeDataToPlistFile_XPC");

  ::setenv("FAKE_RELAY_FAIL", "writeDataToPlistFileRename_XPC", 1);
  EXPECT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), -1);
}

TEST_F(RelayFileAccess, ListsAreReadDirectly) {
  // No helper program: reading needs none.
  pdk::Value root = pdk::Value::dictionary();
  auto list = listOf({makeEntry(5, 3, "R.ICC")});
  for (int c = 0; c < 3; ++c) {
    ProfileClassDictionaries parts;
    CreatePropsDictionary(c, list.get(), &parts);
    root.set(c == 0 ? "RGB" : c == 1 ? "SIM" : "DST", parts.classDict);
  }
  ASSERT_TRUE(pdk::writePlistFile(current(), root));
  auto r = emptyList();
  ASSERT_EQ(ZNPListReadProfile_Dict(r.get(), kListClassDST), 0);
  EXPECT_EQ(fileNameAt(*r, 0), "R.ICC");
}

TEST_F(RelayFileAccess, PathsWithBlanksArePercentEncodedInTheUrl) {
  // The system root may hold characters a URL must escape.
  TempRoot spaced;
  const std::string root = spaced.root() + "/with space";
  ::setenv("TLQ770_ROOT", root.c_str(), 1);
  std::filesystem::create_directories(pdk::systemPath(pdk::kProfileFolder));
  installFakeRelay();
  auto empty = emptyList();
  ASSERT_EQ(ZNPListWriteProfile_All(empty.get(), empty.get(), empty.get()), 0);
  // The calls were recorded under this root.
  std::vector<std::string> files;
  for (auto& e : std::filesystem::directory_iterator(root + "/calls")) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  const std::string expected = std::string("writeDataToPlistFileRename_XPC") + '\0' + "file://" + spaced.root() +
                               "/with%20space" + pdk::kProfileFolder + ::getpwuid(::getuid())->pw_name +
                               "-TLQ770-1-profile.plist" + '\0';
  EXPECT_EQ(readWholeFile(files.back()), expected);
}

}  // namespace
