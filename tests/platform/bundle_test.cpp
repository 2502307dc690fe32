// Bundles made in a temporary folder: Info.plist, localized strings tables
// and the identifier registry; and the strings-table parser on its own.
#include "pdk/bundle.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "pdk/plist.h"
#include "temp_dir.h"

namespace {

using pdk::Bundle;
using pdk::Value;
using pdktest::TempDir;
using pdktest::writeFile;

// A bundle folder "Sample.plugin" with an Info.plist, an English table and a
// German one; LANG is set per test and restored afterwards.
class BundleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* v = ::getenv("LANG")) savedLang_ = v;
    ::setenv("LANG", "C", 1);
    path_ = dir_.file("Sample.plugin");
    Value info = Value::dictionary();
    info.set("CFBundleIdentifier", "com.example.sample");
    info.set("CFBundleExecutable", "libsample.so");
    writeFile(path_ + "/Resources/Info.plist", pdk::plistToXml(info));
    writeFile(path_ + "/Resources/en.lproj/Localizable.strings",
              "/* English */\n\"Color\" = \"Colour\";\n\"Only English\" = \"English text\";\n");
    writeFile(path_ + "/Resources/de.lproj/Localizable.strings", "\"Color\" = \"Farbe\";\n");
    writeFile(path_ + "/Resources/en.lproj/Errors.strings", "\"E1\" = \"First error\";\n");
    writeFile(path_ + "/Resources/PDEMain.plist", "<plist><dict/></plist>");
  }
  void TearDown() override {
    if (savedLang_) ::setenv("LANG", savedLang_->c_str(), 1);
    else ::unsetenv("LANG");
  }

  TempDir dir_;
  std::string path_;
  std::optional<std::string> savedLang_;
};

TEST_F(BundleTest, OpensAndDescribesItself) {
  auto bundle = Bundle::open(path_ + "/");  // a trailing slash is allowed
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->path(), path_);
  EXPECT_EQ(bundle->identifier(), "com.example.sample");
  EXPECT_EQ(bundle->name(), "Sample");
  EXPECT_EQ(bundle->executablePath(), path_ + "/libsample.so");
  EXPECT_EQ(bundle->resourcesPath(), path_ + "/Resources");
  EXPECT_EQ(bundle->pathForResource("PDEMain", "plist"), path_ + "/Resources/PDEMain.plist");
  EXPECT_EQ(bundle->pathForResource("Missing", "plist"), "");
  EXPECT_EQ(bundle->infoDictionary().get("CFBundleExecutable").asString(), "libsample.so");
}

TEST_F(BundleTest, ExecutableDefaultsToTheBundleName) {
  Value info = Value::dictionary();
  info.set("CFBundleIdentifier", "com.example.noexe");
  writeFile(dir_.file("colorpane.plugin/Resources/Info.plist"), pdk::plistToXml(info));
  auto bundle = Bundle::open(dir_.file("colorpane.plugin"));
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->executablePath(), dir_.file("colorpane.plugin/colorpane.so"));
}

TEST_F(BundleTest, RegistryFindsOpenBundlesByIdentifier) {
  auto bundle = Bundle::open(path_);
  ASSERT_TRUE(bundle);
  EXPECT_EQ(Bundle::bundleWithIdentifier("com.example.sample"), bundle);
  EXPECT_EQ(Bundle::bundleWithIdentifier("com.example.unknown"), nullptr);
  EXPECT_EQ(Bundle::bundleWithIdentifier(""), nullptr);
  // The registry does not keep a bundle alive on its own.
  bundle.reset();
  EXPECT_EQ(Bundle::bundleWithIdentifier("com.example.sample"), nullptr);
}

TEST_F(BundleTest, LocalizedStringsFallBackToEnglishThenToTheKey) {
  auto bundle = Bundle::open(path_);
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->localizedString("Color"), "Colour");
  EXPECT_EQ(bundle->localizedString("No translation"), "No translation");
  EXPECT_EQ(bundle->localizedString("E1", "Errors"), "First error");
  EXPECT_EQ(bundle->localizedString("Color", "Errors"), "Color");
  EXPECT_EQ(bundle->localizedString("Color", "NoSuchTable"), "Color");

  // With a German locale the German table comes first, English after it.
  ::setenv("LANG", "de_DE.UTF-8", 1);
  auto german = Bundle::open(path_);
  ASSERT_TRUE(german);
  EXPECT_EQ(german->localizedString("Color"), "Farbe");
  EXPECT_EQ(german->localizedString("Only English"), "Only English");  // de table has no such key
}

TEST_F(BundleTest, MissingOrBrokenInfoPlistIsNull) {
  EXPECT_EQ(Bundle::open(dir_.file("Absent.plugin")), nullptr);
  writeFile(dir_.file("NoInfo.plugin/Resources/en.lproj/Localizable.strings"), "\"a\" = \"b\";");
  EXPECT_EQ(Bundle::open(dir_.file("NoInfo.plugin")), nullptr);
  writeFile(dir_.file("Broken.plugin/Resources/Info.plist"), "<plist><dict><key>x");
  EXPECT_EQ(Bundle::open(dir_.file("Broken.plugin")), nullptr);
  writeFile(dir_.file("Array.plugin/Resources/Info.plist"), "<plist><array/></plist>");
  EXPECT_EQ(Bundle::open(dir_.file("Array.plugin")), nullptr);
}

TEST(StringsTable, ParsesCommentsEscapesAndSkipsMalformedEntries) {
  const std::string text =
      "/* A block comment\n   over two lines */\n"
      "\"plain\" = \"Plain\";\n"
      "// a line comment \"fake\" = \"no\";\n"
      "\"escapes\" = \"line1\\nline2\\ttab \\\"quoted\\\" back\\\\slash\";\n"
      "\"spaced\"   /* inline */ =\n  \"Spaced\" // trailing\n ;\n"
      "\"k1\" \"no equals sign\";\n"
      "k2 = \"unquoted key\";\n"
      "\"k3\" = unquoted value;\n"
      "\"k4\" = ;\n"
      "\"umlaut ä\" = \"Größe 日本\";\n"
      "\"empty\" = \"\";\n"
      "\"last\" = \"Last\";\n"
      "\"dangling\" = \"no semicolon\"";
  auto table = pdk::parseStringsTable(text);
  const std::map<std::string, std::string> expected = {
      {"plain", "Plain"},
      {"escapes", "line1\nline2\ttab \"quoted\" back\\slash"},
      {"spaced", "Spaced"},
      {"umlaut ä", "Größe 日本"},
      {"empty", ""},
      {"last", "Last"},
  };
  EXPECT_EQ(table, expected);
}

TEST(StringsTable, OddInputYieldsWhatIsWellFormed) {
  const std::pair<std::string, std::map<std::string, std::string>> cases[] = {
      {"", {}},
      {"/* never closed \"a\" = \"b\";", {}},
      {"\"open = \"b\";", {}},
      {"\"a\" = \"b", {}},
      {"\"a\"=\"b\";\"c\"=\"d\";", {{"a", "b"}, {"c", "d"}}},
      {"\"trailing backslash\\", {}},
      {";;;\"a\" = \"b\";", {{"a", "b"}}},
      // A byte-order mark at the start does not cost the first entry.
      {"\xef\xbb\xbf\"first\" = \"1\";\n\"second\" = \"2\";", {{"first", "1"}, {"second", "2"}}},
  };
  for (auto& [text, expected] : cases) EXPECT_EQ(pdk::parseStringsTable(text), expected) << text;
}

}  // namespace
