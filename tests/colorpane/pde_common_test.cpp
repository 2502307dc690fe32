// PDECommon: PPD choice lists, control values, the print-settings bridge,
// summaries, encodings and protocols.
#include <gtest/gtest.h>

#include "colorpane/pde_common.h"
#include "pane_fixture.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using colorpane::ChoiceList;
using colorpane::PDECommon;
using colorpane::PDEControlRow;
using panetest::PaneTest;
using panetest::TestHost;

namespace {

// A one-row table bound to `key`, with its choices read from the PPD.
struct OneRow {
  OneRow(ppd_file_t* ppd, std::shared_ptr<pdk::View> control, int32_t kind, const char* key, int16_t profileType = 0)
      : view(std::move(control)) {
    rows[0] = {view.get(), kind, key, nullptr, key, "", profileType, nullptr};
    rows[1] = colorpane::kTerminatorRow;
    PDECommon::commonGetPPDArrayForUIOption(ppd, key, &rows[0].choices);
    PDECommon::commonReBuildMenuFromPPD(ppd, &rows[0]);
  }
  ~OneRow() { delete rows[0].choices; }
  std::shared_ptr<pdk::View> view;
  PDEControlRow rows[2];
};

}  // namespace

TEST(PDECommonEncoding, LanguageEncodingNamesMapToEncodings) {
  struct Case {
    const char* value;
    pdk::TextEncoding expected;
  } cases[] = {
      {"ISOLatin1", pdk::TextEncoding::ISOLatin1}, {"WindowsANSI", pdk::TextEncoding::WindowsLatin1},
      {"JIS83-RKSJ", pdk::TextEncoding::ShiftJIS}, {"UTF-8", pdk::TextEncoding::UTF8},
      {"UTF8", pdk::TextEncoding::UTF8},           {"MacStandard", pdk::TextEncoding::MacRoman},
      {"utf-8", pdk::TextEncoding::MacRoman},      {"", pdk::TextEncoding::MacRoman},
      {nullptr, pdk::TextEncoding::MacRoman},
  };
  for (auto& c : cases)
    EXPECT_EQ(PDECommon::encodingForLanguageEncoding(c.value), c.expected) << (c.value ? c.value : "(null)");
  EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(nullptr), pdk::TextEncoding::MacRoman);
}

TEST(PDECommonProtocol, OnlyTheStartOfTheUriCounts) {
  struct Case {
    const char* uri;
    int16_t code;
  } cases[] = {
      {"usb://Quorlin/TLQ770-1?serial=1", 3}, {"dnssd://Office%20Printer._printer._tcp.local./?bidi", 1},
      {"mdns://Office._printer._tcp.local.", 1}, {"lpd://192.0.2.20:515/queue", 0},
      {"pap://zone/printer", 2},               {"ipp://192.0.2.7/ipp", -1},
      {"socket://192.0.2.7/usb://x", -1},      {"http://x/lpd://y", -1},
      {"LPD://192.0.2.20/queue", -1},          {"", -1},
  };
  for (auto& c : cases) {
    std::string uri = c.uri;
    EXPECT_EQ(PDECommon::commoniGetProtocolByUrl(&uri), c.code) << c.uri;
  }
  EXPECT_EQ(PDECommon::commoniGetProtocolByUrl(nullptr), -1);

  pdk::PrintSession session;
  EXPECT_EQ(PDECommon::commoniGetProtocol(&session), -1);  // no printer
  session.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{"Office", "usb://x", ""});
  EXPECT_EQ(PDECommon::commoniGetProtocol(&session), 3);
  EXPECT_EQ(PDECommon::commoniGetProtocol(nullptr), -1);
}

TEST_F(PaneTest, ChoiceListHoldsKeywordsTextsAndDefault) {
  TestHost host(panetest::mainPPD());
  ChoiceList* list = nullptr;
  ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(host.ppd, "ZNEdgeType", &list), 0);
  ASSERT_EQ(list->size(), 4u);
  EXPECT_EQ((*list)[0][colorpane::kChoiceOption], "ZNEdgeType");
  EXPECT_EQ((*list)[0][colorpane::kChoiceKeyword], "Off");
  EXPECT_EQ((*list)[3][colorpane::kChoiceDefault], "Standard");
  EXPECT_EQ((*list)[1][colorpane::kChoiceConflict], "ConflictFalse");
  delete list;

  // The renamed fourth Quick Colour choice keeps the record's keyword.
  ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(host.ppd, "ZNQuickColor", &list), 0);
  EXPECT_EQ((*list)[3][colorpane::kChoiceKeyword], "_Custom");
  delete list;

  // A keyword the PPD lacks leaves the out argument untouched.
  ChoiceList sentinel;
  ChoiceList* untouched = &sentinel;
  EXPECT_EQ(PDECommon::commonGetPPDArrayForUIOption(host.ppd, "ZNNoSuchOption", &untouched), -30888);
  EXPECT_EQ(untouched, &sentinel);
}

