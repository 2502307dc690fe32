// The control data table over the security panel's PPD-bound controls:
// values as PPD choices, check boxes by choice name, radio groups, items,
// enabling, filling from the PPD, and the job ticket.
#include "securitypane/framework/control_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "framework_fixture.h"
#include "securitypane/framework/job_ticket.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

using namespace securityframework;
using frameworktest::Dialog;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;

// The panel's PPD-bound controls: print mode, two check boxes, the print
// mode label.
struct Controls {
  pdk::PopUpButton printMode;
  pdk::Button authentication{pdk::Button::Style::CheckBox};
  pdk::Button sectionManagement{pdk::Button::Style::CheckBox};
  pdk::TextField printModeLabel;

  std::vector<PDEControlSource> rows() {
    return {{400, &printMode, kControlKindPopupButton, "PrintModeTLQ770"},
            {401, &authentication, kControlKindCheckBox, "ZNAuthenticationTLQ770"},
            {402, &sectionManagement, kControlKindCheckBox, "ZNSectionManagementTLQ770"},
            {450, &printModeLabel, kControlKindStaticText, "PrintModeTLQ770"}};
  }
};

// A table over `controls` for the PPD of `dialog`, filled from the PPD.
struct Table {
  Table(Controls& controls, Dialog& dialog) {
    auto rows = controls.rows();
    EXPECT_EQ(CTblCreate(&table, rows.data(), static_cast<int16_t>(rows.size()), dialog.host.ppd), 0);
    for (auto& record : table->records) record.InitEnable = true;
    CTblUISetByPPD(table, dialog.host.ppd, nullptr);
  }
  ~Table() { CTblRelease(&table); }
  PDEControlData* operator[](int32_t id) { return PDEControlDataGetByID(table, id); }
  PDEControlDataTblRef table = nullptr;
};

TEST(ControlTable, CreateBindsEachRowToItsOption) {
  Dialog dialog(mainPPD());
  Controls c;
  Table t(c, dialog);
  ASSERT_EQ(PDEControlDataTblGetCount(t.table), 4);
  EXPECT_EQ(PDEControlDataKind(t[400]), kControlKindPopupButton);
  EXPECT_EQ(PDEControlDataControl(t[401]), &c.authentication);
  EXPECT_STREQ(PDEControlDataKey(t[402]), "ZNSectionManagementTLQ770");
  EXPECT_EQ(PPDUIOptionGetItemCount(PDEControlDataPPDInfo(t[400])), 4);
  EXPECT_TRUE(PDEControlDataPPDInfo(t[401]));
  // A static text never carries choices.
  EXPECT_FALSE(PDEControlDataPPDInfo(t[450]));
  // Items the framework disables must stay so.
  EXPECT_FALSE(c.printMode.autoenablesItems);

  EXPECT_EQ(CTblGetID(t.table, &c.sectionManagement), 402);
  pdk::Button stranger;
  EXPECT_EQ(CTblGetID(t.table, &stranger), -1);
  EXPECT_EQ(CTblGetID(nullptr, &stranger), 0);
  EXPECT_EQ(PDEControlDataGetByIndex(t.table, 3), t[450]);
  EXPECT_EQ(PDEControlDataGetByIndex(t.table, 4), nullptr);
  EXPECT_EQ(PDEControlDataGetByID(t.table, 999), nullptr);
}

TEST(ControlTable, MissingRecordAnswersNoneValues) {
  EXPECT_EQ(PDEControlDataID(nullptr), 0);
  EXPECT_EQ(PDEControlDataKind(nullptr), -1);
  EXPECT_EQ(PDEControlDataValue(nullptr), -1);
  EXPECT_EQ(PDEControlDataDefValue(nullptr), -1);
  EXPECT_EQ(PDEControlDataMinValue(nullptr), -1);
  EXPECT_FALSE(PDEControlDataInitEnable(nullptr));
  EXPECT_EQ(PDEControlDataGetIntValue(nullptr, true), -1);
  EXPECT_EQ(PDEControlDataGetPPDValueString(nullptr), std::nullopt);
  EXPECT_EQ(PDEControlDataTblGetCount(nullptr), 0);
  PDEControlDataTblRef table = nullptr;
  EXPECT_EQ(CTblCreate(&table, nullptr, 2, nullptr), -50);
  CTblRelease(&table);  // nothing to free
}

