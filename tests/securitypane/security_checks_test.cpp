// Which of the security panel's fields are live, and the required-field
// check before saving and printing: the two alert formats, one line per
// failing field, the options switched back while saving, and a print after
// such a reset.
#include <gtest/gtest.h>

#include "panel_fixture.h"
#include "securitypane/edit_info_table.h"
#include "securitypane/security_table.h"
#include "securitypane/security_util.h"

namespace {

using namespace securitypane;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;
using paneltest::Panel;

const std::string kSecureAlert = "To use Secure Print, enter the Secure Print Password.\n";
const std::string kUserNameAlertAtPrint = "The User Name is empty. To use User Authentication, enter the User Name.\n";
const std::string kUserNameAlertOnSave = "To use User Authentication, enter the User Name.\n";

bool isBlack(const pdk::TextField& label) { return label.textColor() == pdk::TextColor::Black; }

struct EnableCase {
  const char* story;
  int printMode;
  bool authentication;
  int userType;
  bool section;
  // Live: the secure password, the user type, the user's name and password,
  // the section's name and password.
  bool secure, radio, user, sectionFields;
};

TEST(SecurityEnableControls, FieldsAndLabelsFollowTheChoices) {
  const EnableCase cases[] = {
      {"defaults", 0, false, 0, false, false, false, false, false},
      {"secure print", 1, false, 0, false, true, false, false, false},
      {"proof and hold", 2, false, 0, false, false, false, false, false},
      {"authentication, public user", 0, true, 0, false, false, true, false, false},
      {"authentication, private user", 0, true, 1, false, false, true, true, false},
      {"private user chosen, authentication off again", 0, false, 1, false, false, false, false, false},
      {"section management", 0, false, 0, true, false, false, false, true},
      {"stored on disk with everything", 3, true, 1, true, false, true, true, true},
  };
  for (const EnableCase& c : cases) {
    SCOPED_TRACE(c.story);
    Panel p(mainPPD());
    p.open();
    if (c.userType == 1) {
      p.authentication(true);
      p.userType(1);
    }
    p.authentication(c.authentication);
    p.sectionManagement(c.section);
    p.selectPrintMode(c.printMode);
    SecurityPDE& pane = *p.pane;
    EXPECT_EQ(pane.securePasswordEditText->isEnabled(), c.secure);
    EXPECT_EQ(isBlack(*pane.secureTitleStaticText), c.secure);
    EXPECT_EQ(isBlack(*pane.securePasswordStaticText), c.secure);
    EXPECT_EQ(pane.userRadioButton->isEnabled(), c.radio);
    EXPECT_EQ(pane.userNameEditText->isEnabled(), c.user);
    EXPECT_EQ(pane.userPasswordEditText->isEnabled(), c.user);
    EXPECT_EQ(isBlack(*pane.userNameStaticText), c.user);
    EXPECT_EQ(isBlack(*pane.userPasswordStaticText), c.user);
    EXPECT_EQ(pane.sectionNameEditText->isEnabled(), c.sectionFields);
    EXPECT_EQ(pane.sectionPasswordEditText->isEnabled(), c.sectionFields);
    EXPECT_EQ(isBlack(*pane.sectionNameStaticText), c.sectionFields);
    EXPECT_EQ(isBlack(*pane.sectionPasswordStaticText), c.sectionFields);
    // The print mode's label follows the constraints, not these rules.
    EXPECT_TRUE(isBlack(*pane.waitModeStaticText));
  }
}

struct PrintCheckCase {
  const char* story;
  std::function<void(Panel&)> actions;
  bool printed;
  std::vector<std::string> alerts;
};

TEST(SecurityErrorCheck, AtPrintTimeEveryEnabledRequiredFieldMustBeFilled) {
  const PrintCheckCase cases[] = {
      {"secure print with three characters",
       [](Panel& p) {
         p.selectPrintMode(1);
         p.type(*p.pane->securePasswordEditText, "123");
       },
       false, {kSecureAlert}},
      {"secure print with four characters",
       [](Panel& p) {
         p.selectPrintMode(1);
         p.type(*p.pane->securePasswordEditText, "1 3 ");
       },
       true, {}},
      {"secure print without a password", [](Panel& p) { p.selectPrintMode(1); }, false, {kSecureAlert}},
      {"a short password is not checked once the mode is not secure",
       [](Panel& p) {
         p.selectPrintMode(1);
         p.type(*p.pane->securePasswordEditText, "12");
         p.selectPrintMode(2);
       },
       true, {}},
      {"a public user needs no name", [](Panel& p) { p.authentication(true); }, true, {}},
      {"a private user without a name",
       [](Panel& p) {
         p.authentication(true);
         p.userType(1);
       },
       false, {kUserNameAlertAtPrint}},
      {"a private user with a name and no password",
       [](Panel& p) {
         p.authentication(true);
         p.userType(1);
         p.type(*p.pane->userNameEditText, "alice");
       },
       true, {}},
      {"a section without name or password", [](Panel& p) { p.sectionManagement(true); }, true, {}},
      {"both failing: one alert, one line each in table order",
       [](Panel& p) {
         p.selectPrintMode(1);
         p.authentication(true);
         p.userType(1);
       },
       false, {kSecureAlert + kUserNameAlertAtPrint}},
  };
  for (const PrintCheckCase& c : cases) {
    SCOPED_TRACE(c.story);
    Panel p(mainPPD());
    p.open();
    c.actions(p);
    EXPECT_EQ(p.pane->shouldPrint(), c.printed);
    EXPECT_EQ(p.alerts, c.alerts);
    // Only a print that goes ahead copies the entries to the top level.
    EXPECT_EQ(p.host->settings.getValue("PrintModeTLQ770").isString(), c.printed);
  }
}

TEST(SecurityErrorCheck, ASavedShortPasswordPutsThePrintModeBackAndHoldsTheNextPrint) {
  Panel p(mainPPD());
  p.open();
  p.selectPrintMode(1);
  p.type(*p.pane->securePasswordEditText, "123");
  EXPECT_TRUE(p.save());  // leaving the pane is never blocked
  EXPECT_EQ(p.alerts, std::vector<std::string>{kSecureAlert});
  EXPECT_EQ(p.pane->waitModePopUp->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Normal");
  EXPECT_FALSE(p.pane->securePasswordEditText->isEnabled());

  // The job does not leave as a normal job behind the user's back: the next
  // print is refused without a second alert, the one after goes ahead.
  EXPECT_FALSE(p.pane->shouldPrint());
  EXPECT_EQ(p.alerts.size(), 1u);
  EXPECT_TRUE(p.host->settings.getValue("PrintModeTLQ770").isNull());
  EXPECT_TRUE(p.pane->shouldPrint());
  EXPECT_EQ(p.host->settings.getValue("PrintModeTLQ770").asString(), "Normal");
}

TEST(SecurityErrorCheck, ASavedPrivateUserWithoutNameSwitchesAuthenticationOff) {
  Panel p(mainPPD());
  p.open();
  p.authentication(true);
  p.userType(1);
  p.save();
  EXPECT_EQ(p.alerts, std::vector<std::string>{kUserNameAlertOnSave});
  EXPECT_EQ(p.pane->userAuthenticationCheckBox->state(), 0);
  EXPECT_EQ(p.stored("ZNAuthenticationTLQ770"), "False");
  EXPECT_FALSE(p.pane->userNameEditText->isEnabled());
  EXPECT_FALSE(p.pane->shouldPrint());
}

TEST(SecurityErrorCheck, AfterAResetTheUsersNextChoiceCounts) {
  Panel p(mainPPD());
  p.open();
  p.selectPrintMode(1);
  p.type(*p.pane->securePasswordEditText, "123");
  p.save();
  // The user sees the reset pane, chooses secure printing again and types a
  // password long enough.
  p.selectPrintMode(1);
  p.type(*p.pane->securePasswordEditText, "4");
  EXPECT_EQ(p.pane->securePasswordEditText->stringValue(), "1234");
  EXPECT_TRUE(p.pane->shouldPrint());
  EXPECT_EQ(p.host->settings.getValue(kSecureKey).asString(), "D90C7CE7470FE4561912D7C958DB0AA9");
}

TEST(SecurityErrorCheck, WhenTheDefaultIsSecurePrintTheResetKeepsTheFieldLive) {
  Panel p(fixturePPD("secure_default.ppd"));
  p.open();
  p.type(*p.pane->securePasswordEditText, "12");
  p.save();
  EXPECT_EQ(p.alerts, std::vector<std::string>{kSecureAlert});
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Secure");
  EXPECT_TRUE(p.pane->securePasswordEditText->isEnabled());
  EXPECT_FALSE(p.pane->shouldPrint());
  // Still too short: this time the print-time check refuses, with its alert.
  EXPECT_FALSE(p.pane->shouldPrint());
  EXPECT_EQ(p.alerts.size(), 2u);
}

TEST(SecurityErrorCheck, ASaveThatPassesChangesNothing) {
  Panel p(mainPPD());
  p.open();
  p.selectPrintMode(1);
  p.type(*p.pane->securePasswordEditText, "abcd");
  p.save();
  EXPECT_TRUE(p.alerts.empty());
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Secure");
  EXPECT_TRUE(p.pane->shouldPrint());
}

TEST(SecurityUtil, MessagesNeedThePanesBundle) {
  EXPECT_EQ(SecurityUtil::SecurityEmptyAlert("no.such.bundle", "SecurePrint", "SecurePass", false), std::nullopt);
  ASSERT_TRUE(paneltest::paneBundle());
  EXPECT_EQ(SecurityUtil::SecurityEmptyAlert(kSecurityBundleIdentifier, "ZNAuthenticationTLQ770", "UserName", true),
            "The User Name is empty. To use User Authentication, enter the User Name.");
}

TEST(SecurityUtil, FormatsFillObjectPlaceholdersOnly) {
  struct Case {
    const char* format;
    std::vector<std::string> arguments;
    const char* text;
  } cases[] = {
      {"The %@ is empty. To use %@, enter the %@.", {"A", "B", "A"}, "The A is empty. To use B, enter the A."},
      {"%2$@ before %1$@", {"one", "two"}, "two before one"},
      {"100%% of %@", {"it"}, "100% of it"},
      {"%@ %@ %@", {"only"}, "only  "},
      {"%s and %d stay", {"x"}, "%s and %d stay"},
      {"%9$@ is out of range", {"x"}, " is out of range"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatWithObjects(c.format, c.arguments), c.text) << c.format;
}

}  // namespace
