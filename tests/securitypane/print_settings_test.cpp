// Print settings, page format and job ticket access: the per-printer
// settings dictionary, typed reads, orientation codes, paper facts and the
// small value helpers.
#include "securitypane/framework/print_settings_access.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "../platform/temp_dir.h"
#include "framework_fixture.h"
#include "pdk/plist.h"
#include "securitypane/framework/cf_utilities.h"
#include "securitypane/framework/job_ticket.h"
#include "securitypane/framework/paper_info.h"
#include "securitypane/framework/status.h"

namespace {

using namespace securityframework;
using frameworktest::Dialog;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;

TEST(CoreSession, InitializeNamesProductPrinterAndPapers) {
  Dialog dialog(mainPPD());
  EXPECT_EQ(PDECoreGetPPDProductNameArgument(&dialog.session), "TLQ770-1");
  EXPECT_EQ(PDECoreGetPrintQueueNameArgument(&dialog.session), "Office");
  EXPECT_EQ(PDECoreGetPPDPapers(&dialog.session)->keyword, "PageSize");
  EXPECT_EQ(ZNGetPMPrintSession(&dialog.session), &dialog.host.session);
  EXPECT_EQ(PDECoreOnInitialize(nullptr), kParamErr);
}

TEST(ModelDictionary, FirstUseMakesTheModelAndPrinterEntries) {
  Dialog dialog(mainPPD());
  ASSERT_TRUE(dialog.host.settings.getValue("TLQ770-1").isNull());
  pdk::Value office = PDECoreGetModelDictionary(&dialog.session);
  ASSERT_TRUE(office.isDictionary());
  EXPECT_EQ(office.count(), 0u);
  EXPECT_TRUE(dialog.host.printerDict().sameObject(office));
  // The same dictionary again, changed in place.
  office.set("PrintModeTLQ770", "Secure");
  EXPECT_TRUE(PDECoreGetModelDictionary(&dialog.session).sameObject(office));
}

TEST(ModelDictionary, TwoPrintersKeepSeparateDictionaries) {
  Dialog office(mainPPD());
  PDECoreGetModelDictionary(&office.session).set("PrintModeTLQ770", "Secure");
  // A second dialog on the same settings for another printer.
  ZNPDECoreContext context;
  context.ppdProductName = "TLQ770-1";
  context.printQueueName = "Lab";
  ZNPDECoreSession lab{nullptr, &office.host, &context, nullptr};
  PDECoreGetModelDictionary(&lab).set("PrintModeTLQ770", "Proof");
  EXPECT_EQ(office.host.printerDict("Office").get("PrintModeTLQ770").asString(), "Secure");
  EXPECT_EQ(office.host.printerDict("Lab").get("PrintModeTLQ770").asString(), "Proof");
}

TEST(ModelDictionary, NoneWithoutPrinterOrWritableSettings) {
  Dialog noPrinter(mainPPD());
  noPrinter.context.printQueueName.clear();
  EXPECT_TRUE(PDECoreGetModelDictionary(&noPrinter.session).isNull());

  Dialog locked(mainPPD());
  locked.host.settings.locked = true;
  EXPECT_TRUE(PDECoreGetModelDictionary(&locked.session).isNull());

  // A value of another type under the product key is not a dictionary.
  Dialog clash(mainPPD());
  clash.host.settings.setValue("TLQ770-1", "text");
  EXPECT_TRUE(PDECoreGetModelDictionary(&clash.session).isNull());
  std::string value;
  EXPECT_EQ(PDECustomGetJobTicketPPDDict(&clash.session, "PrintModeTLQ770", &value), -1);
}

TEST(PrintSettingsReads, TypedValues) {
  pdk::PrintSettings settings;
  settings.setValue("s", "text");
  settings.setValue("b", true);
  settings.setValue("n", 7);
  settings.setValue("big", int64_t{1} << 40);
  std::string s;
  bool b = false;
  int32_t n = 0;
  EXPECT_EQ(ZNPrintSettingsGetString(&settings, "s", &s), 0);
  EXPECT_EQ(s, "text");
  EXPECT_EQ(ZNPrintSettingsGetBoolean(&settings, "b", &b), 0);
  EXPECT_TRUE(b);
  EXPECT_EQ(ZNPrintSettingsGetSInt32(&settings, "n", &n), 0);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(ZNPrintSettingsGetSInt32(&settings, "big", &n), 0);
  EXPECT_EQ(n, INT32_MAX);
  // Another type: -1, the out value untouched.
  s = "kept";
  EXPECT_EQ(ZNPrintSettingsGetString(&settings, "n", &s), -1);
  EXPECT_EQ(s, "kept");
  EXPECT_EQ(ZNPrintSettingsGetBoolean(&settings, "s", &b), -1);
  EXPECT_EQ(ZNPrintSettingsGetSInt32(&settings, "b", &n), -1);
  // No value: the platform's status.
  EXPECT_EQ(ZNPrintSettingsGetString(&settings, "none", &s), pdk::kPMKeyNotFound);
  EXPECT_TRUE(ZNIsPrintSettingsItem(&settings, "s"));
  EXPECT_FALSE(ZNIsPrintSettingsItem(&settings, "none"));
  pdk::Value raw;
  EXPECT_EQ(ZNPrintSettingsGetCFDictionary(&settings, "n", &raw), 0);  // no type check
  EXPECT_EQ(raw.asInteger(), 7);
  EXPECT_EQ(ZNPrintSettingsSetItem(&settings, 0, "x", pdk::Value(1), true), 0);
  EXPECT_TRUE(ZNIsPrintSettingsItem(&settings, "x"));
}

TEST(PageFormatReads, OrientationCodes) {
  struct Case {
    int orientation;
    int32_t code;
  };
  const Case cases[] = {{1, 1}, {2, 2}, {3, 4}, {4, 3}, {0, -1}, {5, -1}};
  for (const auto& c : cases) {
    pdk::PageFormat format;
    format.orientation = c.orientation;
    int32_t value = 0;
    EXPECT_EQ(ZNPageFormatGetSInt32(&format, "com.apple.print.PageFormat.PMOrientation", &value), 0);
    EXPECT_EQ(value, c.code) << c.orientation;
  }
  pdk::PageFormat format;
  int32_t value = 0;
  EXPECT_EQ(ZNPageFormatGetSInt32(&format, "com.apple.print.PageFormat.PMScaling", &value), -1);
}

TEST(JobTicketReads, NumbersStringsAndTheirFailures) {
  Dialog dialog(mainPPD());
  dialog.host.settings.setValue("com.apple.print.PrintSettings.PMCopies", 3);
  dialog.host.settings.setValue("root", "top");
  dialog.host.format.orientation = pdk::kPMReversePortrait;
  int32_t n = 0;
  EXPECT_EQ(PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(&dialog.session, "com.apple.print.PrintSettings.PMCopies", &n), 0);
  EXPECT_EQ(n, 3);
  EXPECT_NE(PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(&dialog.session, "root", &n), 0);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(&dialog.session, nullptr, &n), kKeyNotAString);
  EXPECT_EQ(PDECustomGetJobTicketSInt32DictPMPrintSettingsRef(&dialog.session, "\xff", &n), kKeyNotAString);
  EXPECT_EQ(PDECustomGetJobTicketSInt32DictPMPageFormatRef(&dialog.session, "com.apple.print.PageFormat.PMOrientation", &n), 0);
  EXPECT_EQ(n, 4);