TEST(ControlTable, FillingFromThePPD) {
  Dialog dialog(mainPPD());
  Controls c;
  Table t(c, dialog);
  ASSERT_EQ(c.printMode.numberOfItems(), 4);
  EXPECT_EQ(c.printMode.items()[1].title, "Secure Print");
  EXPECT_EQ(c.printMode.items()[1].representedObject.asString(), "Secure");
  EXPECT_EQ(c.authentication.title(), "User Authentication");
  EXPECT_EQ(c.printModeLabel.stringValue(), "Print Mode:");
}

TEST(ControlTable, ControlsThatDoNotStartEnabledAreHiddenWithTheirRelatedControls) {
  Dialog dialog(mainPPD());
  Controls c;
  auto rows = c.rows();
  PDEControlDataTblRef table = nullptr;
  CTblCreate(&table, rows.data(), 4, dialog.host.ppd);
  PDEControlDataGetByID(table, 401)->InitEnable = true;
  PDEControlDataGetByID(table, 402)->InitEnable = true;
  PDEControlDataGetByID(table, 450)->InitEnable = true;
  const int32_t labelIDs[] = {450, -1};
  const UIConstraintsRelatedControls related{1, labelIDs};
  const UIConstraintsKeyEntry keys[] = {{"PrintModeTLQ770", 400, &related}, {"", 0, nullptr}};
  CTblUISetByPPD(table, dialog.host.ppd, keys);
  EXPECT_TRUE(c.printMode.isHidden());
  EXPECT_TRUE(c.printModeLabel.isHidden());  // follows the pop-up
  EXPECT_FALSE(c.authentication.isHidden());
  CTblRelease(&table);
  EXPECT_EQ(table, nullptr);
}

TEST(ControlTable, PrintModeMissingFromThePPD) {
  Dialog dialog(fixturePPD("no_print_mode.ppd"));
  Controls c;
  Table t(c, dialog);
  EXPECT_FALSE(PDEControlDataPPDInfo(t[400]));
  EXPECT_TRUE(c.printMode.isHidden());
  EXPECT_EQ(c.printMode.numberOfItems(), 0);
  // Without choices the pop-up has no value and no PPD choice.
  EXPECT_EQ(PDEControlDataGetIntValue(t[400], false), -1);
  EXPECT_EQ(PDEControlDataGetPPDValueString(t[400]), std::nullopt);
  PDEControlDataSetPPDValueString(t[400], "Secure");
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), -1);
  EXPECT_EQ(c.printModeLabel.stringValue(), "");
}

TEST(PopUpRecord, ValueAsChoiceNumberIndexAndKey) {
  Dialog dialog(mainPPD());
  Controls c;
  Table t(c, dialog);
  c.printMode.selectItemAtIndex(1);
  EXPECT_EQ(PDEControlDataGetIntValue(t[400], false), 2);
  EXPECT_EQ(PDEControlDataGetIntValue(t[400], true), 1);
  EXPECT_EQ(PDEControlDataGetPPDValueString(t[400]), "Secure");

  PDEControlDataSetIntValue(t[400], 3, false);
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), 2);
  PDEControlDataSetPPDValueString(t[400], "stored");
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), 3);
  // A key that is not a choice selects the PPD default.
  PDEControlDataSetPPDValueString(t[400], "Shredded");
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), 0);
}

