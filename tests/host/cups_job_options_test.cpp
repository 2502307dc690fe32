// The job options made from the print settings: every top-level string
// entry, nothing else, and a refusal for entries CUPS would change.
#include "cups_job_options.h"

#include <gtest/gtest.h>

namespace {

TEST(JobOptions, EveryTopLevelStringEntryTravelsUnchanged) {
  pdk::Value perPrinter = pdk::Value::dictionary();
  perPrinter.set("ZNQuickColor", pdk::Value("Photo"));
  pdk::Value model = pdk::Value::dictionary();
  model.set("tlq", perPrinter);

  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);  // the panes' own dictionary stays home
  settings.set("ZNQuickColor", pdk::Value("_Custom"));
  settings.set("ZNEconoMode", pdk::Value("True"));
  settings.set("ZNImageRGBSourceCustomFilename", pdk::Value("2?61746131612?"));
  settings.set("quorlin.printers.TLQ770-1.userName", pdk::Value("41424344"));
  settings.set("Note", pdk::Value("a, b 'c' \"d\" \\ é"));
  settings.set("Empty", pdk::Value(""));
  settings.set("com.apple.print.PageFormat.PMOrientation", pdk::Value(1));  // not a string
  settings.set("Flag", pdk::Value(true));

  std::vector<JobOption> options;
  std::string error;
  ASSERT_TRUE(jobOptionsFromSettings(settings, &options, &error)) << error;
  std::vector<std::pair<std::string, std::string>> got;
  for (auto& o : options) got.emplace_back(o.name, o.value);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Empty", ""},
      {"Note", "a, b 'c' \"d\" \\ é"},
      {"ZNEconoMode", "True"},
      {"ZNImageRGBSourceCustomFilename", "2?61746131612?"},
      {"ZNQuickColor", "_Custom"},
      {"quorlin.printers.TLQ770-1.userName", "41424344"},
  };
  EXPECT_EQ(got, expected);
}

TEST(JobOptions, EntriesCUPSWouldChangeStopThePrint) {
  struct Case {
    std::string name, value, reason;
  } cases[] = {
      {"", "x", "not a CUPS option name"},
      {"two words", "x", "not a CUPS option name"},
      {"a=b", "x", "not a CUPS option name"},
      {"Größe", "x", "not a CUPS option name"},
      {"tab\tname", "x", "not a CUPS option name"},
      {"ZNNote", "line\nbreak", "control character"},
      {"ZNNote", std::string("nul\0x", 5), "control character"},
      {"ZNNote", "\x7f", "control character"},
      {"ZNNote", "{a=1}", "collection"},
      {"ZNNote", "\xff\xfe", "not UTF-8"},
  };
  for (const Case& c : cases) {
    pdk::Value settings = pdk::Value::dictionary();
    settings.set("ZNQuickColor", pdk::Value("Photo"));
    settings.set(c.name, pdk::Value(c.value));
    std::vector<JobOption> options;
    std::string error;
    EXPECT_FALSE(jobOptionsFromSettings(settings, &options, &error)) << c.name;
    EXPECT_NE(error.find("'" + c.name + "'"), std::string::npos) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

}  // namespace