  std::string s;
  EXPECT_EQ(PDECustomGetJobTicketPPDDictRoot(&dialog.session, "root", &s), 0);
  EXPECT_EQ(s, "top");
  EXPECT_EQ(PDECustomGetJobTicketPPDDict(&dialog.session, "root", &s), -1);  // not per printer
  EXPECT_EQ(PDECustomSetJobTicketPPDDict(&dialog.session, "PrintModeTLQ770", "Stored"), 0);
  EXPECT_EQ(PDECustomGetJobTicketPPDDict(&dialog.session, "PrintModeTLQ770", &s), 0);
  EXPECT_EQ(s, "Stored");
  EXPECT_TRUE(dialog.host.marked("PrintModeTLQ770", "Stored"));
}

TEST(PaperFacts, CustomSizeRangeIncludesItsBounds) {
  // The PPD allows 216 to 612 points wide and 360 to 1008 long.
  struct Case {
    pdk::PMRect rect;
    bool within;
  };
  const Case cases[] = {
      {{0, 0, 1008, 612}, true},     {{0, 0, 360, 216}, true},    {{-12, -12, 488, 288}, true},
      {{0, 0, 1008, 612.5}, false},  {{0, 0, 359, 300}, false},   {{0, 0, 1009, 300}, false},
      {{1008, 612, 0, 0}, true},  // corners the other way round
  };
  Dialog dialog(mainPPD());
  for (const auto& c : cases) {
    EXPECT_EQ(IsCustomPaperSizeWithinRange(&dialog.session, c.rect), c.within)
        << c.rect.right - c.rect.left << " x " << c.rect.bottom - c.rect.top;
  }
  // No custom sizes, or no PPD: no range.
  Dialog fixed(fixturePPD("extra_paper_size.ppd"));
  EXPECT_FALSE(IsCustomPaperSizeWithinRange(&fixed.session, pdk::PMRect{0, 0, 500, 300}));
  ZNPDECoreSession noHost;
  EXPECT_FALSE(IsCustomPaperSizeWithinRange(&noHost, pdk::PMRect{0, 0, 500, 300}));
}