TEST(PopUpRecord, ItemNumbersZeroAndOneAddressTheFirstItem) {
  Dialog dialog(mainPPD());
  Controls c;
  Table t(c, dialog);
  EXPECT_EQ(PDEControlDataItemGetCount(t[400]), 4);
  PDEControlDataItemSetEnabled(t[400], 0, false);
  EXPECT_FALSE(PDEControlDataItemIsEnabled(t[400], 1));
  EXPECT_FALSE(c.printMode.items()[0].enabled);
  PDEControlDataItemSetEnabled(t[400], 1, true);
  EXPECT_TRUE(PDEControlDataItemIsEnabled(t[400], 0));
  PDEControlDataItemSetEnabled(t[400], 4, false);
  EXPECT_FALSE(c.printMode.items()[3].enabled);
  EXPECT_FALSE(PDEControlDataItemIsEnabled(t[400], 5));  // no such item
  EXPECT_FALSE(PDEControlDataItemIsEnabled(t[401], 1));  // check boxes have no items
  EXPECT_EQ(PDEControlDataItemGetCount(t[401]), -1);

  std::vector<bool> flags(1);  // too small: grows to the item count
  EXPECT_EQ(CCGetPopupButtonItemState(&c.printMode, 0, &flags), 4);
  EXPECT_EQ(flags, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(CCGetPopupButtonItemState(nullptr, 0, &flags), -1);
}

// Both orders of the Boolean choices: ticking writes "True", clearing "False".
class CheckBoxByName : public ::testing::TestWithParam<const char*> {};

TEST_P(CheckBoxByName, StatesAreTheChoicesTrueAndFalse) {
  Dialog dialog(fixturePPD(GetParam()));
  Controls c;
  Table t(c, dialog);
  PDEControlData* box = t[401];

  // The PPD default "False" starts the box off.
  mInitControlDetailInfo(box, false);
  EXPECT_EQ(PDEControlDataDefValue(box), 0);
  PDEControlDataSetDefaultSetting(box);
  EXPECT_EQ(c.authentication.state(), 0);

  c.authentication.setState(1);
  EXPECT_EQ(PDEControlDataGetPPDValueString(box), "True");
  UpdateTicketWithPDEControl(box, &dialog.session);
  EXPECT_EQ(dialog.host.printerDict().get("ZNAuthenticationTLQ770").asString(), "True");
  EXPECT_TRUE(dialog.host.marked("ZNAuthenticationTLQ770", "True"));

  c.authentication.setState(0);
  EXPECT_EQ(PDEControlDataGetPPDValueString(box), "False");
  PDECustomSetJobTicketWithArgument(box, &dialog.session);
  EXPECT_EQ(dialog.host.printerDict().get("ZNAuthenticationTLQ770").asString(), "False");
  EXPECT_TRUE(dialog.host.marked("ZNAuthenticationTLQ770", "False"));

  PDEControlDataSetPPDValueString(box, "True");
  EXPECT_EQ(c.authentication.state(), 1);
  PDEControlDataSetPPDValueString(box, "False");
  EXPECT_EQ(c.authentication.state(), 0);
}

INSTANTIATE_TEST_SUITE_P(BooleanOrders, CheckBoxByName,
                         ::testing::Values("security_options.ppd", "booleans_false_first.ppd"));

TEST(CheckBoxRecord, WithoutChoicesTrueSelectsAndAnythingElseClears) {
  Dialog dialog(fixturePPD("no_authentication.ppd"));
  Controls c;
  Table t(c, dialog);
  PDEControlData* box = t[401];
  ASSERT_FALSE(PDEControlDataPPDInfo(box));
  EXPECT_EQ(c.authentication.title(), "");  // no option text to show
  PDEControlDataSetPPDValueString(box, "True");
  EXPECT_EQ(c.authentication.state(), 1);
  EXPECT_EQ(PDEControlDataGetPPDValueString(box), "True");
  for (const char* other : {"False", "true", "On", ""}) {
    c.authentication.setState(1);
    PDEControlDataSetPPDValueString(box, other);
    EXPECT_EQ(c.authentication.state(), 0) << other;
    EXPECT_EQ(PDEControlDataGetPPDValueString(box), "False") << other;
  }
}

// A radio group bound to the print mode, in a given shape.
struct RadioGroup {
  RadioGroup(Dialog& dialog, int rows, int columns) {
    matrix.renewRows(rows, columns);
    const PDEControlSource source[] = {{410, &matrix, kControlKindRadioGroup, "PrintModeTLQ770"}};
    CTblCreate(&table, source, 1, dialog.host.ppd);
    record = PDEControlDataGetByID(table, 410);
  }
  ~RadioGroup() { CTblRelease(&table); }
  pdk::Matrix matrix;
  PDEControlDataTblRef table = nullptr;
  PDEControlData* record = nullptr;
};

TEST(RadioGroupRecord, OneRowAddressesCellsByColumn) {
  Dialog dialog(mainPPD());
  RadioGroup group(dialog, 1, 4);
  EXPECT_EQ(PDEControlDataItemGetCount(group.record), 4);
  PDEControlDataItemSetEnabled(group.record, 3, false);
  EXPECT_FALSE(group.matrix.cellAtRow(0, 2)->isEnabled());
  EXPECT_FALSE(PDEControlDataItemIsEnabled(group.record, 3));
  PDEControlDataSetIntValue(group.record, 3, false);
  EXPECT_EQ(group.matrix.selectedColumn(), 2);
  EXPECT_EQ(PDEControlDataGetIntValue(group.record, false), 3);
  EXPECT_EQ(PDEControlDataGetPPDValueString(group.record), "Proof");
  PDEControlDataSetPPDValueString(group.record, "Secure");
  EXPECT_EQ(group.matrix.selectedColumn(), 1);
}

TEST(RadioGroupRecord, OneColumnAddressesCellsByRow) {
  Dialog dialog(mainPPD());
  RadioGroup group(dialog, 4, 1);
  PDEControlDataSetIntValue(group.record, 1, true);
  EXPECT_EQ(group.matrix.selectedRow(), 1);
  EXPECT_EQ(PDEControlDataGetIntValue(group.record, true), 1);
  PDEControlDataItemSetEnabled(group.record, 0, false);  // item 0 is item 1
  EXPECT_FALSE(group.matrix.cellAtRow(0, 0)->isEnabled());
}

TEST(RadioGroupRecord, OtherShapesHaveNoItemsAndNoValue) {
  Dialog dialog(mainPPD());
  RadioGroup group(dialog, 2, 2);
  EXPECT_EQ(PDEControlDataItemGetCount(group.record), -1);
  EXPECT_EQ(PDEControlDataGetIntValue(group.record, true), -1);
  const int selectedRow = group.matrix.selectedRow();
  PDEControlDataSetIntValue(group.record, 2, true);
  EXPECT_EQ(group.matrix.selectedRow(), selectedRow);
  int32_t columns = 9, rows = 9;
  mGetRadioItemNum(&group.matrix, &columns, &rows);
  EXPECT_EQ(columns, 0);
  EXPECT_EQ(rows, 0);
}

TEST(ControlRecord, EnablingByKind) {
  Dialog dialog(mainPPD());
  Controls c;
  Table t(c, dialog);
  // A static text is shown gray instead of disabled.
  PDEControlDataSetEnabled(t[450], false);
  EXPECT_EQ(c.printModeLabel.textColor(), pdk::TextColor::Gray);
  EXPECT_TRUE(c.printModeLabel.isEnabled());
  PDEControlDataSetEnabled(t[450], true);
  EXPECT_EQ(c.printModeLabel.textColor(), pdk::TextColor::Black);

  PDEControlDataSetEnabled(t[400], false);
  EXPECT_FALSE(c.printMode.isEnabled());
  EXPECT_FALSE(PDEControlDataIsEnabled(t[400]));

  // Group boxes and data browsers keep their state.
  pdk::Button box;
  PDEControlData group;
  group.Kind = kControlKindGroupBox;
  group.Control = &box;
  PDEControlDataSetEnabled(&group, false);
  EXPECT_TRUE(box.isEnabled());

  PDEControlDataSetHidden(t[402], true);
  EXPECT_TRUE(PDEControlDataIsHidden(t[402]));
}

TEST(ControlRecord, DefaultsFromThePPD) {
  Dialog dialog(fixturePPD("secure_default.ppd"));
  Controls c;
  Table t(c, dialog);
  PDEControlData* mode = t[400];
  mInitControlDetailInfo(mode, false);
  EXPECT_EQ(PDEControlDataDefValue(mode), 2);  // Secure, as a choice number
  EXPECT_EQ(PDEControlDataValue(mode), 2);
  // Keeping the current value keeps the choice number as it is.
  mInitControlDetailInfo(mode, true);
  EXPECT_EQ(PDEControlDataDefValue(mode), 2);
  PDEControlDataSetDefault(mode);
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), 1);
  c.printMode.selectItemAtIndex(3);
  PDEControlDataSetDefaultSetting(mode);
  EXPECT_EQ(c.printMode.indexOfSelectedItem(), 1);
}

