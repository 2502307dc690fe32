// End-to-end runs of the printdialog program with the built colour pane:
// settings written and read back, summaries, control state and bad input.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "pdk/plist.h"
#include "pdk/task.h"
#include "printdialog_run.h"

namespace {

using hosttest::kPPD;
using hosttest::quote;

std::string fixture(const std::string& name) { return std::string(TLQ_SOURCE_DIR) + "/tests/fixtures/" + name; }

class PrintDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/printdialog-test-XXXXXX";
    dir_ = mkdtemp(tmpl);
    setenv("TLQ770_ROOT", dir_.c_str(), 1);  // no helper program there
  }
  void TearDown() override {
    unsetenv("TLQ770_ROOT");
    (void)std::system(("rm -rf " + quote(dir_)).c_str());
  }

  // Run printdialog with `args`; standard error joins standard output.
  pdk::TaskResult run(const std::vector<std::string>& args) { return hosttest::runPrintDialog(args); }

  nlohmann::json runJson(const std::vector<std::string>& args) {
    pdk::TaskResult r = run(args);
    EXPECT_EQ(r.exitStatus, 0) << r.output;
    return nlohmann::json::parse(r.output, nullptr, false);
  }

  std::string dir_;
};

TEST_F(PrintDialog, CustomPresetWithEconomyIsWrittenPerPrinterAndAtTopLevel) {
  std::string out = dir_ + "/s.plist";
  pdk::TaskResult r = run({"--ppd", kPPD, "--printer-id", "Office", "--do", "select color.menu_QuickColor 3", "--do",
                           "check color.check_EconomyPrint on", "--out", out, "--summary"});
  ASSERT_EQ(r.exitStatus, 0) << r.output;

  pdk::Value settings = pdk::readPlistFile(out);
  pdk::Value office = settings.get("TLQ770-1").get("Office");
  ASSERT_TRUE(office.isDictionary());
  const std::pair<const char*, const char*> basic[] = {
      {"ZNQuickColor", "_Custom"},  {"ZNBrightness", "Normal"}, {"ZNColorAsGray", "False"},
      {"ZNEconoMode", "True"},      {"ZNEdgeType", "Standard"}, {"ZNGlossyMode", "False"}};
  for (auto& [key, choice] : basic) {
    EXPECT_EQ(office.get(key).asString(), choice) << key;
    EXPECT_EQ(settings.get(key).asString(), choice) << key;
  }

  nlohmann::json summary = nlohmann::json::parse(r.output);
  auto& order = summary["color"]["order"];
  ASSERT_EQ(order.size(), 27u);
  EXPECT_EQ(order[0], "Quick Color");
  EXPECT_EQ(order[3], "Economy Mode");
  EXPECT_EQ(summary["color"]["items"]["Quick Color"], "Custom");
  EXPECT_EQ(summary["color"]["items"]["Economy Mode"], "On");
}

TEST_F(PrintDialog, PresetTwoWithEconomyMapsTheAdvancedItems) {
  std::string out = dir_ + "/s.plist";
  nlohmann::json summary = runJson({"--ppd", kPPD, "--printer-id", "Office", "--do", "select color.menu_QuickColor 2",
                                    "--do", "check color.check_EconomyPrint on", "--out", out, "--summary"});
  auto& order = summary["color"]["order"];
  ASSERT_EQ(order.size(), 27u);
  std::set<std::string> unique(order.begin(), order.end());
  EXPECT_EQ(unique.size(), 27u);
  EXPECT_EQ(summary["color"]["items"]["Image EdgeEnhance"], "Off");
  EXPECT_EQ(summary["color"]["items"]["Graphics EdgeEnhance"], "Off");
  EXPECT_EQ(summary["color"]["items"]["Text EdgeEnhance"], "On");
  EXPECT_EQ(summary["color"]["items"]["Image Halftone"], "Detail");

  pdk::Value office = pdk::readPlistFile(out).get("TLQ770-1").get("Office");
  EXPECT_EQ(office.get("ZNImageEdgeEnhance").asString(), "Off");
  EXPECT_EQ(office.get("ZNGraphicsEdgeEnhance").asString(), "Off");
  EXPECT_EQ(office.get("ZNTextEdgeEnhance").asString(), "On");
  EXPECT_EQ(office.get("ZNImageRenderIntent").asString(), "Saturation");
}

