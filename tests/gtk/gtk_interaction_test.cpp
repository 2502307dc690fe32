// Events in both directions: what the user does to a widget reaches the
// model as the same operation a scripted action performs (so the panes'
// rules and filters apply, and the model ends up as printdialog leaves it
// for the same actions), and every change of the model shows in the
// widgets. A print a pane refuses keeps the dialog open with the pane's
// alert; widgets the user cannot reach refuse GTK's events.
#include <sstream>

#include "gtk_dialog_run.h"
#include "pdk/plist.h"
#include "widget_checks.h"

namespace gtktest {
namespace {

class GtkInteraction : public GtkDialogTest {};

const std::vector<std::string> kGrayscaleRuledMenus = {
    "menu_iRGBSource", "menu_iRGBIntent", "menu_iRGBGrayTreatment", "menu_iDestinationProfile",
    "menu_tRGBSource", "menu_tRGBIntent", "menu_tRGBGrayTreatment", "menu_tDestinationProfile",
    "menu_gRGBSource", "menu_gRGBIntent", "menu_gRGBGrayTreatment", "menu_gDestinationProfile",
    "menu_sSimulationProfile"};

TEST_F(GtkInteraction, ColorAsGrayscaleThroughGtkGreysOutTheColourMenus) {
  // The advanced view is built first, so its widgets exist while the rules
  // change the menus from the basic view.
  struct Case {
    const char* story;
    std::vector<std::string> gtkActions;
    bool menusEnabled;
  } cases[] = {
      {"grayscale off", {}, true},
      {"grayscale on", {"check color.check_ColorAsGrayscale on"}, false},
      {"grayscale on and off again",
       {"check color.check_ColorAsGrayscale on", "check color.check_ColorAsGrayscale off"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    std::vector<std::string> args{"--ppd", kPPD, "--do", "select color.menu_QuickColor 3", "--do",
                                  "click color.button_AdvanceColorOptions", "--do",
                                  "click color.button_HideAdvancedOptions"};
    for (const std::string& a : actionArgs(c.gtkActions, true)) args.push_back(a);
    args.insert(args.end(), {"--do", "click color.button_AdvanceColorOptions"});
    DialogRun run = runGtk(args);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& menu : kGrayscaleRuledMenus) {
      EXPECT_EQ(run.widgets["panes"]["color"][menu]["sensitive"], c.menusEnabled) << menu;
      EXPECT_EQ(run.state["color"][menu]["enabled"], c.menusEnabled) << menu;
    }
    expectWidgetsMatchModel(run.state, run.widgets);
  }
}

TEST_F(GtkInteraction, AScriptedChangeShowsInTheWidget) {
  DialogRun run = runGtk({"--ppd", kPPD, "--do", "select color.menu_QuickColor 2", "--do",
                          "check color.check_EconomyPrint on", "--do", "select color.menu_Brightness 1"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json& color = run.widgets["panes"]["color"];
  EXPECT_EQ(color["menu_QuickColor"]["selected"], 2);
  EXPECT_EQ(color["menu_QuickColor"]["title"], run.state["color"]["menu_QuickColor"]["title"]);
  EXPECT_EQ(color["check_EconomyPrint"]["state"], 1);
  EXPECT_EQ(color["menu_Brightness"]["selected"], 1);
}

// A user's session: the same actions through GTK (--gtk-do) and as
// printdialog's scripted actions (--do). "choose" answers an open panel in
// both; "pane" only switches the windowed dialog's tab.
struct Session {
  const char* story;
  bool fixture;
  std::vector<std::string> actions;
};

const Session kSessions[] = {
    {"typing, pasting and deleting through the fields' hooks",
     true,
     {"radio fixture.radio_Mode 1", "type fixture.edit_Code 12a34x5", "type fixture.edit_Name abc",
      "backspace fixture.edit_Name 2", "paste fixture.edit_Name xyz", "type fixture.secure_Pin 12345",
      "backspace fixture.secure_Pin", "type fixture.edit_Code 9", "clear fixture.edit_Name"}},
    {"the modal window's table rules on its selection",
     true,
     {"click fixture.button_Manage", "row fixture.table_Items 2", "row fixture.table_Items 1",
      "cell fixture.table_Items 1 inmenu", "row fixture.table_Items -1", "click fixture.button_Add",
      "type fixture.edit_ItemName Delta", "click fixture.button_AddOK", "row fixture.table_Items 3"}},
    {"the open panel's answer fills a field",
     true,
     {"click fixture.button_Manage", "click fixture.button_Add", "choose /profiles/Wide.icc",
      "click fixture.button_Browse"}},
    {"the modal window's OK ends its session",
     true,
     {"click fixture.button_Manage", "cell fixture.table_Items 2 inmenu", "click fixture.button_OK",
      "radio fixture.radio_Mode 1"}},
    {"the colour pane's basic and advanced views",
     false,
     {"select color.menu_QuickColor 3", "click color.button_AdvanceColorOptions", "tab color.tab_SwitchVew 2",
      "select color.menu_gHalftone 1", "tab color.tab_SwitchVew 3", "select color.menu_sSimulationProfile 1",
      "click color.button_HideAdvancedOptions", "check color.check_GlossyMode on", "select color.menu_Brightness 2"}},
    {"the colour pane's profile window",
     false,
     {"select color.menu_QuickColor 3", "click color.button_AdvanceColorOptions", "click color.button_ManageProfile",
      "click color._addButton", "type color._fileNameEdit OFFICE.ICC", "type color._profileNameEdit Office",
      "click color._localOK", "select color._profileMenu 2"}},
    {"the security pane",
     false,
     {"pane security", "select security.waitModePopUp 1", "type security.securePasswordEditText 1234",
      "check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
      "type security.userNameEditText alice", "type security.userPasswordEditText s3cret"}},
};

// The arguments for `session`: through GTK, or as printdialog's actions
// followed by a report of the state at the end of them.
std::vector<std::string> sessionArgs(const Session& session, bool throughGtk) {
  std::vector<std::string> args{"--ppd", kPPD};
  if (session.fixture) args.insert(args.end(), {"--plugins", kFixturePlugins});
  for (const std::string& action : session.actions) {
    bool modelOnly = action.rfind("choose ", 0) == 0, windowOnly = action.rfind("pane ", 0) == 0;
    if (windowOnly && !throughGtk) continue;
    args.insert(args.end(), {throughGtk && !modelOnly ? "--gtk-do" : "--do", action});
  }
  if (!throughGtk) args.insert(args.end(), {"--do", "state"});
  return args;
}

// The first line of printdialog's output that is a state report.
nlohmann::json firstStateLine(const std::string& out) {
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("{\"", 0) == 0) return nlohmann::json::parse(line, nullptr, false);
  return nullptr;
}

TEST_F(GtkInteraction, EventsThroughGtkLeaveTheModelAsTheScriptedActionsDo) {
  for (const Session& session : kSessions) {
    SCOPED_TRACE(session.story);
    DialogRun scripted = runHeadless(sessionArgs(session, false));
    nlohmann::json expected = firstStateLine(scripted.out);
    ASSERT_TRUE(expected.is_object()) << scripted.out << scripted.err;
    // The profile window's edits are not saved (no OK), so each run starts
    // from the same profile list.
    DialogRun windowed = runGtk(sessionArgs(session, true));
    ASSERT_EQ(windowed.status, 0) << windowed.err;
    for (const auto& [pane, state] : expected.items()) EXPECT_EQ(windowed.state[pane], state) << pane;
    expectWidgetsMatchModel(windowed.state, windowed.widgets);
  }
}

TEST_F(GtkInteraction, TheSummaryTabShowsEveryPanesSummary) {
  std::vector<std::string> args{"--ppd", kPPD};
  for (const std::string& a : actionArgs({"select color.menu_QuickColor 3", "check color.check_EconomyPrint on",
                                          "check security.userAuthenticationCheckBox on"},
                                         false))
    args.push_back(a);
  args.push_back("--summary");
  DialogRun scripted = runHeadless(args);
  args.pop_back();
  args.insert(args.end(), {"--gtk-do", "pane summary"});
  DialogRun windowed = runGtk(args);
  ASSERT_EQ(windowed.status, 0) << windowed.err;

  // printdialog prints the summaries first, then the state.
  nlohmann::json summary =
      nlohmann::json::parse(scripted.out.substr(0, scripted.out.rfind("\n{\n") + 1), nullptr, false);
  ASSERT_TRUE(summary.is_object()) << scripted.out;
  nlohmann::json expected = nlohmann::json::array();
  for (const auto& [pane, info] : summary.items())
    for (const auto& item : info["order"]) expected.push_back({pane, item, info["items"][item.get<std::string>()]});
  EXPECT_EQ(windowed.widgets["summary"], expected);
  EXPECT_EQ(windowed.widgets["tab"], windowed.widgets["tabs"].size() - 1);
}

TEST_F(GtkInteraction, TheFiltersOfTheFieldsApplyToTyping) {
  DialogRun run = runGtk({"--ppd", kPPD, "--plugins", kFixturePlugins, "--gtk-do", "radio fixture.radio_Mode 1",
                          "--gtk-do", "type fixture.edit_Code 1x2y345", "--gtk-do", "type fixture.edit_Name mixed",
                          "--gtk-do", "paste fixture.secure_Pin 9876"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json& fixture = run.widgets["panes"]["fixture"];
  EXPECT_EQ(fixture["edit_Code"]["text"], "1234");  // digits only, four at most
  EXPECT_EQ(fixture["edit_Name"]["text"], "MIXED");
  EXPECT_EQ(fixture["secure_Pin"]["text"], "\u2022\u2022\u2022\u2022");  // the widget never holds the secret
  EXPECT_EQ(run.state["fixture"]["secure_Pin"]["length"], 4);
  EXPECT_EQ(fixture["text_CodeLabel"]["color"], "#000000");
}

TEST_F(GtkInteraction, TheWindowsCloseBoxEndsItsSessionAsACancel) {
  DialogRun run = runGtk({"--ppd", kPPD, "--plugins", kFixturePlugins, "--gtk-do", "click fixture.button_Manage",
                          "--gtk-do", "close fixture.window_Manage"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.state["fixture"]["windowClosed"], 1);
  EXPECT_EQ(run.state["fixture"]["lastResponse"], 0);
  EXPECT_EQ(run.widgets["panes"]["fixture"]["window_Manage"]["visible"], false);
  EXPECT_EQ(run.widgets["front"], "Print");
}

TEST_F(GtkInteraction, ADisabledMenuItemChosenThroughGtkIsRefused) {
  // Section management rules out Secure Print; the combo box returns to the
  // model's choice.
  DialogRun run = runGtk({"--ppd", kPPD, "--do", "check security.sectionManagementCheckBox on", "--gtk-do",
                          "pane security", "--gtk-do", "select security.waitModePopUp 1"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json& menu = run.widgets["panes"]["security"]["waitModePopUp"];
  EXPECT_EQ(menu["items"][1]["enabled"], false);
  EXPECT_EQ(menu["selected"], 0);
  EXPECT_EQ(run.state["security"]["waitModePopUp"]["selected"], 0);
  EXPECT_NE(run.err.find("item 1 of security.waitModePopUp is disabled"), std::string::npos) << run.err;
}

TEST_F(GtkInteraction, APrintAPaneRefusesKeepsTheDialogOpenWithItsAlert) {
  struct Case {
    const char* story;
    std::vector<std::string> args;
    const char* pane;
    const char* alert;
  } cases[] = {
      {"a PIN too short",
       {"--plugins", kFixturePlugins, "--gtk-do", "radio fixture.radio_Mode 1", "--gtk-do",
        "type fixture.secure_Pin 12"},
       "fixture",
       "Enter a PIN of 4 characters."},
      {"a secure print without its password",
       {"--do", "select security.waitModePopUp 1"},
       "security",
       "To use Secure Print, enter the Secure Print Password."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    std::vector<std::string> args{"--ppd", kPPD};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"--gtk-do", "print"});
    DialogRun run = runGtk(args);
    EXPECT_EQ(run.status, 3) << run.err;
    ASSERT_EQ(run.state[c.pane]["alerts"].size(), 1u) << run.state[c.pane];
    EXPECT_NE(run.state[c.pane]["alerts"][0]["message"].get<std::string>().find(c.alert), std::string::npos);
    EXPECT_EQ(run.state[c.pane]["shouldPrint"].back(), false);
    EXPECT_EQ(run.widgets["front"], "Print");  // still open

    // The same dialog prints once the user has put it right.
    args.pop_back();
    args.pop_back();
    if (std::string(c.pane) == "fixture") args.insert(args.end(), {"--gtk-do", "type fixture.secure_Pin 34"});
    else args.insert(args.end(), {"--gtk-do", "pane security", "--gtk-do", "type security.securePasswordEditText 1234"});
    args.insert(args.end(), {"--gtk-do", "print"});
    DialogRun fixed = runGtk(args);
    EXPECT_EQ(fixed.status, 0) << fixed.err;
    EXPECT_EQ(fixed.state[c.pane]["shouldPrint"].back(), true);
  }
}

TEST_F(GtkInteraction, AnAttendedDialogEndsWithPrintOrCancel) {
  // Nothing makes these runs end but the buttons.
  const std::string settings = scratch("settings.plist");
  DialogRun printed = runGtk({"--ppd", kPPD, "--out", settings, "--gtk-do", "select color.menu_QuickColor 2",
                              "--gtk-do", "print"},
                             {}, false);
  EXPECT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(pdk::readPlistFile(settings).get("ZNQuickColor").asString(), "Vivid");
  EXPECT_EQ(printed.state["color"]["shouldPrint"], nlohmann::json::array({true}));

  DialogRun cancelled = runGtk({"--ppd", kPPD, "--gtk-do", "cancel"}, {}, false);
  EXPECT_EQ(cancelled.status, 1) << cancelled.err;
  EXPECT_TRUE(cancelled.state["color"]["shouldPrint"].empty());
}

TEST_F(GtkInteraction, WidgetsTheUserCannotReachRefuseGtkActions) {
  struct Case {
    std::vector<std::string> actions;
    const char* message;
  } cases[] = {
      {{"type fixture.edit_Code 1"}, "fixture.edit_Code's widget is insensitive"},
      {{"row fixture.table_Items 0"}, "fixture.table_Items has no widget on screen"},  // its window is closed
      {{"select fixture.radio_Mode 0"}, "not a GtkComboBox"},
      {{"radio fixture.radio_Mode 2"}, "the radio button at 2 of fixture.radio_Mode is insensitive"},
      {{"click fixture.button_Manage", "row fixture.table_Items 7"}, "has 3 rows, no row 7"},
      {{"click fixture.button_Manage", "cell fixture.table_Items 0 name"}, "column 'name' of fixture.table_Items shows no check boxes"},
      {{"pane nowhere"}, "the dialog has no tab for 'nowhere'"},
      {{"printer nowhere"}, "the printer chooser has no printer 'nowhere'"},
      {{"wave fixture.radio_Mode"}, "unknown GTK action 'wave'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.actions.back());
    std::vector<std::string> args{"--ppd", kPPD, "--plugins", kFixturePlugins};
    for (const std::string& a : actionArgs(c.actions, true)) args.push_back(a);
    DialogRun run = runGtk(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace gtktest