TEST_F(PaneTest, ConflictTestRestoresTheMarks) {
  TestHost host(panetest::mainPPD());
  // Economy mode and glossy mode exclude each other in the PPD.
  EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(host.ppd, "ZNEconoMode", "True"));
  ppdMarkOption(host.ppd, "ZNGlossyMode", "True");
  EXPECT_TRUE(PDECommon::commonIsPPDChoiceConflicted(host.ppd, "ZNEconoMode", "True"));
  // The test changed no mark.
  EXPECT_TRUE(ppdIsMarked(host.ppd, "ZNEconoMode", "False"));
  EXPECT_TRUE(ppdIsMarked(host.ppd, "ZNGlossyMode", "True"));
  EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(host.ppd, "ZNNoSuchOption", "True"));

  // The choice list records the conflict as it stood when it was built.
  ChoiceList* list = nullptr;
  PDECommon::commonGetPPDArrayForUIOption(host.ppd, "ZNEconoMode", &list);
  ASSERT_EQ(list->size(), 2u);
  EXPECT_EQ((*list)[0][colorpane::kChoiceKeyword], "True");
  EXPECT_EQ((*list)[0][colorpane::kChoiceConflict], "ConflictTrue");
  EXPECT_EQ((*list)[1][colorpane::kChoiceConflict], "ConflictFalse");
  delete list;
}

TEST_F(PaneTest, PopUpItemsComeFromThePPD) {
  TestHost host(panetest::mainPPD());
  OneRow row(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNQuickColor");
  auto* popup = static_cast<pdk::PopUpButton*>(row.view.get());
  ASSERT_EQ(popup->numberOfItems(), 4);
  EXPECT_EQ(popup->itemAtIndex(2)->title, "Vivid Colour");
  EXPECT_EQ(popup->itemAtIndex(3)->representedObject.asString(), "_Custom");

  // An option the PPD lacks leaves the pop-up's own items.
  auto kept = std::make_shared<pdk::PopUpButton>();
  kept->addItem("From the view description");
  OneRow missing(host.ppd, kept, colorpane::kCtlPopUp, "ZNNoSuchOption");
  EXPECT_EQ(kept->numberOfItems(), 1);
  EXPECT_EQ(missing.rows[0].choices, nullptr);
  EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&missing.rows[0]), 0);
}

TEST_F(PaneTest, ChoiceTextsDecodeInTheirEncoding) {
  struct Case {
    const char* fixture;
    const char* option;
    int index;
    const char* text;
  } cases[] = {
      {"utf8_no_hyphen.ppd", "ZNQuickColor", 2, "Lebhaft – Farbe ü"},
      {"mac_standard.ppd", "ZNQuickColor", 1, "Fotoqualität"},
  };
  for (auto& c : cases) {
    TestHost host(panetest::fixturePPD(c.fixture));
    ASSERT_TRUE(host.ppd) << c.fixture;
    OneRow row(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, c.option);
    auto* popup = static_cast<pdk::PopUpButton*>(row.view.get());
    ASSERT_GT(popup->numberOfItems(), c.index) << c.fixture;
    EXPECT_EQ(popup->itemAtIndex(c.index)->title, c.text) << c.fixture;
    EXPECT_EQ((*row.rows[0].choices)[static_cast<size_t>(c.index)][colorpane::kChoiceText], c.text);
  }
}

TEST_F(PaneTest, CheckBoxReadsStoredTextsAndWritesItsChoice) {
  TestHost host(panetest::mainPPD());
  OneRow row(host.ppd, std::make_shared<pdk::Button>(pdk::Button::Style::CheckBox), colorpane::kCtlCheckBox,
             "ZNEconoMode");
  struct Case {
    pdk::Value stored;
    int32_t checked;
  } cases[] = {{"True", 1}, {"TRUE", 1}, {"true", 1}, {"False", 0}, {"yes", 0}, {" True", 0}, {int64_t{1}, 0}};
  for (auto& c : cases)
    EXPECT_EQ(PDECommon::commonGetTicketValueWithSInt32(&row.rows[0], "ZNEconoMode", c.stored), c.checked);

  auto* box = static_cast<pdk::Button*>(row.view.get());
  box->setState(1);
  EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&row.rows[0]), 0);  // "True" is choice 0
  EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&row.rows[0]).value_or(""), "On");
  host.settings.setValue("unrelated", pdk::Value("x"));
  PDECommon::commonSyncTicketFromPane(&host.settings, &host.session, row.rows);
  EXPECT_EQ(host.printerDict().get("ZNEconoMode").asString(), "True");
  EXPECT_EQ(host.settings.getValue("ZNEconoMode").asString(), "True");

  // Without the option's True/False choices the check box has no value.
  PDEControlRow noChoices = row.rows[0];
  noChoices.choices = nullptr;
  EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&noChoices), -1);
  EXPECT_FALSE(PDECommon::commonGetControlValueFromPPDWithNSString(&noChoices));
}

