// The system root: fixed paths placed under TLQ770_ROOT.
#include "pdk/system_root.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace {

// Sets TLQ770_ROOT for one test and puts the previous value back.
class SystemRootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* v = ::getenv("TLQ770_ROOT")) saved_ = v;
  }
  void TearDown() override {
    if (saved_) ::setenv("TLQ770_ROOT", saved_->c_str(), 1);
    else ::unsetenv("TLQ770_ROOT");
  }
  std::optional<std::string> saved_;
};

TEST_F(SystemRootTest, PathsComposeUnderEveryFormOfRoot) {
  struct Case {
    const char* root;  // null: unset
    std::string path, expected, expectedRoot;
  } cases[] = {
      {nullptr, "/run/x.sock", "/run/x.sock", ""},
      {"", "/run/x.sock", "/run/x.sock", ""},
      {"/", "/run/x.sock", "/run/x.sock", ""},
      {"/tmp/x", "/run/x.sock", "/tmp/x/run/x.sock", "/tmp/x"},
      {"/tmp/x/", "/run/x.sock", "/tmp/x/run/x.sock", "/tmp/x"},
      {"/tmp/x//", "/Library/", "/tmp/x/Library/", "/tmp/x"},
      {"/tmp/x", "relative", "/tmp/x/relative", "/tmp/x"},
      {"/tmp/x", "", "/tmp/x/", "/tmp/x"},
  };
  for (const Case& c : cases) {
    if (c.root) ::setenv("TLQ770_ROOT", c.root, 1);
    else ::unsetenv("TLQ770_ROOT");
    SCOPED_TRACE(c.root ? c.root : "(unset)");
    EXPECT_EQ(pdk::systemRoot(), c.expectedRoot);
    EXPECT_EQ(pdk::systemPath(c.path), c.expected);
  }
}

TEST_F(SystemRootTest, FixedPathsFollowTheRoot) {
  ::setenv("TLQ770_ROOT", "/tmp/root/", 1);
  EXPECT_EQ(pdk::systemPath(pdk::kHelperSocket), "/tmp/root/run/tlq770-1/profilehelper.sock");
  EXPECT_EQ(pdk::systemPath(pdk::kProfileFolder),
            "/tmp/root/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1/");
  ::unsetenv("TLQ770_ROOT");
  EXPECT_EQ(pdk::systemPath(pdk::kHelperProgram), "/Library/Application Support/GENERIC/TLQ770-1/Helpers/TLQ770-1Helper.app/Contents/MacOS/TLQ770-1Helper");
}

}  // namespace