TEST(EditTextRecord, TextsAndDefaults) {
  pdk::TextField field(true);
  PDEControlData record;
  record.Kind = kControlKindEditUnicodeText;
  record.Control = &field;
  mInitControlDetailInfo(&record, false);
  EXPECT_EQ(*PDEControlDataDefString(&record), "");
  EXPECT_EQ(*PDEControlDataString(&record), "");
  PDEControlDataDefSetString(&record, std::string("guest"));
  PDEControlDataDefSetString(&record, std::nullopt);  // no text: kept
  PDEControlDataSetDefault(&record);
  EXPECT_EQ(field.stringValue(), "guest");
  EXPECT_EQ(PDEControlDataGetPPDValueString(&record), "guest");
  PDEControlDataSetPPDValueString(&record, "other");
  EXPECT_EQ(field.stringValue(), "other");
  PDEControlDataSetEditTextString(&record, "saved");
  EXPECT_EQ(*PDEControlDataGetEditTextString(&record), "saved");

  // An edit text whose control holds no text reads "NULL".
  pdk::Button notText;
  record.Control = &notText;
  EXPECT_EQ(PDEControlDataGetPPDValueString(&record), "NULL");
  // Other kinds keep no texts.
  record.Kind = kControlKindCheckBox;
  EXPECT_EQ(PDEControlDataString(&record), nullptr);
  EXPECT_EQ(PDEControlDataDefString(&record), nullptr);
}