TEST_F(PaneTest, SetControlValueIgnoresIndexesBeyondTheMenu) {
  TestHost host(panetest::mainPPD());
  OneRow row(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNEdgeType");
  auto* popup = static_cast<pdk::PopUpButton*>(row.view.get());
  PDECommon::commonSetControlValueWithSInt32(&row.rows[0], 3);
  EXPECT_EQ(popup->indexOfSelectedItem(), 3);
  PDECommon::commonSetControlValueWithSInt32(&row.rows[0], 4);
  EXPECT_EQ(popup->indexOfSelectedItem(), 3);
  PDECommon::commonSetControlValueWithSInt32(&row.rows[0], -1);
  EXPECT_EQ(popup->indexOfSelectedItem(), -1);
  EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&row.rows[0]), -1);
  EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&row.rows[0]).value_or("?"), "");
  EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(nullptr), 0);
}

TEST(PDECommonValues, RuleValuesOfPopUpsAreOneBased) {
  PDEControlRow popup = {nullptr, colorpane::kCtlPopUp, "", nullptr, nullptr, "", 0, nullptr};
  PDEControlRow box = {nullptr, colorpane::kCtlCheckBox, "", nullptr, nullptr, "", 0, nullptr};
  struct Case {
    const PDEControlRow* row;
    int32_t in, to, from;
  } cases[] = {{&popup, -1, 0, 0}, {&popup, 0, 1, 0}, {&popup, 3, 4, 2}, {&box, 0, 0, 0}, {&box, 1, 1, 1}};
  for (auto& c : cases) {
    EXPECT_EQ(PDECommon::commonConvertToCSTValue(c.row, c.in), c.to);
    EXPECT_EQ(PDECommon::commonConvertFromCSTValue(c.row, c.in), c.from);
  }
}

TEST_F(PaneTest, PrinterDictionaryIsCreatedAndSharedWithTheSettings) {
  TestHost host(panetest::mainPPD(), "Office");
  pdk::Value dict = PDECommon::commonGetModelDictionary(&host.settings, &host.session);
  ASSERT_TRUE(dict.isDictionary());
  dict.set("probe", pdk::Value("1"));
  // Changed in place: the print settings hold the same object.
  EXPECT_EQ(host.printerDict().get("probe").asString(), "1");
  EXPECT_TRUE(PDECommon::commonGetModelDictionary(&host.settings, &host.session).sameObject(dict));

  // No current printer, or something else under the product key: no dictionary.
  TestHost noPrinter(panetest::mainPPD(), "");
  EXPECT_TRUE(PDECommon::commonGetModelDictionary(&noPrinter.settings, &noPrinter.session).isNull());
  TestHost clobbered(panetest::mainPPD());
  clobbered.settings.setValue("TLQ770-1", pdk::Value("not a dictionary"));
  EXPECT_TRUE(PDECommon::commonGetModelDictionary(&clobbered.settings, &clobbered.session).isNull());
  EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&clobbered.settings, &clobbered.session, nullptr), 0);
  EXPECT_EQ(PDECommon::commonGetPPDProductName(nullptr), "TLQ770-1");
}

TEST_F(PaneTest, ReadingSettingsSkipsBadValuesRowByRow) {
  TestHost host(panetest::mainPPD());
  OneRow quick(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNQuickColor");
  OneRow edge(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNEdgeType");
  OneRow bright(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNBrightness");
  PDEControlRow table[] = {quick.rows[0], edge.rows[0], bright.rows[0], colorpane::kTerminatorRow};
  for (auto* r : {&quick, &edge, &bright}) static_cast<pdk::PopUpButton*>(r->view.get())->selectItemAtIndex(1);

  pdk::Value dict = PDECommon::commonGetModelDictionary(&host.settings, &host.session);
  dict.set("ZNQuickColor", pdk::Value(int64_t{2}));  // not a string: unchanged
  dict.set("ZNEdgeType", pdk::Value("Strong"));      // a string: set
  // ZNBrightness absent: the PPD default ("Normal", index 3)
  PDECommon::commonSyncPaneFromTicket(&host.settings, &host.session, table);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(quick.view.get())->indexOfSelectedItem(), 1);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(edge.view.get())->indexOfSelectedItem(), 3);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(bright.view.get())->indexOfSelectedItem(), 3);

  // A choice the PPD does not offer leaves the control as it is.
  dict.set("ZNEdgeType", pdk::Value("Blurry"));
  PDECommon::commonSyncPaneFromTicket(&host.settings, &host.session, table);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(edge.view.get())->indexOfSelectedItem(), 3);
  // Every entry of the per-printer dictionary reaches the top level.
  EXPECT_EQ(host.settings.getValue("ZNEdgeType").asString(), "Blurry");
}

