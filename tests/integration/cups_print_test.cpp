// printdialog against a private CUPS scheduler: a queue made from the
// bundled PPD opens the dialog, Print submits a job whose options carry
// every print-settings entry the panes wrote, the printer's filters get
// them, saved options preselect choices, --save-defaults saves PPD choices
// only, and every failure leaves no job behind.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

#include "cups_server.h"
#include "pdk/plist.h"
#include "pdk/system_root.h"
#include "profiles/profile_list.h"
#include "test_support.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace integration {
namespace {

const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";

std::string userName() { return getpwuid(getuid())->pw_name; }

// The printer path of a profile on the printer's disk, as the colour pane
// stores it: each byte as two characters 0x30 + nibble.
std::string nibbleText(const std::string& bytes) {
  std::string text;
  for (unsigned char b : bytes) {
    text += static_cast<char>(0x30 + (b >> 4));
    text += static_cast<char>(0x30 + (b & 0x0F));
  }
  return text;
}

// The user's profile list with one RGB profile on the printer's disk,
// shown in the profile menus.
void writeProfileList(const std::string& fileName, const std::string& profileName) {
  auto rgb = std::make_unique<profiles::ProfileList>();
  profiles::ProfileEntry& e = rgb->entry[rgb->iNum++];
  e.IndexOnDevice = 1;
  e.InMenu = 4;
  e.ProfileClass = 1;
  e.Location = 4;
  std::strncpy(e.FileName, fileName.c_str(), sizeof e.FileName - 1);
  std::strncpy(e.ProfileName, profileName.c_str(), sizeof e.ProfileName - 1);
  auto empty = std::make_unique<profiles::ProfileList>();
  pdk::Value file = pdk::Value::dictionary();
  file.set("RGB", profiles::CreatePropsDictionary(0, rgb.get(), nullptr).get("RGB"));
  file.set("SIM", profiles::CreatePropsDictionary(1, empty.get(), nullptr).get("SIM"));
  file.set("DST", profiles::CreatePropsDictionary(2, empty.get(), nullptr).get("DST"));
  std::string folder = pdk::systemPath(pdk::kProfileFolder);
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(pdk::writePlistFile(folder + userName() + "-TLQ770-1-profile.plist", file));
}

// The job id in printdialog's "request id is QUEUE-N (K file(s))" line, or 0.
int requestId(const std::string& output, const std::string& queue, int files = 1) {
  std::smatch m;
  std::regex line("request id is " + queue + "-([0-9]+) \\(" + std::to_string(files) + " file\\(s\\)\\)");
  return std::regex_search(output, m, line) ? std::stoi(m[1]) : 0;
}

// The options saved for `queue` in an lpoptions file: name -> value.
std::map<std::string, std::string> savedOptions(const std::string& lpoptions, const std::string& queue) {
  std::map<std::string, std::string> options;
  std::istringstream lines(readFile(lpoptions));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string kind, name, word;
    words >> kind >> name;
    if ((kind != "Dest" && kind != "Default") || name != queue) continue;
    while (words >> word) {
      auto eq = word.find('=');
      options[word.substr(0, eq)] = eq == std::string::npos ? "" : word.substr(eq + 1);
    }
  }
  return options;
}

class CupsPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveCupsd()) GTEST_SKIP() << "cupsd is not installed";
    if (::geteuid() != 0) GTEST_SKIP() << "the private cupsd runs its filters as user lp: needs root";
    ASSERT_TRUE(server_.ready());
    ::setenv("TLQ770_ROOT", root_.path().c_str(), 1);  // the pane's profile folder; no helper program
    document_ = root_.path() + "/letter.txt";
    writeFile(document_, "A letter to the printer.\n");
    std::string output;
    ASSERT_TRUE(server_.addQueue("tlq", kPPD, "file:///dev/null", false, &output)) << output;
  }
  void TearDown() override { ::unsetenv("TLQ770_ROOT"); }

  pdk::TaskResult dialog(const std::vector<std::string>& args, const std::string& stdinPath = "/dev/null") {
    return server_.runClient(binaryPath("printdialog"), args, stdinPath);
  }

  nlohmann::json state(const std::vector<std::string>& args) {
    std::vector<std::string> all = args;
    all.push_back("--state");
    pdk::TaskResult r = dialog(all);
    EXPECT_EQ(r.exitStatus, 0) << r.output;
    return nlohmann::json::parse(r.output, nullptr, false);
  }

  TempRoot root_;
  CupsServer server_;
  std::string document_;
};

