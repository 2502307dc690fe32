// UI constraints over the security panel's controls: which constraints a
// pane takes, when one triggers, what it disables, how a control leaves an
// excluded choice, and where option1's current choice comes from.
#include "securitypane/framework/ui_constraints.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework_fixture.h"
#include "securitypane/framework/job_ticket.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

using namespace securityframework;
using frameworktest::Dialog;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;

const int32_t kPrintModeRelated[] = {450, -1};
const UIConstraintsRelatedControls kPrintModeLabel{1, kPrintModeRelated};
// The security panel's keys: the print mode pop-up with its label, and the
// two check boxes.
const UIConstraintsKeyEntry kSecurityKeys[] = {
    {"PrintModeTLQ770", 400, &kPrintModeLabel},
    {"ZNAuthenticationTLQ770", 401, nullptr},
    {"ZNSectionManagementTLQ770", 402, nullptr},
    {"", 0, nullptr},
};
constexpr int32_t kSecurityKeyCount = 3;

UIConstraintRecord constraint(const char* option1, const char* choice1, const char* option2, const char* choice2) {
  UIConstraintRecord c{};
  std::strncpy(c.option1, option1, sizeof c.option1 - 1);
  std::strncpy(c.choice1, choice1, sizeof c.choice1 - 1);
  std::strncpy(c.option2, option2, sizeof c.option2 - 1);
  std::strncpy(c.choice2, choice2, sizeof c.choice2 - 1);
  return c;
}

// A security panel's PPD-bound controls over a PPD, with its constraint list.
struct Pane {
  explicit Pane(const std::string& ppd) : dialog(ppd) {
    const PDEControlSource rows[] = {{400, &printMode, kControlKindPopupButton, "PrintModeTLQ770"},
                                     {401, &authentication, kControlKindCheckBox, "ZNAuthenticationTLQ770"},
                                     {402, &sectionManagement, kControlKindCheckBox, "ZNSectionManagementTLQ770"},
                                     {450, &printModeLabel, kControlKindStaticText, "PrintModeTLQ770"}};
    CTblCreate(&table, rows, 4, dialog.host.ppd);
    for (auto& record : table->records) record.InitEnable = true;
    CTblUISetByPPD(table, dialog.host.ppd, kSecurityKeys);
    printMode.selectItemAtIndex(0);
    UIConstraintsPPDInitializeArgument(dialog.host.ppd, &dialog.context.CstList);
    constraints = CreateUIConstrainstPPDListForEveryUserPaneArgument(kSecurityKeys, &count, &dialog.context.CstList);
  }
  ~Pane() {
    ReleaseUIConstrainstPPDListForEveryUserPaneArgument(&dialog.context.CstList);
    UIConstraintsPPDFinalize(&dialog.context.CstList);
    CTblRelease(&table);
  }

  // Enable everything, as the panel does, then run one pass.
  void update() {
    for (auto& record : table->records) {
      PDEControlDataSetEnabled(&record, true);
      for (int32_t item = 1; item <= PDEControlDataItemGetCount(&record); ++item) {
        PDEControlDataItemSetEnabled(&record, item, true);
      }
    }
    UpdateUIConstraintsPPDArgument(constraints, count, kSecurityKeys, kSecurityKeyCount, table, &dialog.session);
  }
  void setTicket(const char* key, const char* value) { PDECoreGetModelDictionary(&dialog.session).set(key, value); }
  std::string ticket(const char* key) { return dialog.host.printerDict().get(key).asString(); }
  std::vector<bool> printModeItems() {
    std::vector<bool> flags;
    CCGetPopupButtonItemState(&printMode, 0, &flags);
    return flags;
  }

  Dialog dialog;
  pdk::PopUpButton printMode;
  pdk::Button authentication{pdk::Button::Style::CheckBox};
  pdk::Button sectionManagement{pdk::Button::Style::CheckBox};
  pdk::TextField printModeLabel;
  PDEControlDataTblRef table = nullptr;
  const UIConstraintRecord* constraints = nullptr;
  int32_t count = 0;
};