TEST_F(PaneTest, ProfilePopUpWritesItsCustomFlag) {
  TestHost host(panetest::mainPPD());
  OneRow dest(host.ppd, std::make_shared<pdk::PopUpButton>(), colorpane::kCtlPopUp, "ZNImageDestinationProfile", 2);
  pdk::Value dict = PDECommon::commonGetModelDictionary(&host.settings, &host.session);
  dict.set("ZNImageDestinationProfileCustomFilename", pdk::Value("2?61746131612?"));
  static_cast<pdk::PopUpButton*>(dest.view.get())->selectItemAtIndex(1);
  PDECommon::commonSyncTicketFromPane(&host.settings, &host.session, dest.rows);
  EXPECT_EQ(dict.get("ZNImageDestinationProfile").asString(), "Default");
  EXPECT_EQ(dict.get("ZNImageDestinationProfileCustom").asString(), "False");
  // The older file name stays and is ignored.
  EXPECT_EQ(dict.get("ZNImageDestinationProfileCustomFilename").asString(), "2?61746131612?");

  // A stored "True" whose profile is not in the list reads as the PPD default.
  dict.set("ZNImageDestinationProfileCustom", pdk::Value("True"));
  PDECommon::commonSyncPaneFromTicket(&host.settings, &host.session, dest.rows);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(dest.view.get())->indexOfSelectedItem(), 0);
  // A lower-case "true" is no flag: the stored PPD choice is read instead.
  dict.set("ZNImageDestinationProfileCustom", pdk::Value("true"));
  dict.set("ZNImageDestinationProfile", pdk::Value("Photo"));
  PDECommon::commonSyncPaneFromTicket(&host.settings, &host.session, dest.rows);
  EXPECT_EQ(static_cast<pdk::PopUpButton*>(dest.view.get())->indexOfSelectedItem(), 2);
}

TEST_F(PaneTest, CompoundTableJoinsRowsAndSharesChoices) {
  auto panel = openPanel();
  PDEControlRow* basic = panel->onColorView->getControlData();
  PDEControlRow* advanced = panel->onAdvancedView->getControlData();
  EXPECT_EQ(colorpane::_DEBUGControlTable(basic), 11);
  EXPECT_EQ(colorpane::_DEBUGControlTable(advanced), 47);
  PDEControlRow* compound = panel->compoundTable();
  ASSERT_EQ(colorpane::_DEBUGControlTable(compound), 57);
  EXPECT_EQ(compound[56].kind, colorpane::kCtlTerminator);
  EXPECT_EQ(compound[0].choices, basic[0].choices);
  EXPECT_EQ(compound[10].control, advanced[0].control);
  EXPECT_EQ(panel->painChange->getControlCountEachView(), 58);

  PDEControlRow empty[] = {colorpane::kTerminatorRow};
  PDEControlRow* tables[] = {empty, basic};
  PDEControlRow* joined = PDECommon::commonControlTableCompound(tables, 2);
  EXPECT_EQ(colorpane::_DEBUGControlTable(joined), 11);
  delete[] joined;
}

TEST_F(PaneTest, AddPPDArrayRefusesANonArray) {
  auto panel = openPanel();
  EXPECT_EQ(PDECommon::commonAddPPDArray(pdk::Value(), panel->onColorView->getControlData()), -50);
  pdk::Value keys = pdk::Value::array();
  panel->onColorView->addPPDArray(keys);
  std::vector<std::string> names;
  for (size_t i = 0; i < keys.count(); ++i) names.push_back(keys.at(i).asString());
  EXPECT_EQ(names, (std::vector<std::string>{"ZNQuickColor", "ZNBrightness", "ZNColorAsGray", "ZNEconoMode",
                                             "ZNEdgeType", "ZNGlossyMode"}));
}

TEST_F(PaneTest, SummarySkipsRowsWithoutAValue) {
  // This PPD lacks the edge type and glossy mode: neither control has a value.
  auto panel = openPanel(panetest::fixturePPD("missing_keyword.ppd"));
  pdk::Value dict = pdk::Value::dictionary(), order = pdk::Value::array();
  EXPECT_EQ(PDECommon::commonGetSummaryText(panel->onColorView->getControlData(), dict, order), 206);
  EXPECT_EQ(order.count(), 4u);
  EXPECT_FALSE(dict.contains("Edge Type"));
  EXPECT_FALSE(dict.contains("Glossy Mode"));
  EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(nullptr, "x", dict, order), -50);
}
