// The user's saved options and the PPD record: saved options become the
// defaults the panes start from, and only PPD choices are ever saved back.
#include "cups_user_defaults.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";

// The bundled PPD, opened with its defaults marked as the dialog opens it.
struct BundledPPD {
  BundledPPD() : ppd(ppdOpenFile(kPPD.c_str())) {
    if (ppd) ppdMarkDefaults(ppd);
  }
  ~BundledPPD() {
    if (ppd) ppdClose(ppd);
  }
  std::string defaultOf(const char* keyword) const {
    ppd_option_t* option = ppdFindOption(ppd, keyword);
    return option ? option->defchoice : "";
  }
  ppd_file_t* ppd;
};

TEST(SavedOptions, BecomeThePPDsDefaultsAndMarks) {
  struct Case {
    const char* name;
    const char* value;
    const char* keyword;        // the PPD option that must change
    const char* defaultChoice;  // its default choice afterwards
  } cases[] = {
      {"ZNBrightness", "Plus10", "ZNBrightness", "Plus10"},
      {"ZNQuickColor", "_Custom", "ZNQuickColor", "_Custom"},
      // "Custom" is no choice of the record (libcups renames it), as for lp.
      {"ZNQuickColor", "Custom", "ZNQuickColor", "Standard"},
      // Letter case as a user may type it; the record's spelling is kept.
      {"zneconomode", "TRUE", "ZNEconoMode", "True"},
      {"ZNGlossyMode", "true", "ZNGlossyMode", "True"},
      // IPP names map to their PPD options, as lp maps them.
      {"media", "A4", "PageSize", "A4"},
      {"ZNEdgeType", "Sharpest", "ZNEdgeType", "Standard"},
  };
  for (const Case& c : cases) {
    BundledPPD bundled;
    ASSERT_NE(bundled.ppd, nullptr);
    cups_option_t* options = nullptr;
    int count = cupsAddOption(c.name, c.value, 0, &options);
    count = cupsAddOption("device-uri", "lpd://127.0.0.1/queue", count, &options);  // a queue attribute
    applySavedOptions(bundled.ppd, count, options);
    cupsFreeOptions(count, options);

    EXPECT_EQ(bundled.defaultOf(c.keyword), c.defaultChoice) << c.name << "=" << c.value;
    EXPECT_TRUE(ppdIsMarked(bundled.ppd, c.keyword, c.defaultChoice)) << c.name << "=" << c.value;
    EXPECT_EQ(bundled.defaultOf("ZNSimSource"), "None");  // options not named keep their defaults
  }
}

TEST(SavedOptions, OnlyPPDChoicesAreSavedBack) {
  BundledPPD bundled;
  ASSERT_NE(bundled.ppd, nullptr);
  pdk::Value model = pdk::Value::dictionary();
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  settings.set("ZNQuickColor", pdk::Value("_Custom"));
  settings.set("znbrightness", pdk::Value("plus10"));
  settings.set("PrintModeTLQ770", pdk::Value("Secure"));
  settings.set("ZNEdgeType", pdk::Value("Sharpest"));  // no choice of the option
  settings.set("ZNImageRGBSourceCustom", pdk::Value("True"));
  settings.set("ZNImageRGBSourceCustomFilename", pdk::Value("2?61746131612?"));
  settings.set("quorlin.printers.TLQ770-1.password", pdk::Value("A1B2C3"));
  settings.set("ZNGlossyMode", pdk::Value(true));  // not a string

  const std::vector<PPDChoice> expected = {
      {"PrintModeTLQ770", "Secure"}, {"ZNQuickColor", "_Custom"}, {"ZNBrightness", "Plus10"}};
  EXPECT_EQ(ppdChoicesInSettings(bundled.ppd, settings), expected);
  EXPECT_TRUE(ppdChoicesInSettings(nullptr, settings).empty());
}

}  // namespace