TEST_F(PrintDialog, CustomKeepsTheUsersAdvancedChoices) {
  std::string out = dir_ + "/s.plist";
  pdk::TaskResult r = run({"--ppd", kPPD, "--printer-id", "Office", "--do", "select color.menu_QuickColor 3", "--do",
                           "click color.button_AdvanceColorOptions", "--do", "tab color.tab_SwitchVew 1", "--do",
                           "select color.menu_tHalftone 0", "--out", out});
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  EXPECT_EQ(pdk::readPlistFile(out).get("ZNTextHalftone").asString(), "Smooth");
}

TEST_F(PrintDialog, StateShowsMenusDefaultsAndStoredChoices) {
  // A stored choice from the settings wins over the PPD default.
  std::string in = dir_ + "/in.plist";
  pdk::Value office = pdk::Value::dictionary();
  office.set("ZNBrightness", pdk::Value("Plus10"));
  pdk::Value model = pdk::Value::dictionary();
  model.set("Office", office);
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  ASSERT_TRUE(pdk::writePlistFile(in, settings));

  nlohmann::json state = runJson({"--ppd", kPPD, "--printer-id", "Office", "--settings", in, "--state"});
  auto& color = state["color"];
  EXPECT_EQ(color["view"], "basic");
  auto& quick = color["menu_QuickColor"];
  EXPECT_EQ(quick["kind"], "popup");
  EXPECT_EQ(quick["selected"], 0);
  ASSERT_EQ(quick["items"].size(), 4u);
  EXPECT_EQ(quick["items"][3]["represented"], "_Custom");
  EXPECT_EQ(color["menu_Brightness"]["selected"], 5);
  EXPECT_EQ(color["menu_EdgeStrength"]["title"], "Standard");
  EXPECT_EQ(color["check_EconomyPrint"]["kind"], "checkbox");
  EXPECT_EQ(color["check_EconomyPrint"]["title"], "Economy Mode");
  EXPECT_EQ(color["check_EconomyPrint"]["state"], 0);
  EXPECT_FALSE(color["check_EconomyPrint"].contains("items"));
  EXPECT_EQ(color["text_Strength"]["kind"], "statictext");
  EXPECT_EQ(color["text_Strength"]["title"], "Edge Type:");
  EXPECT_EQ(color["button_AdvanceColorOptions"]["enabled"], false);
  EXPECT_EQ(color["tab_SwitchVew"]["items"][1]["title"], "Text");
}

TEST_F(PrintDialog, StateFollowsTheRules) {
  nlohmann::json gray = runJson({"--ppd", kPPD, "--do", "check color.check_ColorAsGrayscale on", "--state"});
  for (const char* outlet :
       {"menu_iRGBSource", "menu_tRGBIntent", "menu_gRGBGrayTreatment", "menu_iDestinationProfile",
        "menu_sSimulationProfile", "menu_sMatchPaperColor", "menu_sCMYKGrayTreatment"})
    EXPECT_EQ(gray["color"][outlet]["enabled"], false) << outlet;
  EXPECT_EQ(gray["color"]["menu_iHalftone"]["enabled"], true);

  nlohmann::json edge = runJson({"--ppd", kPPD, "--do", "select color.menu_EdgeStrength 0", "--state"});
  for (const char* outlet : {"menu_iEdgeEnhancement", "menu_tEdgeEnhancement", "menu_gEdgeEnhancement"})
    EXPECT_EQ(edge["color"][outlet]["enabled"], false) << outlet;

  nlohmann::json advanced =
      runJson({"--ppd", kPPD, "--do", "select color.menu_QuickColor 3", "--do", "click color.button_AdvanceColorOptions",
               "--state"});
  EXPECT_EQ(advanced["color"]["view"], "advanced");
}

TEST_F(PrintDialog, SettingsWrittenAreReadBack) {
  std::string first = dir_ + "/first.plist";
  ASSERT_EQ(run({"--ppd", kPPD, "--printer-id", "Office", "--do", "select color.menu_EdgeStrength 3", "--do",
                 "check color.check_GlossyMode on", "--out", first})
                .exitStatus,
            0);
  nlohmann::json state = runJson({"--ppd", kPPD, "--printer-id", "Office", "--settings", first, "--state"});
  EXPECT_EQ(state["color"]["menu_EdgeStrength"]["selected"], 3);
  EXPECT_EQ(state["color"]["check_GlossyMode"]["state"], 1);
  // Another printer of the same model keeps its own values.
  nlohmann::json other = runJson({"--ppd", kPPD, "--printer-id", "Lab", "--settings", first, "--state"});
  EXPECT_EQ(other["color"]["menu_EdgeStrength"]["selected"], 2);
}

