// The security panel's life in a dialog: what it offers the dialog, its
// defaults from the PPD, the ten entries it keeps per printer (names
// hex-encoded, passwords encrypted), stored values it cannot use, the
// summary, and refreshes on a paper change or a PPD choice made elsewhere.
#include <gtest/gtest.h>

#include "panel_fixture.h"
#include "securitypane/credential_codec.h"
#include "securitypane/edit_info_table.h"
#include "securitypane/full_user_name.h"
#include "securitypane/security_pde_plugin.h"
#include "securitypane/security_table.h"
#include "securitypane/zn_text_field.h"

namespace {

using namespace securitypane;
using frameworktest::fixturePPD;
using frameworktest::mainPPD;
using paneltest::Panel;

// The settings of a job that already holds this printer's dictionary.
pdk::Value settingsWith(const pdk::Value& perPrinter, const std::string& printer = "Office") {
  pdk::Value model = pdk::Value::dictionary();
  model.set(printer, perPrinter);
  pdk::Value settings = pdk::Value::dictionary();
  settings.set("TLQ770-1", model);
  return settings;
}

pdk::Value entries(std::initializer_list<std::pair<const char*, pdk::Value>> list) {
  pdk::Value dict = pdk::Value::dictionary();
  for (const auto& [key, value] : list) dict.set(key, value);
  return dict;
}

TEST(SecurityPanel, OffersOnePanelOfItsKindForPrinterModules) {
  Panel p(mainPPD());
  ASSERT_TRUE(p.created);
  EXPECT_EQ(p.pane->panelKind(), "quorlin.print.pde.TLQ770-1.Security");
  EXPECT_EQ(p.pane->panelName(), "Security");
  const std::vector<std::string> expected = {"PrintModeTLQ770", "ZNAuthenticationTLQ770",
                                             "ZNSectionManagementTLQ770", "SecurePass", "UserName",
                                             "UserPass", "SectionName", "SectionPass"};
  pdk::Value keys = p.pane->supportedPPDOptionKeys();
  ASSERT_EQ(keys.count(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(keys.at(i).asString(), expected[i]);

  SecurityPDEPlugIn plugIn;
  EXPECT_TRUE(plugIn.initWithBundle(paneltest::paneBundle()));
  auto panels = plugIn.PDEPanelsForType(pdk::kPrinterModulePanelType, p.host);
  ASSERT_TRUE(panels);
  EXPECT_EQ(panels->size(), 1u);
  auto others = plugIn.PDEPanelsForType("some other panel type", p.host);
  ASSERT_TRUE(others);
  EXPECT_TRUE(others->empty());
  // Without a PPD the panel cannot be built, and no panels are offered.
  auto noPPD = std::make_shared<frameworktest::TestHost>("/nonexistent.ppd");
  EXPECT_FALSE(plugIn.PDEPanelsForType(pdk::kPrinterModulePanelType, noPPD));
}

TEST(SecurityPanel, ControlsCarryTheirTitlesAndThePrintModes) {
  Panel p(mainPPD());
  ASSERT_TRUE(p.created);
  EXPECT_EQ(p.pane->waitModeStaticText->stringValue(), "Print Mode:");
  EXPECT_EQ(p.pane->secureTitleStaticText->stringValue(), "Secure Print");
  EXPECT_EQ(p.pane->sectionPasswordStaticText->stringValue(), "Section Password:");
  EXPECT_EQ(p.pane->userAuthenticationCheckBox->title(), "User Authentication");
  EXPECT_EQ(p.pane->userRadioButton->cellAtRow(1, 0)->title(), "Private User");
  ASSERT_EQ(p.pane->waitModePopUp->numberOfItems(), 4);
  EXPECT_EQ(p.pane->waitModePopUp->itemAtIndex(1)->title, "Secure Print");
  EXPECT_EQ(p.pane->waitModePopUp->itemAtIndex(1)->representedObject.asString(), "Secure");
  // Passwords are secure fields, names plain ones.
  EXPECT_TRUE(p.pane->securePasswordEditText->isSecure());
  EXPECT_TRUE(p.pane->userPasswordEditText->isSecure());
  EXPECT_FALSE(p.pane->userNameEditText->isSecure());
}

TEST(SecurityPanel, APasswordRowWhoseFieldIsNotSecureIsHidden) {
  // A plain field, in place of a password field (it outlives the panel).
  auto plain = std::make_shared<pdk::TextField>(true);
  Panel p(mainPPD());
  ASSERT_TRUE(p.created);
  SecurityRow* rows = p.pane->table();
  const int32_t index = searchTableIndex(rows, p.pane->userPasswordEditText.get());
  ASSERT_GE(index, 0);
  rows[index].control = plain.get();
  ZNTextFieldClassCheck(rows);
  EXPECT_TRUE(plain->isHidden());
  EXPECT_FALSE(p.pane->userNameEditText->isHidden());
}

struct DefaultsCase {
  const char* ppd;
  std::optional<std::string> printMode;
  bool popUpHidden;
  std::string authentication;
  bool secureFieldEnabled;
};

TEST(SecurityPanel, DefaultsComeFromThePPDOrTheControlsKind) {
  const DefaultsCase cases[] = {
      {"resources/TLQ770-1.ppd", "Normal", false, "False", false},
      {"tests/fixtures/security/secure_default.ppd", "Secure", false, "False", true},
      {"tests/fixtures/security/no_authentication.ppd", "Normal", false, "False", false},
      // Without the option the pop-up is hidden and the row has no value.
      {"tests/fixtures/security/no_print_mode.ppd", std::nullopt, true, "False", false},
  };
  for (const DefaultsCase& c : cases) {
    SCOPED_TRACE(c.ppd);
    Panel p(frameworktest::sourcePath(c.ppd));
    ASSERT_TRUE(p.created);
    p.open();
    const SecurityRow* rows = p.pane->table();
    EXPECT_EQ(rows[0].value, c.printMode);
    EXPECT_EQ(p.pane->waitModePopUp->isHidden(), c.popUpHidden);
    EXPECT_EQ(rows[1].value, c.authentication);
    EXPECT_EQ(rows[2].value, "False");
    EXPECT_EQ(rows[3].value, "public");
    for (int i = 4; i <= 8; ++i) EXPECT_EQ(rows[i].value, "") << rows[i].key;
    EXPECT_EQ(p.pane->securePasswordEditText->isEnabled(), c.secureFieldEnabled);
  }
}

TEST(SecurityPanel, AFreshJobGetsEveryEntryOnTheFirstRefresh) {
  Panel p(mainPPD());
  ASSERT_TRUE(p.created);
  pdk::Value stored = p.stored();
  ASSERT_TRUE(stored.isDictionary());
  const std::pair<const char*, std::string> expected[] = {
      {"PrintModeTLQ770", "Normal"},
      {"ZNAuthenticationTLQ770", "False"},
      {"ZNSectionManagementTLQ770", "False"},
      {"quorlin.printers.TLQ770-1.userType", "public"},
      {"quorlin.printers.TLQ770-1.secureKey", ""},
      {"quorlin.printers.TLQ770-1.userName", ""},
      {"quorlin.printers.TLQ770-1.userKey", ""},
      {"quorlin.printers.TLQ770-1.sectionName", ""},
      {"quorlin.printers.TLQ770-1.sectionKey", ""},
      {"quorlin.printers.TLQ770-1.loginName", NSFullUserName()},
  };
  EXPECT_EQ(stored.count(), std::size(expected));
  for (const auto& [key, value] : expected) EXPECT_EQ(stored.get(key), pdk::Value(value)) << key;
  // Nothing reaches the top level before printing.
  EXPECT_TRUE(p.host->settings.getValue("PrintModeTLQ770").isNull());
}

TEST(SecurityPanel, NamesAreStoredInHexAndPasswordsEncryptedThenReadBack) {
  pdk::Value settings;
  {
    Panel p(mainPPD());
    p.open();
    p.selectPrintMode(1);
    p.type(*p.pane->securePasswordEditText, "1234");
    p.authentication(true);
    p.userType(1);
    p.type(*p.pane->userNameEditText, "Zo\u00eb");
    p.type(*p.pane->userPasswordEditText, "pw");
    EXPECT_TRUE(p.save());
    EXPECT_TRUE(p.alerts.empty());
    EXPECT_EQ(p.stored("PrintModeTLQ770"), "Secure");
    EXPECT_EQ(p.stored(kSecureKey), "D90C7CE7470FE4561912D7C958DB0AA9");
    EXPECT_EQ(p.stored(kUserNameKey), "5A6FC3AB");
    EXPECT_EQ(p.stored(kUserKey).size(), 32u);
    EXPECT_EQ(ZNCFStringDecodeWithDecrypt(p.stored(kUserKey), kPanelKeyId, kPanelKeySubId), "pw");
    EXPECT_EQ(p.stored("quorlin.printers.TLQ770-1.userType"), "private");
    settings = p.host->settings.dictionary().deepCopy();
  }
  // The next dialog on these settings shows what was typed.
  Panel next(mainPPD(), settings);
  next.open();
  EXPECT_EQ(next.pane->waitModePopUp->indexOfSelectedItem(), 1);
  EXPECT_EQ(next.pane->securePasswordEditText->stringValue(), "1234");
  EXPECT_EQ(next.pane->userNameEditText->stringValue(), "Zo\u00eb");
  EXPECT_EQ(next.pane->userPasswordEditText->stringValue(), "pw");
  EXPECT_EQ(next.pane->userRadioButton->selectedRow(), 1);
  EXPECT_TRUE(next.pane->userNameEditText->isEnabled());
}

TEST(SecurityPanel, TwoPrintersKeepTheirOwnDictionaries) {
  Panel p(mainPPD(), settingsWith(entries({{"PrintModeTLQ770", pdk::Value("Proof")}}), "Home"));
  p.open();
  p.selectPrintMode(3);
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Stored");
  EXPECT_EQ(p.host->printerDict("Home").get("PrintModeTLQ770").asString(), "Proof");
  EXPECT_EQ(p.host->printerDict("Home").count(), 1u);
}

TEST(SecurityPanel, TheLoginNameIsTheUsersFullNameWhateverIsTyped) {
  Panel p(mainPPD());
  p.open();
  p.authentication(true);
  p.userType(1);
  p.type(*p.pane->userNameEditText, "someone else");
  p.save();
  EXPECT_EQ(p.stored(kLoginNameKey), NSFullUserName());

  struct Entry {
    const char* gecos;
    const char* login;
    const char* fullName;
  } table[] = {
      {"Jane Doe,Room 4,555-0100,", "jdoe", "Jane Doe"},
      {"Jane Doe", "jdoe", "Jane Doe"},
      {"", "jdoe", "jdoe"},
      {",Room 4", "jdoe", "jdoe"},
      {nullptr, "jdoe", "jdoe"},
  };
  for (const Entry& e : table) EXPECT_EQ(fullUserNameOf(e.gecos, e.login), e.fullName) << e.login;
}

struct StoredCase {
  const char* story;
  pdk::Value settings;
  // What the panel shows and stores afterwards.
  const char* key;
  std::string shownValue;
};

TEST(SecurityPanel, StoredValuesItCannotUseNeverBreakThePanel) {
  const std::string undecryptable(32, 'A');
  const StoredCase cases[] = {
      {"a number as print mode is absent", settingsWith(entries({{"PrintModeTLQ770", pdk::Value(3)}})),
       "PrintModeTLQ770", "Normal"},
      {"an unknown print mode leaves the pop-up's choice", settingsWith(entries({{"PrintModeTLQ770", "Bogus"}})),
       "PrintModeTLQ770", "Normal"},
      {"Yes is no check-box value", settingsWith(entries({{"ZNAuthenticationTLQ770", "Yes"}})),
       "ZNAuthenticationTLQ770", "False"},
      {"an unknown user type", settingsWith(entries({{"quorlin.printers.TLQ770-1.userType", "admin"}})),
       "quorlin.printers.TLQ770-1.userType", "public"},
      {"a password that is no ciphertext is empty", settingsWith(entries({{kSecureKey, "1234"}})), kSecureKey, ""},
      {"a password that does not decrypt is empty", settingsWith(entries({{kUserKey, undecryptable}})), kUserKey,
       ""},
      {"a dictionary as a name is absent", settingsWith(entries({{kUserNameKey, pdk::Value::dictionary()}})),
       kUserNameKey, ""},
      {"a model entry that is no dictionary is replaced",
       [] {
         pdk::Value s = pdk::Value::dictionary();
         s.set("TLQ770-1", "garbage");
         return s;
       }(),
       "PrintModeTLQ770", "Normal"},
      {"a printer entry that is no dictionary is replaced", settingsWith(pdk::Value(5)), "PrintModeTLQ770",
       "Normal"},
  };
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(c.story);
    Panel p(mainPPD(), c.settings);
    ASSERT_TRUE(p.created);
    p.open();
    const SecurityRow* rows = p.pane->table();
    bool found = false;
    for (const SecurityRow* row = rows; row->kind != kSecurityKindEnd; ++row) {
      if (row->key && std::string(row->key) == c.key) {
        found = true;
        EXPECT_EQ(row->value, c.shownValue);
      }
    }
    EXPECT_TRUE(found);
    // What is stored again is a value the panel can show.
    EXPECT_EQ(p.stored().get(c.key), pdk::Value(c.shownValue));
  }
}

TEST(SecurityPanel, AStoredNameThatDoesNotDecodeIsShownAsItStands) {
  // Lower-case digits are not what the encoder writes.
  Panel p(mainPPD(), settingsWith(entries({{kUserNameKey, "6a6b"}})));
  p.open();
  EXPECT_EQ(p.pane->userNameEditText->stringValue(), "6a6b");
}

struct SummaryCase {
  const char* story;
  std::function<void(Panel&)> actions;
  std::vector<std::pair<std::string, std::string>> items;  // in display order
};

TEST(SecurityPanel, SummaryNamesChoicesButNeverPasswords) {
  const SummaryCase cases[] = {
      {"defaults", [](Panel&) {},
       {{"Print Mode", "Normal Print"}, {"User Authentication", "Public User"}, {"Section Management", "Off"}}},
      {"secure print with a password",
       [](Panel& p) {
         p.selectPrintMode(1);
         p.type(*p.pane->securePasswordEditText, "1234");
       },
       {{"Print Mode", "Secure Print"}, {"User Authentication", "Public User"}, {"Section Management", "Off"}}},
      {"a public user shows no name",
       [](Panel& p) {
         p.authentication(true);
         p.userType(1);
         p.type(*p.pane->userNameEditText, "alice");
         p.userType(0);
       },
       {{"Print Mode", "Normal Print"}, {"User Authentication", "Public User"}, {"Section Management", "Off"}}},
      {"a private user and a section",
       [](Panel& p) {
         p.authentication(true);
         p.userType(1);
         p.type(*p.pane->userNameEditText, "alice");
         p.type(*p.pane->userPasswordEditText, "hunter2");
         p.sectionManagement(true);
         p.type(*p.pane->sectionNameEditText, "Sales");
         p.type(*p.pane->sectionPasswordEditText, "s3cret");
       },
       {{"Print Mode", "Normal Print"},
        {"User Authentication", "Private User"},
        {"User Name", "alice"},
        {"Section Management", "On"},
        {"Section Name", "Sales"}}},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.story);
    Panel p(mainPPD());
    p.open();
    c.actions(p);
    pdk::Value summary = p.pane->summaryInfo();
    pdk::Value order = summary.get("Summary Display Order");
    ASSERT_EQ(order.count(), c.items.size());
    for (size_t i = 0; i < c.items.size(); ++i) {
      EXPECT_EQ(order.at(i).asString(), c.items[i].first);
      EXPECT_EQ(summary.get(c.items[i].first).asString(), c.items[i].second);
    }
    for (const std::string& name : summary.keys()) {
      for (const char* secret : {"1234", "hunter2", "s3cret"})
        EXPECT_EQ(summary.get(name).asString().find(secret), std::string::npos) << name;
    }
  }
}

TEST(SecurityPanel, APPDChoiceMadeElsewhereIsShown) {
  Panel p(mainPPD());
  p.open();
  p.pane->PPDOptionKeyValueDidChange("PrintModeTLQ770", "Secure");
  EXPECT_EQ(p.pane->waitModePopUp->indexOfSelectedItem(), 1);
  EXPECT_TRUE(p.pane->securePasswordEditText->isEnabled());
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Secure");
}

TEST(SecurityPanel, APaperChangeRefreshesThePanel) {
  // A5 paper excludes secure printing.
  Panel p(fixturePPD("page_size_constraint.ppd"));
  p.open();
  p.selectPrintMode(1);
  ASSERT_EQ(p.stored("PrintModeTLQ770"), "Secure");
  p.host->format.paper = pdk::Paper{"A5", 420, 595, 12, 12, 12, 12};
  pdk::NotificationCenter::defaultCenter().post(pdk::kPMPrintDestinationPaperDidChangeNotification, nullptr);
  EXPECT_FALSE(p.pane->waitModePopUp->itemAtIndex(1)->enabled);
  EXPECT_EQ(p.pane->waitModePopUp->indexOfSelectedItem(), 0);
  EXPECT_EQ(p.stored("PrintModeTLQ770"), "Normal");
  EXPECT_FALSE(p.pane->securePasswordEditText->isEnabled());
}

TEST(SecurityPanel, PrintingCopiesThePanesEntriesToTheTopLevel) {
  Panel p(mainPPD());
  p.open();
  p.selectPrintMode(1);
  p.type(*p.pane->securePasswordEditText, "1234");
  p.save();
  EXPECT_TRUE(p.pane->shouldPrint());
  pdk::Value perPrinter = p.stored();
  for (const std::string& key : perPrinter.keys()) EXPECT_EQ(p.host->settings.getValue(key), perPrinter.get(key)) << key;
  EXPECT_EQ(p.host->settings.getValue(kSecureKey).asString(), "D90C7CE7470FE4561912D7C958DB0AA9");
}

}  // namespace
