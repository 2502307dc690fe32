// The machine-wide property file under a temporary system root: the
// writability test leaves no trace and never changes the process, and
// strings are read and written through the whole file.
#include "securitypane/framework/property_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "../platform/temp_dir.h"
#include "pdk/plist.h"

namespace {

using namespace securityframework;

class PropertyFile : public ::testing::Test {
 protected:
  void SetUp() override { setenv("TLQ770_ROOT", root_.path().c_str(), 1); }
  void TearDown() override { unsetenv("TLQ770_ROOT"); }
  void makeFolder() { ASSERT_EQ(::mkdir((root_.path() + "/Library").c_str(), 0755) + ::mkdir(folder().c_str(), 0755), 0); }
  std::string folder() const { return root_.path() + "/Library/Preferences"; }
  std::string file() const { return folder() + "/quorlin.printers.TLQ770-1.plist"; }

  pdktest::TempDir root_;
};

TEST_F(PropertyFile, PathLiesUnderTheSystemRoot) { EXPECT_EQ(ZNPropertyFilePath(), file()); }

TEST_F(PropertyFile, NoFolderMeansNotWritable) {
  EXPECT_FALSE(ZNPropertyIsWritable());
  EXPECT_FALSE(ZNPropertySetString("key", "value"));
  std::string value;
  EXPECT_FALSE(ZNPropertyGetString("key", &value));
}

TEST_F(PropertyFile, WritabilityTestLeavesNoFileAndKeepsTheMask) {
  makeFolder();
  const mode_t before = ::umask(077);
  EXPECT_TRUE(ZNPropertyIsWritable());
  const mode_t during = ::umask(before);
  EXPECT_EQ(during, 077u);
  EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

TEST_F(PropertyFile, WritabilityTestKeepsAnExistingFile) {
  makeFolder();
  pdktest::writeFile(file(), "<plist/>");
  EXPECT_TRUE(ZNPropertyIsWritable());
  EXPECT_EQ(pdktest::readFile(file()), "<plist/>");
}

TEST_F(PropertyFile, SomethingElseInThePlaceOfTheFileIsNotWritable) {
  makeFolder();
  ASSERT_EQ(::mkfifo(file().c_str(), 0644), 0);
  EXPECT_FALSE(ZNPropertyIsWritable());  // and does not block
  ::unlink(file().c_str());
  ASSERT_EQ(::symlink("/etc/hostname", file().c_str()), 0);
  EXPECT_FALSE(ZNPropertyIsWritable());
  EXPECT_FALSE(ZNPropertySetString("key", "value"));
}

TEST_F(PropertyFile, StringsRoundTripAndKeepOtherEntries) {
  makeFolder();
  EXPECT_TRUE(ZNPropertySetString("first", "one"));
  EXPECT_TRUE(ZNPropertySetString("second", "two"));
  EXPECT_TRUE(ZNPropertySetString("first", "uno"));
  std::string value;
  EXPECT_TRUE(ZNPropertyGetString("first", &value));
  EXPECT_EQ(value, "uno");
  EXPECT_TRUE(ZNPropertyGetString("second", &value));
  EXPECT_EQ(value, "two");
  EXPECT_FALSE(ZNPropertyGetString("third", &value));
  // The file is an XML property list of strings any reader understands.
  const pdk::Value written = pdk::readPlistFile(file());
  EXPECT_EQ(written.keys(), (std::vector<std::string>{"first", "second"}));
  struct stat st;
  ASSERT_EQ(::stat(file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
}

TEST_F(PropertyFile, UnreadableContentStartsAnEmptyDictionary) {
  makeFolder();
  pdktest::writeFile(file(), "not a property list");
  std::string value;
  EXPECT_FALSE(ZNPropertyGetString("key", &value));
  EXPECT_TRUE(ZNPropertySetString("key", "value"));
  EXPECT_TRUE(ZNPropertyGetString("key", &value));
  EXPECT_EQ(value, "value");

  pdk::Value numbers = pdk::Value::dictionary();
  numbers.set("key", 5);
  pdktest::writeFile(file(), pdk::plistToXml(numbers));
  EXPECT_FALSE(ZNPropertyGetString("key", &value));  // not a string
}

}  // namespace
