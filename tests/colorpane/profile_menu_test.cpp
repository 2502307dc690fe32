// The profile pop-ups: listed profiles after the PPD choices, and a chosen
// profile stored as nibble text of its printer path and read back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "colorpane/nibble_text.h"
#include "pane_fixture.h"
#include "pdk/plist.h"
#include "pdk/system_root.h"
#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"

using panetest::PaneTest;
using profiles::ProfileEntry;
using profiles::ProfileList;

namespace {

ProfileEntry entry(const char* file, const char* name, int32_t location, int32_t inMenu) {
  ProfileEntry e{};
  e.IndexOnDevice = 1;
  e.InMenu = inMenu;
  e.ProfileClass = 1;
  std::strncpy(e.FileName, file, sizeof e.FileName - 1);
  std::strncpy(e.ProfileName, name, sizeof e.ProfileName - 1);
  e.Location = location;
  return e;
}

// Write the user's current profile list with the given RGB, SIM and DST entries.
void writeProfileList(std::initializer_list<ProfileEntry> rgb, std::initializer_list<ProfileEntry> sim,
                      std::initializer_list<ProfileEntry> dst) {
  std::string folder = pdk::systemPath(pdk::kProfileFolder);
  std::filesystem::create_directories(folder);
  pdk::Value file = pdk::Value::dictionary();
  const char* names[] = {"RGB", "SIM", "DST"};
  const std::initializer_list<ProfileEntry>* sources[] = {&rgb, &sim, &dst};
  for (int cls = 0; cls < 3; ++cls) {
    auto list = std::make_unique<ProfileList>();
    for (const ProfileEntry& e : *sources[cls]) list->entry[list->iNum++] = e;
    file.set(names[cls], profiles::CreatePropsDictionary(cls, list.get(), nullptr).get(names[cls]));
  }
  std::string path = folder + getpwuid(getuid())->pw_name + "-TLQ770-1-profile.plist";
  ASSERT_TRUE(pdk::writePlistFile(path, file));
}

std::vector<std::string> titles(const pdk::PopUpButton& popup) {
  std::vector<std::string> out;
  for (auto& item : popup.items()) out.push_back(item.title);
  return out;
}

}  // namespace

TEST(NibbleText, EncodesEachByteAsTwoCharacters) {
  EXPECT_EQ(colorpane::encodeNibbleText("/ata1a/"), "2?61746131612?");
  EXPECT_EQ(colorpane::decodeNibbleText("2?61746131612?").value_or(""), "/ata1a/");
  EXPECT_EQ(colorpane::decodeNibbleText(colorpane::encodeNibbleText("Größe.icc")).value_or(""), "Größe.icc");
  EXPECT_EQ(colorpane::encodeNibbleText(""), "");
  // An odd last character pairs with a zero: "4" gives 0x40 - 0x30 = 0x10.
  EXPECT_EQ(colorpane::decodeNibbleText("414").value_or(""), std::string("A\x10"));
  // Bytes that are no UTF-8 text are refused.
  EXPECT_FALSE(colorpane::decodeNibbleText("?0"));
}

TEST_F(PaneTest, ProfilePopUpsListMenuProfilesAfterThePPDChoices) {
  writeProfileList({entry("A.icc", "Office", 4, 6), entry("B.icc", "Print", 5, 5), entry("C.icc", "Proof", 5, 4),
                    entry("D.icc", "Gone", 4, 0), entry("E.icc", "Odd", 4, 7)},
                   {entry("SIM.icc", "Press", 4, 3)}, {entry("DST.icc", "Paper", 3, 4)});
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  std::vector<std::string> rgb = titles(*adv.menu_iRGBSource);
  ASSERT_EQ(rgb.size(), 6u);
  EXPECT_EQ(rgb[4], "A.icc(Office)Disk");
  EXPECT_EQ(rgb[5], "C.icc(Proof)Card");
  EXPECT_EQ(titles(*adv.menu_gRGBSource), rgb);
  EXPECT_EQ(titles(*adv.menu_sSimulationProfile).back(), "SIM.icc(Press)Disk");
  EXPECT_EQ(titles(*adv.menu_tDestinationProfile).back(), "DST.icc(Paper)");  // no label for location 3
  EXPECT_EQ(adv.menu_iRGBIntent->numberOfItems(), 4);  // not a profile pop-up
}

TEST_F(PaneTest, AChosenProfileIsStoredAndReadBack) {
  writeProfileList({entry("A.icc", "Office", 4, 6), entry("B.icc", "Print", 5, 5), entry("C.icc", "Proof", 5, 4)}, {},
                   {});
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  panel->onColorView->menu_QuickColor->selectItemAtIndex(3);
  adv.menu_iRGBSource->selectItemAtIndex(5);  // C.icc(Proof)Card
  std::string ignored;
  panel->saveValuesAndReturnError(&ignored);
  pdk::Value dict = host_->printerDict();
  EXPECT_EQ(dict.get("ZNImageRGBSource").asString(), "None");
  EXPECT_EQ(dict.get("ZNImageRGBSourceCustom").asString(), "True");
  EXPECT_EQ(dict.get("ZNImageRGBSourceCustomFilename").asString(),
            colorpane::encodeNibbleText("/ataCf1a/data/USfiles/Profiles/C.icc"));
  EXPECT_EQ(host_->settings.getValue("ZNImageRGBSourceCustom").asString(), "True");

  adv.menu_iRGBSource->selectItemAtIndex(1);
  panel->restoreValuesAndReturnError(&ignored);
  EXPECT_EQ(adv.menu_iRGBSource->indexOfSelectedItem(), 5);
  // The summary names the profile.
  EXPECT_EQ(panel->summaryInfo().get("Image RGB Source").asString(), "C.icc(Proof)Card");

  // A profile that has left the list loads as the PPD default.
  writeProfileList({entry("A.icc", "Office", 4, 6)}, {}, {});
  panel->restoreValuesAndReturnError(&ignored);
  EXPECT_EQ(adv.menu_iRGBSource->indexOfSelectedItem(), 1);  // *DefaultZNImageRGBSource: sRGB
}