TEST(PaperFacts, FitToPageAndDestinationPaper) {
  Dialog dialog(mainPPD());
  std::string name = "unchanged";
  EXPECT_FALSE(IsDocumentUseFitToPage(&dialog.session));
  EXPECT_EQ(GetDestinationPaperName(&dialog.session, &name), kPMInvalidType);
  dialog.host.settings.setValue("com.apple.print.PageToPaperMappingType", 1);
  EXPECT_FALSE(IsDocumentUseFitToPage(&dialog.session));
  dialog.host.settings.setValue("com.apple.print.PageToPaperMappingType", 2);
  EXPECT_TRUE(IsDocumentUseFitToPage(&dialog.session));
  dialog.host.settings.setValue("com.apple.print.PageToPaperMappingMediaName", 4);
  EXPECT_EQ(GetDestinationPaperName(&dialog.session, &name), kPMInvalidType);
  EXPECT_EQ(name, "unchanged");
  dialog.host.settings.setValue("com.apple.print.PageToPaperMappingMediaName", "A5");
  EXPECT_EQ(GetDestinationPaperName(&dialog.session, &name), 0);
  EXPECT_EQ(name, "A5");
}

TEST(PaperFacts, DocumentPaper) {
  Dialog dialog(mainPPD());
  dialog.host.format.paper = pdk::Paper{"A4", 595, 842, 10, 20, 30, 40, "A4 (ISO)"};
  dialog.host.format.orientation = pdk::kPMLandscape;
  std::string name;
  bool found = true;
  EXPECT_EQ(GetDocumentPaperName(&dialog.session, &name, &found), 0);
  EXPECT_EQ(name, "A4 (ISO)");
  EXPECT_FALSE(found);
  pdk::PMRect rect;
  EXPECT_EQ(GetDocumentPaperRect(&dialog.session, &rect), 0);
  // Not rotated by the landscape orientation.
  EXPECT_EQ(rect.right - rect.left, 595);
  EXPECT_EQ(rect.bottom - rect.top, 842);
  int32_t orientation = 0;
  EXPECT_EQ(GetDocumentOrientation(&dialog.session, &orientation), 0);
  EXPECT_EQ(orientation, pdk::kPMLandscape);

  dialog.host.format.paper = pdk::Paper();
  EXPECT_EQ(GetDocumentPaperName(&dialog.session, &name, &found), kPMInvalidType);
  ZNPDECoreSession noHost;
  EXPECT_EQ(GetDocumentPaperRect(&noHost, &rect), -1);
}

TEST(PaperFacts, PaperRecordedInTheSettings) {
  Dialog dialog(mainPPD());
  std::optional<std::string> name = "stale";
  EXPECT_EQ(ZNPrintSettingsGetPaperName(&dialog.session, &dialog.host.settings, &name), 0);
  EXPECT_EQ(name, std::nullopt);
  pdk::PageFormat a5;
  a5.paper = pdk::Paper{"A5", 420, 595, 12, 12, 12, 12};
  dialog.host.settings.assign(pdk::PMPageFormatCreateDataRepresentation(&a5));
  EXPECT_EQ(ZNPrintSettingsGetPaperName(&dialog.session, &dialog.host.settings, &name), 0);
  EXPECT_EQ(name, "A5");
  EXPECT_EQ(ZNPrintSettingsGetPaperName(&dialog.session, nullptr, &name), kParamErr);
}