TEST(PaneConstraintList, TakesTheConstraintsOfThePanesKeys) {
  Dialog dialog(mainPPD());
  _UIConstraintsList& list = dialog.context.CstList;
  ASSERT_EQ(UIConstraintsPPDInitializeArgument(dialog.host.ppd, &list), 0);
  EXPECT_EQ(list.iNumOfUIConstraints, 14);

  // The security keys appear in 10 of the 14; the colour ones are left out.
  int32_t count = 0;
  const UIConstraintRecord* pane = CreateUIConstrainstPPDListForEveryUserPaneArgument(kSecurityKeys, &count, &list);
  ASSERT_EQ(count, 10);
  EXPECT_STREQ(pane[0].option1, "OptionalHardDisk");
  EXPECT_STREQ(pane[0].choice2, "Secure");
  EXPECT_STREQ(pane[9].option1, "ZNSectionManagementTLQ770");

  const UIConstraintsKeyEntry glossy[] = {{"ZNGlossyMode", 10, nullptr}, {"", 0, nullptr}};
  CreateUIConstrainstPPDListForEveryUserPaneArgument(glossy, &count, &list);
  EXPECT_EQ(count, 2);
  // Keys match whole keywords only.
  const UIConstraintsKeyEntry prefix[] = {{"PrintMode", 10, nullptr}, {"", 0, nullptr}};
  CreateUIConstrainstPPDListForEveryUserPaneArgument(prefix, &count, &list);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(list.iNumOfLocalAlloc, 3);
  ASSERT_TRUE(list.pTopOfLocalCtrl);
  EXPECT_EQ(list.pTopOfLocalCtrl->next->previous, list.pTopOfLocalCtrl);

  EXPECT_EQ(ReleaseUIConstrainstPPDListForEveryUserPaneArgument(&list), 0);
  EXPECT_EQ(list.iNumOfLocalAlloc, 0);
  EXPECT_EQ(list.pTopOfLocalCtrl, nullptr);
  EXPECT_EQ(UIConstraintsPPDFinalize(&list), 0);
  EXPECT_EQ(list.iNumOfUIConstraints, 0);
}

TEST(PaneConstraintList, MissingArguments) {
  _UIConstraintsList list;
  int32_t count = 0;
  EXPECT_EQ(UIConstraintsPPDInitializeArgument(nullptr, &list), 206);
  EXPECT_EQ(UIConstraintsPPDFinalize(nullptr), -50);
  EXPECT_EQ(CreateUIConstrainstPPDListForEveryUserPaneArgument(kSecurityKeys, &count, nullptr), nullptr);
}

TEST(UIConstraints, WithoutTheHardDiskOnlyNormalPrintIsLeft) {
  Pane pane(fixturePPD("hard_disk_absent.ppd"));
  pane.update();
  EXPECT_EQ(pane.printModeItems(), (std::vector<bool>{true, false, false, false}));
  // One choice left: the pop-up is disabled and its label turns gray.
  EXPECT_FALSE(pane.printMode.isEnabled());
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Gray);
  // Authentication is excluded at "True": the check box is disabled.
  EXPECT_FALSE(pane.authentication.isEnabled());
  EXPECT_TRUE(pane.sectionManagement.isEnabled());
}

