// The PPD's constraints acting on the security panel through its refresh:
// the shipped PPD (secure printing and section management exclude each
// other) and fixtures without the hard disk, with an excluded print mode
// as a whole, with Boolean choices in the other order, and with a paper
// that excludes secure printing.
#include <gtest/gtest.h>

#include "panel_fixture.h"

namespace {

using namespace securitypane;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;
using paneltest::Panel;

std::vector<bool> enabledItems(const pdk::PopUpButton& popup) {
  std::vector<bool> flags;
  for (const pdk::MenuItem& item : popup.items()) flags.push_back(item.enabled);
  return flags;
}

TEST(SecurityConstraints, SecurePrintTurnsSectionManagementOffAndDisablesIt) {
  Panel p(mainPPD());
  p.open();
  p.sectionManagement(true);
  // Section management excludes secure printing: its item is disabled.
  EXPECT_EQ(enabledItems(*p.pane->waitModePopUp), (std::vector<bool>{true, false, true, true}));
  EXPECT_TRUE(p.pane->sectionNameEditText->isEnabled());

  p.sectionManagement(false);
  p.selectPrintMode(1);
  EXPECT_FALSE(p.pane->sectionManagementCheckBox->isEnabled());
  EXPECT_EQ(p.pane->sectionManagementCheckBox->state(), 0);
  EXPECT_EQ(enabledItems(*p.pane->waitModePopUp), (std::vector<bool>(4, true)));
}

TEST(SecurityConstraints, StoredSettingsThatConflictAreMovedOffTheExcludedChoice) {
  // Both stored on: the pass turns section management off, as secure
  // printing excludes it, and writes that into the job ticket.
  pdk::Value perPrinter = pdk::Value::dictionary();
  perPrinter.set("PrintModeTLQ770", "Secure");
  perPrinter.set("ZNSectionManagementTLQ770", "True");
  pdk::Value model = pdk::Value::dictionary();
  model.set("Office", perPrinter);
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  Panel p(mainPPD(), settings);
  p.open();
  EXPECT_EQ(p.stored("ZNSectionManagementTLQ770"), "False");
  EXPECT_EQ(p.pane->sectionManagementCheckBox->state(), 0);
  EXPECT_FALSE(p.pane->sectionNameEditText->isEnabled());
  EXPECT_TRUE(p.host->marked("ZNSectionManagementTLQ770", "False"));
}

TEST(SecurityConstraints, WithoutTheHardDiskOnlyNormalPrintingAndNoAuthenticationRemain) {
  Panel p(fixturePPD("hard_disk_absent.ppd"));
  p.open();
  EXPECT_EQ(enabledItems(*p.pane->waitModePopUp), (std::vector<bool>{true, false, false, false}));
  // One choice left: the pop-up is disabled and its label with it.
  EXPECT_FALSE(p.pane->waitModePopUp->isEnabled());
  EXPECT_EQ(p.pane->waitModeStaticText->textColor(), pdk::TextColor::Gray);
  EXPECT_FALSE(p.pane->userAuthenticationCheckBox->isEnabled());
  EXPECT_FALSE(p.pane->userRadioButton->isEnabled());
}

TEST(SecurityConstraints, AStoredSecureModeWithoutHardDiskFallsBackToTheFirstAllowedMode) {
  pdk::Value perPrinter = pdk::Value::dictionary();
  perPrinter.set("PrintModeTLQ770", "Stored");
  pdk::Value model = pdk::Value::dictionary();
  model.set("Office", perPrinter);
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  Panel p(fixturePPD("hard_disk_absent.ppd"), settings);
  p.open();
  EXPECT_EQ(p.pane->waitModePopUp->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Normal");
  EXPECT_TRUE(p.pane->shouldPrint());
  EXPECT_EQ(p.host->settings.getValue("PrintModeTLQ770").asString(), "Normal");
}

TEST(SecurityConstraints, AnExcludedOptionAsAWholeDisablesThePopUpAndItsLabel) {
  Panel p(fixturePPD("empty_choice2.ppd"));
  p.open();
  EXPECT_FALSE(p.pane->waitModePopUp->isEnabled());
  EXPECT_EQ(p.pane->waitModeStaticText->textColor(), pdk::TextColor::Gray);
  EXPECT_EQ(enabledItems(*p.pane->waitModePopUp), (std::vector<bool>(4, true)));
}

TEST(SecurityConstraints, BooleanChoicesAreMatchedByNameInEitherOrder) {
  // The missing hard disk excludes section management off: the box is
  // switched on and disabled, and its fields become live.
  Panel p(fixturePPD("booleans_false_first.ppd"));
  p.open();
  EXPECT_EQ(p.pane->sectionManagementCheckBox->state(), 1);
  EXPECT_FALSE(p.pane->sectionManagementCheckBox->isEnabled());
  EXPECT_EQ(p.stored("ZNSectionManagementTLQ770"), "True");
  EXPECT_TRUE(p.pane->sectionNameEditText->isEnabled());
  EXPECT_FALSE(p.pane->userAuthenticationCheckBox->isEnabled());
  EXPECT_EQ(p.pane->userAuthenticationCheckBox->state(), 0);
}

TEST(SecurityConstraints, TheDocumentsPaperTakesPart) {
  Panel p(fixturePPD("page_size_constraint.ppd"));
  p.host->format.paper = pdk::Paper{"A5", 420, 595, 12, 12, 12, 12};
  p.open();
  EXPECT_FALSE(p.pane->waitModePopUp->itemAtIndex(1)->enabled);
  EXPECT_TRUE(p.pane->waitModePopUp->isEnabled());
}

TEST(SecurityConstraints, EveryRefreshStartsFromEverythingEnabled) {
  // The item that section management disabled comes back once it is off.
  Panel p(mainPPD());
  p.open();
  p.sectionManagement(true);
  ASSERT_FALSE(p.pane->waitModePopUp->itemAtIndex(1)->enabled);
  p.sectionManagement(false);
  EXPECT_TRUE(p.pane->waitModePopUp->itemAtIndex(1)->enabled);
  // A user's choice marks the PPD too.
  p.selectPrintMode(2);
  EXPECT_TRUE(p.host->marked("PrintModeTLQ770", "Proof"));
}

}  // namespace