TEST(PaperFacts, CustomPaperNamesFromTheUsersList) {
  pdktest::TempDir home;
  const char* oldHome = getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  setenv("HOME", home.path().c_str(), 1);
  pdk::Value papers = pdk::Value::dictionary();
  pdk::Value paper = pdk::Value::dictionary();
  paper.set("name", "Postcard");
  papers.set("PMCustomPaper.1", paper);
  papers.set("PMCustomPaper.2", "not a dictionary");
  pdktest::writeFile(home.file("Library/Preferences/com.apple.print.custompapers.plist"), pdk::plistToXml(papers));

  struct Case {
    const char* id;
    const char* name;
    bool found;
  };
  const Case cases[] = {
      {"PMCustomPaper.1", "Postcard", true},
      {"PMCustomPaper.2", "PMCustomPaper.2", false},
      {"PMCustomPaper.3", "PMCustomPaper.3", false},
  };
  for (const auto& c : cases) {
    std::string name;
    bool found = !c.found;
    EXPECT_EQ(GetCustomPaperNameFromPlist(c.id, &name, &found), 0);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(found, c.found) << c.id;
  }
  if (oldHome) {
    setenv("HOME", savedHome.c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

TEST(ValueHelpers, StringComparison) {
  const std::string a4 = "A4", lower = "a4", other = "A5";
  EXPECT_TRUE(CFStringEqualTo(&a4, &lower, false));
  EXPECT_FALSE(CFStringEqualTo(&a4, &lower, true));
  EXPECT_FALSE(CFStringEqualTo(&a4, &other, false));
  EXPECT_FALSE(CFStringEqualTo(&a4, nullptr, false));
  EXPECT_TRUE(CFStringEqualTo(std::string("\xC3\x89t\xC3\xA9"), std::string("\xC3\xA9T\xC3\x89"), false));
  EXPECT_TRUE(CFStringIsEmpty(nullptr));
  const std::string empty;
  EXPECT_TRUE(CFStringIsEmpty(&empty));
  EXPECT_FALSE(CFStringIsEmpty(&a4));
  EXPECT_EQ(CFStringCreateWithIntValue(-42), "-42");
}

TEST(ValueHelpers, TypedLookups) {
  pdk::Value dictionary = pdk::Value::dictionary();
  dictionary.set("d", pdk::Value::dictionary());
  dictionary.set("a", pdk::Value::array());
  dictionary.set("s", "text");
  dictionary.set("n", 1.5);
  dictionary.set("b", false);
  struct Case {
    const char* key;
    int32_t type;
    bool found;
  };
  const Case cases[] = {
      {"d", kCFTypeDictionary, true}, {"a", kCFTypeArray, true},   {"s", kCFTypeString, true},
      {"n", kCFTypeNumber, true},     {"b", kCFTypeBoolean, true}, {"s", kCFTypeNumber, false},
      {"s", kCFTypeURL, false},       {"b", 99, true},             {"none", 99, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!CFDictionaryGetValueWithType(dictionary, c.key, c.type).isNull(), c.found) << c.key << " " << c.type;
    pdk::Value out;
    EXPECT_EQ(CFDictionaryGetValueIfPresentWithType(dictionary, c.key, c.type, &out), c.found);
  }
  EXPECT_TRUE(CFDictionaryGetValueWithType(pdk::Value::dictionary(), "s", 99).isNull());

  pdk::Value array = pdk::Value::array();
  CoArrayAddObject(array, pdk::Value("x"));
  CoArrayAddObject(array, pdk::Value(2));
  EXPECT_EQ(CFArrayGetValueAtIndexWithType(array, 0, kCFTypeString).asString(), "x");
  EXPECT_TRUE(CFArrayGetValueAtIndexWithType(array, 1, kCFTypeString).isNull());
  EXPECT_TRUE(CFArrayGetValueAtIndexWithType(array, 2, 99).isNull());
  EXPECT_TRUE(CFArrayGetValueAtIndexWithType(array, -1, 99).isNull());
}

}  // namespace