TEST(UIConstraints, AllowedChoicesLeaveEverythingEnabled) {
  Pane pane(fixturePPD("security_options.ppd"));
  pane.update();
  EXPECT_EQ(pane.printModeItems(), (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(pane.printMode.isEnabled());
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Black);
  EXPECT_TRUE(pane.authentication.isEnabled());
  EXPECT_TRUE(pane.sectionManagement.isEnabled());
}

TEST(UIConstraints, APopUpOnAnExcludedChoiceMovesToTheFirstAllowedOne) {
  Pane pane(fixturePPD("hard_disk_absent.ppd"));
  pane.setTicket("PrintModeTLQ770", "Secure");
  pane.printMode.selectItemAtIndex(1);
  pane.update();
  EXPECT_EQ(pane.printMode.indexOfSelectedItem(), 0);
  EXPECT_EQ(pane.ticket("PrintModeTLQ770"), "Normal");
  EXPECT_TRUE(pane.dialog.host.marked("PrintModeTLQ770", "Normal"));
}

TEST(UIConstraints, ACheckBoxOnAnExcludedChoiceTakesTheOtherOne) {
  // True listed first: the excluded "True" is index 0, and the box goes off.
  Pane pane(fixturePPD("hard_disk_absent.ppd"));
  pane.setTicket("ZNAuthenticationTLQ770", "True");
  pane.authentication.setState(1);
  pane.update();
  EXPECT_EQ(pane.authentication.state(), 0);
  EXPECT_FALSE(pane.authentication.isEnabled());
  EXPECT_EQ(pane.ticket("ZNAuthenticationTLQ770"), "False");
  EXPECT_TRUE(pane.dialog.host.marked("ZNAuthenticationTLQ770", "False"));
}

TEST(UIConstraints, ACheckBoxWhoseFirstChoiceIsExcludedIsTurnedOn) {
  // False listed first and excluded: the box is set to 1 and disabled.
  Pane pane(fixturePPD("booleans_false_first.ppd"));
  pane.setTicket("ZNSectionManagementTLQ770", "False");
  pane.update();
  EXPECT_EQ(pane.sectionManagement.state(), 1);
  EXPECT_FALSE(pane.sectionManagement.isEnabled());
  EXPECT_EQ(pane.ticket("ZNSectionManagementTLQ770"), "True");
}

TEST(UIConstraints, AnEmptyChoice2DisablesTheWholeControlAndItsLabel) {
  Pane pane(fixturePPD("empty_choice2.ppd"));
  pane.update();
  EXPECT_FALSE(pane.printMode.isEnabled());
  EXPECT_EQ(pane.printModeItems(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Gray);
}

TEST(UIConstraints, ThePPDsMarkIsTheLastSource) {
  // Nothing in the job ticket: the marked default Secure excludes section
  // management.
  Pane pane(fixturePPD("secure_default.ppd"));
  pane.update();
  EXPECT_FALSE(pane.sectionManagement.isEnabled());
  // The job ticket comes first.
  pane.setTicket("PrintModeTLQ770", "Normal");
  pane.update();
  EXPECT_TRUE(pane.sectionManagement.isEnabled());
}

TEST(UIConstraints, TriggerRule) {
  // Hand-made constraints over the installed hard disk.
  struct Case {
    UIConstraintRecord c;
    bool secureDisabled;
  };
  const Case cases[] = {
      {constraint("OptionalHardDisk", "True", "PrintModeTLQ770", "Secure"), true},
      // Letter case is significant.
      {constraint("OptionalHardDisk", "true", "PrintModeTLQ770", "Secure"), false},
      // An empty choice1 matches only an empty current choice.
      {constraint("OptionalHardDisk", "", "PrintModeTLQ770", "Secure"), false},
      // An option the PPD lacks is skipped.
      {constraint("OptionalTray9", "True", "PrintModeTLQ770", "Secure"), false},
      // A choice2 the option lacks disables nothing.
      {constraint("OptionalHardDisk", "True", "PrintModeTLQ770", "Shredded"), false},
      // An option2 without a control changes nothing.
      {constraint("OptionalHardDisk", "True", "ZNGlossyMode", "True"), false},
  };
  for (const auto& c : cases) {
    Pane pane(fixturePPD("security_options.ppd"));
    pane.constraints = &c.c;
    pane.count = 1;
    pane.update();
    EXPECT_EQ(!pane.printModeItems()[1], c.secureDisabled) << c.c.option1 << " " << c.c.choice1 << " " << c.c.choice2;
    EXPECT_TRUE(pane.printMode.isEnabled());
  }
}

TEST(UIConstraints, OptionOnesChoiceIsReadOncePerPass) {
  // ZNFirst is read from the job ticket (A1) by the first constraint; the
  // second moves ZNFirst to A2; the third still sees A1 from the cache.
  Dialog dialog(fixturePPD("chained_constraints.ppd"));
  pdk::PopUpButton first, second, third;
  const PDEControlSource rows[] = {{500, &first, kControlKindPopupButton, "ZNFirst"},
                                   {501, &second, kControlKindPopupButton, "ZNSecond"},
                                   {502, &third, kControlKindPopupButton, "ZNThird"}};
  PDEControlDataTblRef table = nullptr;
  CTblCreate(&table, rows, 3, dialog.host.ppd);
  for (auto& record : table->records) initPopupByPPD(dialog.host.ppd, dynamic_cast<pdk::PopUpButton*>(record.Control), record.Key);
  first.selectItemAtIndex(0);
  pdk::Value ticket = PDECoreGetModelDictionary(&dialog.session);
  ticket.set("ZNFirst", "A1");
  ticket.set("ZNSecond", "B1");
  UIConstraintsPPDInitializeArgument(dialog.host.ppd, &dialog.context.CstList);
  const UIConstraintsKeyEntry keys[] = {{"ZNFirst", 500, nullptr}, {"ZNSecond", 501, nullptr},
                                        {"ZNThird", 502, nullptr}, {"", 0, nullptr}};
  int32_t count = 0;
  const UIConstraintRecord* constraints =
      CreateUIConstrainstPPDListForEveryUserPaneArgument(keys, &count, &dialog.context.CstList);
  ASSERT_EQ(count, 3);

  UIConstraintsChoiceCache cache;
  UpdateUIConstraintsPPDImplementArgument(constraints, count, table, &cache, &dialog.session);
  EXPECT_EQ(ticket.get("ZNFirst").asString(), "A2");
  EXPECT_EQ(first.indexOfSelectedItem(), 1);
  std::vector<bool> flags;
  CCGetPopupButtonItemState(&third, 0, &flags);
  EXPECT_EQ(flags, (std::vector<bool>{true, false, false}));
  // The cache holds what the ticket gave, newest first.
  ASSERT_EQ(cache.size(), 2u);
  EXPECT_EQ(cache[0].keyword, "ZNSecond");
  EXPECT_EQ(cache[1].keyword, "ZNFirst");
  EXPECT_EQ(cache[1].choice, "A1");
  CTblRelease(&table);
}

TEST(UIConstraints, PageSizeFollowsTicketThenPaperThenDestination) {
  // "PageSize A5" excludes secure printing.
  struct Case {
    const char* what;
    const char* ticket;  // PageSize in the job ticket, or null
    pdk::Paper paper;
    const char* destination;  // fit to this paper, or null
    bool excluded;
  };
  const pdk::Paper letter{"Letter", 612, 792, 12, 12, 12, 12};
  const pdk::Paper a5{"A5", 420, 595, 12, 12, 12, 12};
  const Case cases[] = {
      {"paper A5", nullptr, a5, nullptr, true},
      {"paper Letter", nullptr, letter, nullptr, false},
      {"ticket before paper", "Letter", a5, nullptr, false},
      {"ticket A5", "A5", letter, nullptr, true},
      {"fitted to A5 (text, any case)", nullptr, letter, "a5", true},
      {"fitted to Letter", nullptr, a5, "US Letter", false},
  };
  for (const auto& c : cases) {
    Pane pane(fixturePPD("page_size_constraint.ppd"));
    pane.dialog.host.format.paper = c.paper;
    if (c.ticket) pane.setTicket("PageSize", c.ticket);
    if (c.destination) {
      pane.dialog.host.settings.setValue("com.apple.print.PageToPaperMappingType", 2);
      pane.dialog.host.settings.setValue("com.apple.print.PageToPaperMappingMediaName", c.destination);
    }
    pane.update();
    EXPECT_EQ(!pane.printModeItems()[1], c.excluded) << c.what;
  }
}

TEST(PaperName, DocumentPaperAsAPageSizeChoice) {
  struct Case {
    const char* what;
    pdk::Paper paper;
    const char* destination;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"a PPD paper", pdk::Paper{"ISO A4", 595, 842, 0, 0, 0, 0}, nullptr, "A4"},
      {"a custom size in range", pdk::Paper{"Postcard", 300, 500, 0, 0, 0, 0}, nullptr, "Postcard"},
      {"at the largest custom width", pdk::Paper{"Banner", 612, 1000, 0, 0, 0, 0}, nullptr, "Banner"},
      {"outside the range", pdk::Paper{"Poster", 700, 1100, 0, 0, 0, 0}, nullptr, "Letter"},
      {"fitted to a PPD paper's text", pdk::Paper{"Poster", 700, 1100, 0, 0, 0, 0}, "ENVELOPE #10", "Env10"},
      {"fitted to another paper", pdk::Paper{"ISO A4", 595, 842, 0, 0, 0, 0}, "Tabloid", "Tabloid"},
      {"no paper name", pdk::Paper{"", 595, 842, 0, 0, 0, 0}, nullptr, std::nullopt},
  };
  for (const auto& c : cases) {
    Dialog dialog(mainPPD());
    dialog.host.format.paper = c.paper;
    if (c.destination) {
      dialog.host.settings.setValue("com.apple.print.PageToPaperMappingType", 2);
      dialog.host.settings.setValue("com.apple.print.PageToPaperMappingMediaName", c.destination);
    }
    EXPECT_EQ(GetPaperNameByStandardTicketArgument(&dialog.session), c.name) << c.what;
  }
  // Without the PPD's papers there is no answer.
  Dialog unmarked(mainPPD(), /*markDefaults=*/false);
  unmarked.context.ppdPapers.choices.clear();
  unmarked.context.ppdPapers.numChoices = 0;
  EXPECT_EQ(GetPaperNameByStandardTicketArgument(&unmarked.session), std::nullopt);
}

TEST(UIConstraints, OneEnabledItemDisablesTheControl) {
  Pane pane(fixturePPD("security_options.ppd"));
  PDEControlData* mode = PDEControlDataGetByID(pane.table, 400);
  struct Case {
    std::vector<bool> items;
    bool enabledAfter;
  };
  const Case cases[] = {
      {{true, true, false, false}, true},
      {{false, false, true, false}, false},
      {{false, false, false, false}, true},  // none enabled: left as it is
  };
  for (const auto& c : cases) {
    pane.printMode.setEnabled(true);
    for (int i = 0; i < 4; ++i) pane.printMode.setItemEnabled(i, c.items[static_cast<size_t>(i)]);
    vDisableBody(mode);
    EXPECT_EQ(pane.printMode.isEnabled(), c.enabledAfter);
  }
}

TEST(UIConstraints, RelatedControlsFollowOnlyADisabledControl) {
  Pane pane(fixturePPD("security_options.ppd"));
  PDEControlData* mode = PDEControlDataGetByID(pane.table, 400);
  UIConstraintsPPDDisableRelatedControl(pane.table, mode, kSecurityKeys, kSecurityKeyCount);
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Black);
  pane.printMode.setEnabled(false);
  // Only the first keyCount entries of the key table are searched.
  UIConstraintsPPDDisableRelatedControl(pane.table, mode, kSecurityKeys, 0);
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Black);
  UIConstraintsPPDDisableRelatedControl(pane.table, mode, kSecurityKeys, kSecurityKeyCount);
  EXPECT_EQ(pane.printModeLabel.textColor(), pdk::TextColor::Gray);
  UIConstraintsPPDDisableRelatedControl(pane.table, nullptr, kSecurityKeys, kSecurityKeyCount);
}

TEST(UIConstraints, APPDWithoutPrintModeStillUpdates) {
  Pane pane(fixturePPD("no_print_mode.ppd"));
  pane.setTicket("ZNAuthenticationTLQ770", "True");
  pane.authentication.setState(1);
  pane.update();
  // The hard disk is installed: nothing is excluded.
  EXPECT_TRUE(pane.authentication.isEnabled());
  EXPECT_EQ(pane.count, 2);
}

}  // namespace
