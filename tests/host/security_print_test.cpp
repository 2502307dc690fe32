// End-to-end runs of printdialog with both built panes, through the
// security pane: a secure print, a print it refuses, a user-authenticated
// print, written settings read back through --settings, passwords never in
// clear, and the paper (--paper and the paper action) reaching the pane's
// constraints.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "pdk/plist.h"
#include "printdialog_run.h"

namespace {

using hosttest::kPPD;
using nlohmann::json;

const std::string kSecureCipher = "D90C7CE7470FE4561912D7C958DB0AA9";  // "1234"
const std::string kPaperFixture = std::string(TLQ_SOURCE_DIR) + "/tests/fixtures/security/page_size_constraint.ppd";

struct DialogRun {
  int status = -1;
  std::string out, err;
  json state;            // --state, when the run asked for it
  pdk::Value settings;   // --out
};

class SecurityPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/security-print-XXXXXX";
    dir_ = mkdtemp(tmpl);
    setenv("TLQ770_ROOT", dir_.c_str(), 1);  // no helper program there
  }
  void TearDown() override {
    unsetenv("TLQ770_ROOT");
    (void)std::system(("rm -rf " + hosttest::quote(dir_)).c_str());
  }

  // printdialog for printer Office with `actions`, writing settings and state.
  DialogRun run(const std::vector<std::string>& actions, std::vector<std::string> args = {"--ppd", kPPD}) {
    args.insert(args.end(), {"--printer-id", "Office", "--out", dir_ + "/out.plist", "--state"});
    for (const std::string& a : actions) args.insert(args.end(), {"--do", a});
    pdk::TaskResult r = hosttest::runPrintDialog(args, dir_ + "/err");
    DialogRun result;
    result.status = r.exitStatus;
    result.out = r.output;
    std::ifstream err(dir_ + "/err");
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    result.state = json::parse(r.output, nullptr, false);
    result.settings = pdk::readPlistFile(dir_ + "/out.plist");
    return result;
  }

  std::string dir_;
};