// One print from the dialog: the user's actions, and entries the print
// settings must hold at the top level afterwards.
struct PrintCase {
  const char* story;
  std::vector<std::string> actions;
  std::vector<std::pair<std::string, std::string>> entries;
};

const std::string kProfilePath = nibbleText("/ata1a/data/USfiles/Profiles/OFFICE.ICC");

const PrintCase kPrintCases[] = {
    {"Photo maps the advanced items",
     {"select color.menu_QuickColor 1"},
     {{"ZNQuickColor", "Photo"},
      {"ZNImageRenderIntent", "Perceptual"},
      {"ZNImageGrayTreatment", "Composite"},
      {"ZNImageHalftone", "Standard"},
      {"ZNTextHalftone", "Standard"},
      {"ZNTextEdgeEnhance", "Off"},
      {"ZNGraphicsEdgeEnhance", "Off"}}},
    {"Vivid with economy mode",
     {"select color.menu_QuickColor 2", "check color.check_EconomyPrint on"},
     {{"ZNQuickColor", "Vivid"},
      {"ZNEconoMode", "True"},
      {"ZNGlossyMode", "False"},
      {"ZNImageHalftone", "Detail"},
      {"ZNImageEdgeEnhance", "Off"},
      {"ZNTextEdgeEnhance", "On"}}},
    {"Custom with a listed profile as image RGB source",
     {"select color.menu_QuickColor 3", "click color.button_AdvanceColorOptions", "tab color.tab_SwitchVew 0",
      "select color.menu_iRGBSource 4"},
     {{"ZNQuickColor", "_Custom"},
      {"ZNImageRGBSource", "None"},
      {"ZNImageRGBSourceCustom", "True"},
      {"ZNImageRGBSourceCustomFilename", kProfilePath}}},
    {"Secure print by an authenticated user: hex names and encrypted passwords",
     {"select security.waitModePopUp 1", "type security.securePasswordEditText 1234",
      "check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
      "type security.userNameEditText alice", "type security.userPasswordEditText pa55"},
     {{"PrintModeTLQ770", "Secure"},
      {"ZNAuthenticationTLQ770", "True"},
      {"quorlin.printers.TLQ770-1.userType", "private"},
      {"quorlin.printers.TLQ770-1.secureKey", "D90C7CE7470FE4561912D7C958DB0AA9"},
      {"quorlin.printers.TLQ770-1.userName", "616C696365"}}},
};

TEST_F(CupsPrint, EverySettingThePanesWroteArrivesWithTheJob) {
  writeProfileList("OFFICE.ICC", "Office RGB");
  for (const PrintCase& c : kPrintCases) {
    SCOPED_TRACE(c.story);
    std::string out = root_.path() + "/settings.plist";
    std::vector<std::string> args{"--queue", "tlq", "--print", document_, "--out", out};
    for (const auto& action : c.actions) args.insert(args.end(), {"--do", action});
    pdk::TaskResult r = dialog(args);
    ASSERT_EQ(r.exitStatus, 0) << r.output;
    int job = requestId(r.output, "tlq");
    ASSERT_GT(job, 0) << r.output;

    pdk::Value settings = pdk::readPlistFile(out);
    for (const auto& [name, value] : c.entries) EXPECT_EQ(settings.get(name).asString(), value) << name;
    // The panes keep their values under the queue's name.
    EXPECT_TRUE(settings.get("TLQ770-1").get("tlq").isDictionary());

    // Every top-level text arrives as it stands; True and False of Boolean
    // options arrive as IPP booleans, as lp sends them.
    std::map<std::string, IppAttribute> attributes = server_.jobAttributes(job);
    EXPECT_EQ(attributes["job-name"].text, "letter.txt");
    int checked = 0;
    for (const auto& [name, value] : *settings.dictionaryStorage()) {
      if (!value.isString()) continue;
      ++checked;
      ASSERT_TRUE(attributes.count(name)) << name;
      const std::string& text = value.asString();
      if (text == "True" || text == "False") {
        EXPECT_EQ(attributes[name].type, "boolean") << name;
        EXPECT_EQ(attributes[name].text, text == "True" ? "true" : "false") << name;
      } else {
        EXPECT_EQ(attributes[name].type, "nameWithoutLanguage") << name;
        EXPECT_EQ(attributes[name].text, text) << name;
      }
    }
    EXPECT_GE(checked, static_cast<int>(c.entries.size()));
  }
}