TEST_F(PrintDialog, PrinterIdDefaultsToThePPDName) {
  pdk::TaskResult r = run({"--ppd", kPPD, "--out", "-"});
  ASSERT_EQ(r.exitStatus, 0);
  EXPECT_TRUE(pdk::plistFromBytes(r.output).get("TLQ770-1").get("TLQ770-1").isDictionary());
}

TEST_F(PrintDialog, APPDWithoutThePanesKeywordsStillOpens) {
  pdk::TaskResult r = run({"--ppd", fixture("missing_keyword.ppd"), "--summary"});
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  nlohmann::json summary = nlohmann::json::parse(r.output);
  EXPECT_FALSE(summary["color"]["items"].contains("Edge Type"));
}

TEST_F(PrintDialog, BadInputIsRefusedWithAMessage) {
  std::string notPlist = dir_ + "/bad.plist";
  ASSERT_EQ(std::system(("echo 'not a property list' > " + quote(notPlist)).c_str()), 0);
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "--ppd is required"},
      {{"--ppd", dir_ + "/missing.ppd"}, "cannot open PPD"},
      {{"--ppd", fixture("not_a_ppd.ppd")}, "cannot read PPD"},
      {{"--ppd", kPPD, "--settings", notPlist}, "not a property list"},
      {{"--ppd", kPPD, "--do", "select scanner.menu_Resolution 1"}, "unknown pane 'scanner'"},
      {{"--ppd", kPPD, "--do", "select color.menu_NoSuch 1"}, "has no control 'menu_NoSuch'"},
      {{"--ppd", kPPD, "--do", "select color.check_EconomyPrint 1"}, "not a pop-up menu"},
      {{"--ppd", kPPD, "--do", "select color.menu_QuickColor 9"}, "no item 9"},
      {{"--ppd", kPPD, "--do", "select color.menu_QuickColor x"}, "not an item index"},
      {{"--ppd", kPPD, "--do", "check color.menu_QuickColor on"}, "not a check box"},
      {{"--ppd", kPPD, "--do", "check color.check_EconomyPrint maybe"}, "on or off"},
      {{"--ppd", kPPD, "--do", "click color.button_AdvanceColorOptions"}, "is disabled"},
      {{"--ppd", kPPD, "--do", "tab color.menu_QuickColor 1"}, "not a tab view"},
      {{"--ppd", kPPD, "--do", "dance color"}, "unknown action"},
      {{"--ppd", kPPD, "--do", "show"}, "takes 1 argument"},
      {{"--ppd", kPPD, "--plugins", dir_}, "no pane could be loaded"},
      {{"--ppd", kPPD, "--bogus"}, "unknown option"},
  };
  for (auto& c : cases) {
    pdk::TaskResult r = run(c.args);
    EXPECT_NE(r.exitStatus, 0) << c.message;
    EXPECT_NE(r.output.find(c.message), std::string::npos) << "expected '" << c.message << "' in: " << r.output;
  }
}

TEST_F(PrintDialog, HelpExplainsOptionsAndActions) {
  pdk::TaskResult r = run({"--help"});
  EXPECT_EQ(r.exitStatus, 0);
  for (const char* word : {"--ppd", "--printer-id", "--device-uri", "--settings", "--plugins", "--do", "--out",
                           "--summary", "--state", "select", "check", "click", "tab", "show", "hide", "save",
                           "restore", "print", "radio", "row", "cell", "type", "paste", "backspace", "clear",
                           "choose", "state", "\\u{HEX}", "Exit status", "modal"})
    EXPECT_NE(r.output.find(word), std::string::npos) << word;
}

TEST_F(PrintDialog, PaneActionsRunThePanelProtocol) {
  // Leaving the pane on the advanced view, "show" brings back the basic one.
  nlohmann::json state = runJson({"--ppd", kPPD, "--do", "select color.menu_QuickColor 3", "--do",
                                  "click color.button_AdvanceColorOptions", "--do", "hide color", "--do",
                                  "show color", "--do", "save color", "--do", "restore color", "--do", "print color",
                                  "--state"});
  EXPECT_EQ(state["color"]["view"], "basic");
  EXPECT_EQ(state["color"]["menu_QuickColor"]["selected"], 3);
}

}  // namespace