TEST_F(SecurityPrint, ASecurePrintCarriesTheEncryptedPassword) {
  DialogRun r = run({"select security.waitModePopUp 1", "type security.securePasswordEditText 1234"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const pdk::Value& where : {r.settings.get("TLQ770-1").get("Office"), r.settings}) {
    EXPECT_EQ(where.get("PrintModeTLQ770").asString(), "Secure");
    EXPECT_EQ(where.get("quorlin.printers.TLQ770-1.secureKey").asString(), kSecureCipher);
  }
  const json& pane = r.state["security"];
  EXPECT_EQ(pane["panelKind"], "quorlin.print.pde.TLQ770-1.Security");
  EXPECT_EQ(pane["shouldPrint"], json::array({true}));
  EXPECT_TRUE(pane["alerts"].empty());
  // The password is reported masked, never in clear.
  const json& field = pane["securePasswordEditText"];
  EXPECT_EQ(field["secure"], true);
  EXPECT_EQ(field["length"], 4);
  EXPECT_EQ(field["text"], "\u2022\u2022\u2022\u2022");
  EXPECT_EQ(r.out.find("1234"), std::string::npos);
  EXPECT_EQ(r.err.find("1234"), std::string::npos);
  EXPECT_EQ(pane["secureTitleStaticText"]["textColor"], "black");
  EXPECT_EQ(pane["userNameStaticText"]["textColor"], "gray");
}

TEST_F(SecurityPrint, AShortPasswordIsRefusedWithOneAlert) {
  DialogRun r = run({"select security.waitModePopUp 1", "type security.securePasswordEditText 123"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("printdialog: alert: To use Secure Print, enter the Secure Print Password."),
            std::string::npos)
      << r.err;
  const json& pane = r.state["security"];
  ASSERT_EQ(pane["alerts"].size(), 1u);
  EXPECT_EQ(pane["alerts"][0]["message"], "To use Secure Print, enter the Secure Print Password.\n");
  EXPECT_EQ(pane["shouldPrint"], json::array({false}));
  // Saving put the print mode back.
  EXPECT_EQ(pane["waitModePopUp"]["selected"], 0);
  EXPECT_EQ(r.settings.get("TLQ770-1").get("Office").get("PrintModeTLQ770").asString(), "Normal");
}

TEST_F(SecurityPrint, AUserAuthenticatedPrintCarriesNameAndPassword) {
  DialogRun r = run({"check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
               "type security.userNameEditText J\\u{F6}rg", "type security.userPasswordEditText pa55"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.settings.get("ZNAuthenticationTLQ770").asString(), "True");
  EXPECT_EQ(r.settings.get("quorlin.printers.TLQ770-1.userType").asString(), "private");
  EXPECT_EQ(r.settings.get("quorlin.printers.TLQ770-1.userName").asString(), "4AC3B67267");
  EXPECT_EQ(r.settings.get("quorlin.printers.TLQ770-1.userKey").asString().size(), 32u);
  EXPECT_FALSE(r.settings.get("quorlin.printers.TLQ770-1.loginName").asString().empty());
  const json& pane = r.state["security"];
  EXPECT_EQ(pane["userNameEditText"]["text"], "J\u00f6rg");
  EXPECT_EQ(pane["userRadioButton"]["selectedRow"], 1);
  EXPECT_EQ(pane["userRadioButton"]["enabled"], true);
  EXPECT_EQ(r.out.find("pa55"), std::string::npos);
}

TEST_F(SecurityPrint, APrivateUserWithoutANameIsRefused) {
  DialogRun r = run({"check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.state["security"]["alerts"][0]["message"], "To use User Authentication, enter the User Name.\n");
  EXPECT_EQ(r.state["security"]["userAuthenticationCheckBox"]["state"], 0);
}

TEST_F(SecurityPrint, WrittenSettingsComeBackThroughSettings) {
  DialogRun first = run({"select security.waitModePopUp 1", "type security.securePasswordEditText 1234",
                   "check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
                   "type security.userNameEditText alice", "type security.userPasswordEditText a+b"});
  ASSERT_EQ(first.status, 0) << first.err;
  const std::string saved = dir_ + "/saved.plist";
  ASSERT_TRUE(pdk::writePlistFile(saved, first.settings));

  DialogRun again = run({}, {"--ppd", kPPD, "--settings", saved});
  ASSERT_EQ(again.status, 0) << again.err;
  const json& pane = again.state["security"];
  EXPECT_EQ(pane["waitModePopUp"]["selected"], 1);
  EXPECT_EQ(pane["securePasswordEditText"]["length"], 4);
  EXPECT_EQ(pane["userNameEditText"]["text"], "alice");
  // The plus sign was refused while typing, so nothing is cut on reading.
  EXPECT_EQ(pane["userPasswordEditText"]["length"], 2);
  pdk::Value before = first.settings.get("TLQ770-1").get("Office");
  pdk::Value after = again.settings.get("TLQ770-1").get("Office");
  for (const std::string& key : before.keys()) EXPECT_EQ(after.get(key), before.get(key)) << key;
}

TEST_F(SecurityPrint, ThePaperReachesThePanesConstraints) {
  // A5 excludes secure printing in this PPD; A4 does not.
  DialogRun a5 = run({}, {"--ppd", kPaperFixture, "--paper", "A5"});
  ASSERT_EQ(a5.status, 0) << a5.err;
  EXPECT_EQ(a5.state["security"]["waitModePopUp"]["items"][1]["enabled"], false);
  DialogRun a4 = run({}, {"--ppd", kPaperFixture, "--paper", "A4"});
  EXPECT_EQ(a4.state["security"]["waitModePopUp"]["items"][1]["enabled"], true);

  // The user picks A5 after choosing secure printing: the pane hears of it
  // and leaves the excluded mode.
  DialogRun changed = run({"select security.waitModePopUp 1", "paper A5"}, {"--ppd", kPaperFixture});
  ASSERT_EQ(changed.status, 0) << changed.err;
  EXPECT_EQ(changed.state["security"]["waitModePopUp"]["selected"], 0);
  EXPECT_EQ(changed.settings.get("PrintModeTLQ770").asString(), "Normal");

  DialogRun refused = run({"select security.waitModePopUp 1"}, {"--ppd", kPaperFixture, "--paper", "A5"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("item 1 of security.waitModePopUp is disabled"), std::string::npos) << refused.err;
  DialogRun unknown = run({}, {"--ppd", kPaperFixture, "--paper", "Tabloid"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("the PPD has no paper size 'Tabloid'"), std::string::npos) << unknown.err;
  DialogRun unknownAction = run({"paper Tabloid"}, {"--ppd", kPaperFixture});
  EXPECT_EQ(unknownAction.status, 2);
}

}  // namespace