TEST_F(CupsPrint, ThePrintersFiltersReceiveTheChoices) {
  const std::string output = server_.outputFolder() + "/tlq.ps";
  std::string words;
  ASSERT_TRUE(server_.addQueue("tlqps", kPPD, "file://" + output, true, &words)) << words;
  pdk::TaskResult r = dialog({"--queue", "tlqps", "--print", document_, "--do", "select color.menu_QuickColor 2",
                              "--do", "check color.check_EconomyPrint on"});
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  int job = requestId(r.output, "tlqps");
  ASSERT_GT(job, 0) << r.output;
  ASSERT_EQ(server_.waitForJob(job), "completed");

  // The filters' option argument: texts as name=value, Booleans as the bare
  // name or "no" and the name.
  std::smatch m;
  std::string log = server_.errorLog();
  std::regex argument("\\[Job " + std::to_string(job) + "\\] argv\\[5\\]=\"([^\"]*)\"");
  ASSERT_TRUE(std::regex_search(log, m, argument));
  std::string filterOptions = " " + m[1].str() + " ";
  for (const char* word : {" ZNQuickColor=Vivid ", " ZNImageHalftone=Detail ", " ZNEconoMode ", " noZNGlossyMode ",
                           " noZNImageRGBSourceCustom "})
    EXPECT_NE(filterOptions.find(word), std::string::npos) << word << " in" << filterOptions;

  // The PostScript the printer receives carries each choice's PPD code.
  std::string postscript = readFile(output);
  for (const char* feature : {"%%BeginFeature: *ZNQuickColor Vivid", "%%BeginFeature: *ZNEconoMode True",
                              "%%BeginFeature: *ZNImageHalftone Detail", "%%BeginFeature: *ZNGlossyMode False"})
    EXPECT_NE(postscript.find(feature), std::string::npos) << feature;
}

TEST_F(CupsPrint, AnLpdQueueHasThePaneWalkThePrintersProfileTable) {
  if (!haveSnmpsimd()) GTEST_SKIP() << "snmpsimd is not installed";
  SnmpAgent agent({{"public", profileTableRecords({{1, 4, 1, "LPDDISK.ICC", "Walked"}})}});
  ASSERT_TRUE(agent.ready());
  HelperService service(root_, root_.path() + "/helper.sock", {{"SNMPCONFPATH", agent.confPath()}});
  ASSERT_TRUE(service.ready());
  std::string helper = pdk::systemPath(pdk::kHelperProgram);
  std::filesystem::create_directories(std::filesystem::path(helper).parent_path());
  std::filesystem::create_symlink(binaryPath("TLQ770-1Helper"), helper);
  ::setenv("TLQ770_HELPER_SOCKET", service.socketPath().c_str(), 1);
  // A stopped queue: its backend never runs, nothing goes to port 515.
  std::string words;
  ASSERT_TRUE(server_.addQueue("office", kPPD, "lpd://127.0.0.1/queue", false, &words)) << words;

  pdk::TaskResult r = dialog({"--queue", "office"});
  ::unsetenv("TLQ770_HELPER_SOCKET");
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  pdk::Value rgb = pdk::readPlistFile(root_.listPath(userName())).get("RGB");
  EXPECT_EQ(rgb.get("iNum").asInteger(), 1);
  EXPECT_EQ(rgb.get("FileName").get("FileName0000").asString(), "LPDDISK.ICC");
}

TEST_F(CupsPrint, SavedOptionsPreselectWhatTheSettingsDoNotHold) {
  pdk::TaskResult saved = server_.runClient(
      "/usr/bin/lpoptions", {"-p", "tlq", "-o", "ZNBrightness=Plus10", "-o", "ZNQuickColor=Vivid", "-o", "media=A4"});
  ASSERT_EQ(saved.exitStatus, 0) << saved.output;

  nlohmann::json fresh = state({"--queue", "tlq"});
  EXPECT_EQ(fresh["color"]["menu_Brightness"]["selected"], 5);  // Plus10
  EXPECT_EQ(fresh["color"]["menu_QuickColor"]["selected"], 2);  // Vivid

  // Settings that hold a value for this printer win over the saved option.
  pdk::Value perPrinter = pdk::Value::dictionary();
  perPrinter.set("ZNBrightness", pdk::Value("Minus5"));
  pdk::Value model = pdk::Value::dictionary();
  model.set("tlq", perPrinter);
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  std::string in = root_.path() + "/in.plist";
  ASSERT_TRUE(pdk::writePlistFile(in, settings));
  nlohmann::json stored = state({"--queue", "tlq", "--settings", in});
  EXPECT_EQ(stored["color"]["menu_Brightness"]["selected"], 2);  // Minus5
  EXPECT_EQ(stored["color"]["menu_QuickColor"]["selected"], 2);

  // The job carries the preselected choices.
  pdk::TaskResult r = dialog({"--queue", "tlq", "--print", document_});
  int job = requestId(r.output, "tlq");
  ASSERT_GT(job, 0) << r.output;
  auto attributes = server_.jobAttributes(job);
  EXPECT_EQ(attributes["ZNBrightness"].text, "Plus10");
  EXPECT_EQ(attributes["ZNQuickColor"].text, "Vivid");

  // An instance of the queue keeps saved options of its own.
  ASSERT_EQ(server_.runClient("/usr/bin/lpoptions", {"-p", "tlq/draft", "-o", "ZNBrightness=Minus15"}).exitStatus, 0);
  nlohmann::json draft = state({"--queue", "tlq/draft"});
  EXPECT_EQ(draft["color"]["menu_Brightness"]["selected"], 0);  // Minus15
}