TEST_F(PaneTest, StoredProfileNamesAreCheckedBeforeUse) {
  writeProfileList({entry("A.icc", "Office", 4, 6), entry("Z.icc", "Bare", 3, 6)}, {}, {});
  auto panel = openPanel();
  colorpane::PDEControlRow* row = &panel->onAdvancedView->getControlData()[0];  // image RGB source
  pdk::Value dict = pdk::Value::dictionary();
  struct Case {
    pdk::Value stored;
    int32_t position;
  } cases[] = {
      {colorpane::encodeNibbleText("/ata1a/data/USfiles/Profiles/A.icc"), 1},
      {colorpane::encodeNibbleText("/ata1a/data/USfiles/Profiles/a.icc"), 0},  // case matters
      {colorpane::encodeNibbleText("Z.icc"), 0},  // another location never matches
      {pdk::Value("Ä"), 0},                        // not ASCII
      {pdk::Value(std::string(1025, '2')), 0},     // too long
      {pdk::Value(int64_t{3}), 0},                 // not a string
  };
  for (auto& c : cases) {
    dict.set("ZNImageRGBSourceCustomFilename", c.stored);
    EXPECT_EQ(colorpane::PDECommon::commonGetTicketAddedProfile(row, dict), c.position);
  }
  dict.remove("ZNImageRGBSourceCustomFilename");
  EXPECT_EQ(colorpane::PDECommon::commonGetTicketAddedProfile(row, dict), 0);
  // Not a profile row, or no dictionary.
  EXPECT_EQ(colorpane::PDECommon::commonGetTicketAddedProfile(row + 1, dict), -1);
  EXPECT_EQ(colorpane::PDECommon::commonGetTicketAddedProfile(row, pdk::Value()), -1);
  EXPECT_EQ(colorpane::PDECommon::commonSetTicketAddedProfile(row + 1, dict, 1), -1);
}

TEST_F(PaneTest, WithoutAListTheMenusKeepTheirPPDChoices) {
  auto panel = openPanel();
  EXPECT_EQ(panel->onAdvancedView->menu_iRGBSource->numberOfItems(), 4);
  EXPECT_EQ(colorpane::PDECommon::commonAddMenuFromProfilePlist(panel->onAdvancedView->getControlData()), -1);
  // Storing a position then writes an empty file name with the flag set.
  pdk::Value dict = pdk::Value::dictionary();
  colorpane::PDEControlRow* row = &panel->onAdvancedView->getControlData()[3];  // image destination
  EXPECT_EQ(colorpane::PDECommon::commonSetTicketAddedProfile(row, dict, 1), 0);
  EXPECT_EQ(dict.get("ZNImageDestinationProfileCustomFilename").asString(), "");
  EXPECT_EQ(dict.get("ZNImageDestinationProfileCustom").asString(), "True");
  EXPECT_EQ(dict.get("ZNImageDestinationProfile").asString(), "Auto");
}

TEST_F(PaneTest, ADialogRunParsesTheListOnce) {
  writeProfileList({entry("A.icc", "Office", 4, 6), entry("B.icc", "Print", 5, 3), entry("C.icc", "Proof", 5, 4)},
                   {entry("SIM.icc", "Press", 4, 3)}, {entry("DST.icc", "Paper", 4, 6)});
  // A list written a while before the dialog opens.
  std::string path = pdk::systemPath(pdk::kProfileFolder) + getpwuid(getuid())->pw_name + "-TLQ770-1-profile.plist";
  const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  const uint64_t before = profiles::profileListParseCount();

  // Load and restore, three chosen profiles, save, summary, print, and a
  // second restore, as printdialog runs them.
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  panel->panelView();
  panel->onColorView->menu_QuickColor->selectItemAtIndex(3);
  adv.menu_iRGBSource->selectItemAtIndex(5);
  adv.menu_sSimulationProfile->selectItemAtIndex(adv.menu_sSimulationProfile->numberOfItems() - 1);
  adv.menu_tDestinationProfile->selectItemAtIndex(adv.menu_tDestinationProfile->numberOfItems() - 1);
  std::string ignored;
  panel->saveValuesAndReturnError(&ignored);
  EXPECT_EQ(panel->summaryInfo().get("Image RGB Source").asString(), "B.icc(Print)Card");
  EXPECT_TRUE(panel->shouldPrint());
  panel->restoreValuesAndReturnError(&ignored);
  EXPECT_EQ(adv.menu_iRGBSource->indexOfSelectedItem(), 5);
  EXPECT_EQ(host_->printerDict().get("ZNSimSourceCustom").asString(), "True");

  EXPECT_EQ(profiles::profileListParseCount() - before, 1u);
}