TEST(ControlRecord, UnsupportedKindHasNoPPDValue) {
  pdk::Button button;
  PDEControlData record;
  record.Kind = fourCharCode("sldr");
  record.Control = &button;
  EXPECT_EQ(PDEControlDataGetPPDValueString(&record), std::nullopt);
}

TEST(ControlOperations, IconsLoadFromAPathOrFileURL) {
  char path[] = "/tmp/icon-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  pdk::ImageView view;
  PDEControlData record;
  record.Kind = kControlKindIcon;
  record.Control = &view;
  PDEControlDataSetIconByURL(&record, std::string("file://") + path);
  ASSERT_TRUE(view.image());
  EXPECT_EQ(view.image()->path(), path);
  // An image that does not load leaves the shown one.
  CCControlSetIconWithPath(&view, "/no/such/icon.png");
  EXPECT_EQ(view.image()->path(), path);
  std::remove(path);
}

TEST(ControlOperations, InstallableOptionsDisableTheItemsTheyExclude) {
  struct Case {
    const char* ppd;
    std::vector<bool> enabled;
  };
  // Without the hard disk, every print mode but Normal is excluded.
  const Case cases[] = {
      {"security_options.ppd", {true, true, true, true}},
      {"hard_disk_absent.ppd", {true, false, false, false}},
  };
  for (const auto& c : cases) {
    Dialog dialog(fixturePPD(c.ppd));
    PPDUIOptionRef mode = CreatePPDUIOption(dialog.host.ppd, "PrintModeTLQ770");
    pdk::PopUpButton popup;
    CCRebuildPopupMenuWithPPDOption(&popup, mode.get());
    CCDisableMenuItemsWithInstallableOption(&popup, mode.get(), &dialog.session);
    EXPECT_FALSE(popup.autoenablesItems);
    std::vector<bool> flags;
    CCGetPopupButtonItemState(&popup, 0, &flags);
    EXPECT_EQ(flags, c.enabled) << c.ppd;
  }
}

TEST(JobTicket, WritesOnlyChoicesTheOptionHas) {
  Dialog dialog(mainPPD());
  PPDUIOptionRef auth = CreatePPDUIOption(dialog.host.ppd, "ZNAuthenticationTLQ770");
  UpdateTicketWithPPDOption(&dialog.session, auth.get(), 3);
  UpdateTicketWithPPDOption(&dialog.session, auth.get(), -1);
  EXPECT_FALSE(dialog.host.printerDict().contains("ZNAuthenticationTLQ770"));
  UpdateTicketWithPPDOption(&dialog.session, auth.get(), 0);
  EXPECT_EQ(dialog.host.printerDict().get("ZNAuthenticationTLQ770").asString(), "True");
  EXPECT_TRUE(dialog.host.marked("ZNAuthenticationTLQ770", "True"));
}

TEST(JobTicket, AKeyedRecordWithoutChoicesUsesATemporaryOption) {
  Dialog dialog(mainPPD());
  pdk::Button box(pdk::Button::Style::CheckBox);
  PDEControlData record;
  record.Kind = kControlKindCheckBox;
  record.Control = &box;
  record.Key = "ZNSectionManagementTLQ770";
  box.setState(1);
  PDECustomSetJobTicketWithArgument(&record, &dialog.session);
  EXPECT_EQ(dialog.host.printerDict().get("ZNSectionManagementTLQ770").asString(), "True");
}

}  // namespace