TEST_F(CupsPrint, SaveDefaultsStoresOnlyPPDChoices) {
  writeProfileList("OFFICE.ICC", "Office RGB");
  ASSERT_EQ(server_.runClient("/usr/bin/lpoptions", {"-p", "tlq", "-o", "sides=two-sided-long-edge"}).exitStatus, 0);
  std::string out = root_.path() + "/settings.plist";
  pdk::TaskResult r =
      dialog({"--queue", "tlq", "--save-defaults", "--out", out, "--do", "select color.menu_QuickColor 3", "--do",
              "click color.button_AdvanceColorOptions", "--do", "select color.menu_iRGBSource 4", "--do",
              "select color.menu_EdgeStrength 3"});
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  EXPECT_TRUE(server_.jobIds("tlq").empty());  // saving defaults prints nothing

  std::map<std::string, std::string> options = savedOptions(server_.lpoptionsPath(), "tlq");
  EXPECT_EQ(options["sides"], "two-sided-long-edge");  // the user's other options stay
  EXPECT_EQ(options["ZNQuickColor"], "_Custom");
  EXPECT_EQ(options["ZNEdgeType"], "Strong");
  EXPECT_EQ(options["ZNImageRGBSource"], "None");
  // Every other saved name is a PPD option; no companion, text, password
  // or profile file name of the settings is saved.
  ppd_file_t* ppd = ppdOpenFile(kPPD.c_str());
  ASSERT_NE(ppd, nullptr);
  for (const auto& [name, value] : options) {
    if (name != "sides") {
      EXPECT_NE(ppdFindOption(ppd, name.c_str()), nullptr) << name << "=" << value;
    }
  }
  pdk::Value settings = pdk::readPlistFile(out);
  std::string lpoptions = readFile(server_.lpoptionsPath());
  for (const auto& [name, value] : *settings.dictionaryStorage()) {
    if (value.isString() && !ppdFindOption(ppd, name.c_str())) {
      EXPECT_EQ(lpoptions.find(name), std::string::npos) << name;
    }
  }
  ppdClose(ppd);
  EXPECT_EQ(lpoptions.find(kProfilePath), std::string::npos);

  // CUPS itself reads the saved defaults, and the next dialog starts there.
  pdk::TaskResult listed = server_.runClient("/usr/bin/lpoptions", {"-p", "tlq"});
  EXPECT_NE(listed.output.find("ZNEdgeType=Strong"), std::string::npos) << listed.output;
  nlohmann::json next = state({"--queue", "tlq"});
  EXPECT_EQ(next["color"]["menu_EdgeStrength"]["selected"], 3);
  EXPECT_EQ(next["color"]["menu_QuickColor"]["selected"], 3);
}

TEST_F(CupsPrint, QueueWithoutANameIsTheDefaultDestination) {
  pdk::TaskResult none = dialog({"--queue", "--print", document_});
  EXPECT_NE(none.exitStatus, 0);
  EXPECT_NE(none.output.find("there is no default destination"), std::string::npos) << none.output;

  ASSERT_EQ(server_.runClient("/usr/sbin/lpadmin", {"-d", "tlq"}).exitStatus, 0);
  pdk::TaskResult r = dialog({"--queue", "--print", document_});
  EXPECT_GT(requestId(r.output, "tlq"), 0) << r.output;
}

TEST_F(CupsPrint, SeveralDocumentsTitleAndCopiesMakeOneJob) {
  std::string piped = root_.path() + "/piped.txt";
  writeFile(piped, "From standard input.\n");
  pdk::TaskResult r = dialog(
      {"--queue", "tlq", "--print", document_, "--print", "-", "--title", "Quarterly report", "--copies", "2"},
      piped);
  ASSERT_EQ(r.exitStatus, 0) << r.output;
  int job = requestId(r.output, "tlq", 2);
  ASSERT_GT(job, 0) << r.output;
  auto attributes = server_.jobAttributes(job);
  EXPECT_EQ(attributes["job-name"].text, "Quarterly report");
  EXPECT_EQ(attributes["copies"].type, "integer");
  EXPECT_EQ(attributes["copies"].text, "2");
  EXPECT_EQ(attributes["number-of-documents"].text, "2");
  EXPECT_EQ(server_.jobIds("tlq").size(), 1u);
}

TEST_F(CupsPrint, APrintAPaneRefusesSubmitsNothing) {
  // The toolkit's fixture pane refuses to print in its second mode until a
  // PIN of 4 characters is typed.
  const std::vector<std::string> args{"--queue", "tlq", "--plugins", std::string(TLQ_BINARY_DIR) + "/test-plugins",
                                      "--print", document_, "--do", "radio fixture.radio_Mode 1"};
  pdk::TaskResult refused = dialog(args);
  EXPECT_EQ(refused.exitStatus, 3) << refused.output;
  EXPECT_EQ(refused.output.find("request id"), std::string::npos) << refused.output;
  EXPECT_TRUE(server_.jobIds("tlq").empty());

  std::vector<std::string> withPin = args;
  withPin.insert(withPin.end(), {"--do", "type fixture.secure_Pin wxyz"});
  pdk::TaskResult agreed = dialog(withPin);
  EXPECT_EQ(agreed.exitStatus, 0) << agreed.output;
  EXPECT_GT(requestId(agreed.output, "tlq"), 0) << agreed.output;
}

TEST_F(CupsPrint, FailuresExplainThemselvesAndLeaveNoJob) {
  std::string words;
  ASSERT_TRUE(server_.addQueue("rawq", "", "file:///dev/null", false, &words)) << words;
  std::string empty = root_.path() + "/empty.txt";
  writeFile(empty, "");
  pdk::Value bad = pdk::Value::dictionary();
  bad.set("two words", pdk::Value("x"));
  std::string badSettings = root_.path() + "/bad.plist";
  ASSERT_TRUE(pdk::writePlistFile(badSettings, bad));

  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--queue", "nosuch", "--print", document_}, "queue 'nosuch' does not exist"},
      {{"--queue", "rawq", "--print", document_}, "queue 'rawq' has no PPD"},
      {{"--queue", "tlq", "--print", root_.path() + "/missing.txt"}, "cannot read"},
      {{"--queue", "tlq", "--print", root_.path()}, "it is a folder"},
      {{"--queue", "tlq", "--print", empty}, "is empty"},
      {{"--queue", "tlq", "--print", "-", "--print", "-"}, "only once"},
      {{"--queue", "tlq", "--print", document_, "--settings", badSettings}, "'two words' cannot be a job option"},
      {{"--queue", "tlq", "--print", document_, "--copies", "0"}, "--copies needs a whole number"},
      {{"--queue", "tlq", "--title", "Report"}, "--title needs --print"},
      {{"--queue", "tlq", "--device-uri", "lpd://127.0.0.1/q"}, "come from the queue"},
      {{"--ppd", kPPD, "--print", document_}, "--print needs --queue"},
      {{"--ppd", kPPD, "--save-defaults"}, "--save-defaults needs --queue"},
      {{"--ppd", kPPD, "--queue", "tlq"}, "exclude each other"},
  };
  for (const Case& c : cases) {
    pdk::TaskResult r = dialog(c.args, document_);  // standard input holds a letter
    EXPECT_EQ(r.exitStatus, 2) << c.message;
    EXPECT_NE(r.output.find(c.message), std::string::npos) << "expected '" << c.message << "' in: " << r.output;
  }
  EXPECT_TRUE(server_.jobIds("tlq").empty());
  EXPECT_TRUE(server_.jobIds("rawq").empty());
  EXPECT_FALSE(fileExists(server_.lpoptionsPath()));

  // A stopped server.
  server_.stop();
  pdk::TaskResult r = dialog({"--queue", "tlq", "--print", document_});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.output.find("cannot reach the CUPS server at " + server_.socketPath()), std::string::npos)
      << r.output;
}

}  // namespace
}  // namespace integration
