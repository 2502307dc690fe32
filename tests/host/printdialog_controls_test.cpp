// End-to-end runs of printdialog with the test-only fixture pane, which uses
// every toolkit control: radio groups, text fields typed into, pasted into
// and deleted from through their hooks, secure fields, a modal window with
// a table, the open panel, alerts and a refused print.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "pdk/plist.h"
#include "printdialog_run.h"

namespace {

using nlohmann::json;

const std::string kFixturePlugins = std::string(TLQ_BINARY_DIR) + "/test-plugins";

struct DialogRun {
  int status = -1;
  std::vector<json> stateLines;  // one per "state" action
  json finalState;               // from --state, when asked
  std::string out, err;
};

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/printdialog-controls-XXXXXX";
    dir_ = mkdtemp(tmpl);
  }
  void TearDown() override { (void)std::system(("rm -rf " + hosttest::quote(dir_)).c_str()); }

  // Run the fixture pane with `actions`; --state is added at the end.
  DialogRun run(const std::vector<std::string>& actions, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--ppd", hosttest::kPPD, "--plugins", kFixturePlugins};
    for (auto& a : actions) {
      args.push_back("--do");
      args.push_back(a);
    }
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back("--state");
    std::string errFile = dir_ + "/stderr";
    pdk::TaskResult r = hosttest::runPrintDialog(args, errFile);
    DialogRun result;
    result.status = r.exitStatus;
    result.out = r.output;
    result.err = readFile(errFile);
    // The "state" actions print one line each; --state prints the rest.
    std::istringstream in(r.output);
    std::string line, rest;
    while (std::getline(in, line)) {
      if (line.rfind("{\"", 0) == 0) result.stateLines.push_back(json::parse(line, nullptr, false));
      else rest += line + "\n";
    }
    result.finalState = json::parse(rest, nullptr, false);
    return result;
  }

  static std::string readFile(const std::string& path) {
    pdk::TaskResult r = pdk::runTask("/bin/cat", {path});
    return r.output;
  }

  std::string dir_;
};

TEST_F(Controls, TheRadioGroupEnablesTheCodeFieldAndColoursItsLabel) {
  DialogRun before = run({});
  ASSERT_EQ(before.status, 0) << before.err;
  const json& radio = before.finalState["fixture"]["radio_Mode"];
  EXPECT_EQ(radio["kind"], "radiogroup");
  EXPECT_EQ(radio["selectedRow"], 0);
  EXPECT_EQ(radio["rows"], 3);
  EXPECT_EQ(radio["columns"], 1);
  ASSERT_EQ(radio["cells"].size(), 3u);
  EXPECT_EQ(radio["cells"][1]["title"], "Code");
  EXPECT_EQ(radio["cells"][2]["enabled"], false);
  EXPECT_EQ(before.finalState["fixture"]["text_CodeLabel"]["textColor"], "gray");
  EXPECT_EQ(before.finalState["fixture"]["text_CodeLabel"]["title"], "Code:");
  EXPECT_EQ(before.finalState["fixture"]["edit_Code"]["enabled"], false);

  DialogRun after = run({"radio fixture.radio_Mode 1", "type fixture.secure_Pin wxyz"});
  ASSERT_EQ(after.status, 0) << after.err;
  EXPECT_EQ(after.finalState["fixture"]["radio_Mode"]["selectedRow"], 1);
  EXPECT_EQ(after.finalState["fixture"]["text_CodeLabel"]["textColor"], "black");
  EXPECT_EQ(after.finalState["fixture"]["edit_Code"]["enabled"], true);
}

TEST_F(Controls, TypingPastingAndDeletingGoThroughTheFieldsHooks) {
  DialogRun r = run({"radio fixture.radio_Mode 1", "type fixture.secure_Pin wxyz",
                     // Digits only, four at most: the letter is dropped, the fifth digit refused.
                     "type fixture.edit_Code 12a345", "state", "backspace fixture.edit_Code 2", "state",
                     // A paste is one change: too long as a whole, so refused whole.
                     "paste fixture.edit_Code 9x87", "state", "paste fixture.edit_Code x9", "state",
                     // The text is the rest after one space, escapes decoded; the
                     // name field's delegate upper-cases it as it changes.
                     "type fixture.edit_Name  a b\\u{e9}\\\\", "state", "type fixture.edit_Name \\u{1F600}", "state",
                     "clear fixture.edit_Name", "type fixture.edit_Name"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.stateLines.size(), 6u) << r.out;
  struct Expected {
    const char* field;
    std::string text;
    int caret;
  } expected[] = {
      {"edit_Code", "1234", 4},
      {"edit_Code", "12", 2},
      {"edit_Code", "12", 2},
      {"edit_Code", "129", 3},
      {"edit_Name", " A B\u00e9\\", 6},
      {"edit_Name", " A B\u00e9\\\U0001F600", 8},  // the emoji takes two UTF-16 units
  };
  for (size_t i = 0; i < 6; ++i) {
    const json& field = r.stateLines[i]["fixture"][expected[i].field];
    EXPECT_EQ(field["text"], expected[i].text) << i;
    EXPECT_EQ(field["selection"], json::array({expected[i].caret, 0})) << i;
    EXPECT_EQ(field["editing"], false) << i;
  }
  EXPECT_EQ(r.finalState["fixture"]["edit_Name"]["text"], "");
  EXPECT_EQ(r.finalState["fixture"]["edit_Name"]["selection"], json::array({0, 0}));
}

TEST_F(Controls, SecureFieldsNeverShowTheirText) {
  std::string out = dir_ + "/settings.plist";
  DialogRun r = run({"type fixture.secure_Pin zqwv"}, {"--out", out});
  ASSERT_EQ(r.status, 0) << r.err;
  const json& pin = r.finalState["fixture"]["secure_Pin"];
  EXPECT_EQ(pin["kind"], "textfield");
  EXPECT_EQ(pin["secure"], true);
  EXPECT_EQ(pin["length"], 4);
  EXPECT_EQ(pin["text"], "\u2022\u2022\u2022\u2022");
  EXPECT_EQ(pin["selection"], json::array({4, 0}));
  EXPECT_EQ(r.out.find("zqwv"), std::string::npos);
  EXPECT_EQ(r.err.find("zqwv"), std::string::npos);
  EXPECT_EQ(pdk::plistToXml(pdk::readPlistFile(out)).find("zqwv"), std::string::npos);
}

TEST_F(Controls, AShortPinStopsThePrintWithAnAlert) {
  struct Case {
    std::string pin;
    int status;
    std::vector<bool> answers;
    size_t alerts;
  } cases[] = {
      {"zq", 3, {false, false}, 2},
      {"zqwv", 0, {true, true}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pin);
    std::string out = dir_ + "/settings.plist";
    ::unlink(out.c_str());
    DialogRun r =
        run({"radio fixture.radio_Mode 1", "type fixture.secure_Pin " + c.pin, "print fixture"}, {"--out", out});
    EXPECT_EQ(r.status, c.status) << r.err;
    const json& fixture = r.finalState["fixture"];
    EXPECT_EQ(fixture["shouldPrint"], json(c.answers));
    ASSERT_EQ(fixture["alerts"].size(), c.alerts);
    if (c.alerts) {
      EXPECT_EQ(fixture["alerts"][0]["message"], "Enter a PIN of 4 characters.");
      EXPECT_EQ(fixture["alerts"][0]["informative"], "");
      EXPECT_EQ(fixture["alerts"][0]["buttons"], json::array({"OK"}));
      EXPECT_NE(r.err.find("printdialog: alert: Enter a PIN of 4 characters.\n"), std::string::npos) << r.err;
    }
    // The settings are written even when the dialog does not print.
    EXPECT_EQ(pdk::readPlistFile(out).get("FixtureMode").asInteger(), 1);
  }
}

TEST_F(Controls, TheModalWindowTakesTheActionsUntilItCloses) {
  DialogRun r =
      run({"click fixture.button_Manage", "state", "row fixture.table_Items 2", "cell fixture.table_Items 0 inmenu",
           "state", "click fixture.button_OK", "state", "radio fixture.radio_Mode 1", "type fixture.secure_Pin wxyz"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.stateLines.size(), 3u) << r.out;

  const json& open = r.stateLines[0]["fixture"];
  EXPECT_EQ(open["window_Manage"]["kind"], "window");
  EXPECT_EQ(open["window_Manage"]["title"], "Manage Items");
  EXPECT_EQ(open["window_Manage"]["open"], true);
  EXPECT_EQ(open["window_Manage"]["modal"], true);
  const json& table = open["table_Items"];
  EXPECT_EQ(table["kind"], "table");
  ASSERT_EQ(table["columns"].size(), 3u);
  EXPECT_EQ(table["columns"][2], json({{"identifier", "inmenu"}, {"title", "In Menu"}, {"kind", "checkbox"}}));
  ASSERT_EQ(table["rows"].size(), 3u);
  EXPECT_EQ(table["rows"][0]["name"], "Alpha");
  EXPECT_EQ(table["rows"][0]["inmenu"], 1);
  std::string icon = table["rows"][0]["icon"];
  EXPECT_EQ(icon.substr(icon.size() - 10), "/icon.icns");
  EXPECT_TRUE(table["rows"][1]["icon"].is_null());  // the shared cell was cleared for this row
  EXPECT_EQ(table["selectedRow"], -1);

  const json& changed = r.stateLines[1]["fixture"]["table_Items"];
  EXPECT_EQ(changed["selectedRow"], 2);
  EXPECT_EQ(changed["rows"][0]["inmenu"], 0);  // the check box was clicked

  const json& closed = r.stateLines[2]["fixture"];
  EXPECT_EQ(closed["window_Manage"]["open"], false);
  EXPECT_EQ(closed["window_Manage"]["modal"], false);
  EXPECT_EQ(closed["lastResponse"], 1);  // OK
  // After the window, the actions reach the panel again.
  EXPECT_EQ(r.finalState["fixture"]["radio_Mode"]["selectedRow"], 1);
}

TEST_F(Controls, TheWindowEndsAsACancelByItsButtonOrWhenTheActionsRunOut) {
  const std::vector<std::string> scripts[] = {
      {"click fixture.button_Manage", "row fixture.table_Items 0"},
      {"click fixture.button_Manage", "click fixture.button_Cancel"},
      {"click fixture.button_Manage"},
  };
  for (auto& script : scripts) {
    SCOPED_TRACE(script.back());
    DialogRun r = run(script);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.finalState["fixture"]["lastResponse"], 0);  // Cancel
    EXPECT_EQ(r.finalState["fixture"]["windowClosed"], 1);
    EXPECT_EQ(r.finalState["fixture"]["window_Manage"]["open"], false);
  }
}

TEST_F(Controls, TheTableRulesOnItsSelection) {
  struct Step {
    const char* action;
    int selected;
  } steps[] = {
      {"row fixture.table_Items 1", -1},   // the delegate refuses the locked row
      {"row fixture.table_Items 0", 0},
      {"row fixture.table_Items -1", -1},  // empty space
      {"row fixture.table_Items 2", 2},
      {"click fixture.button_Add", 2},
      {"row fixture.table_Items 0", 2},    // no selection change while adding
      {"row fixture.table_Items -1", 2},
  };
  std::vector<std::string> actions = {"click fixture.button_Manage"};
  for (const Step& s : steps) {
    actions.push_back(s.action);
    actions.push_back("state");
  }
  DialogRun r = run(actions);
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.stateLines.size(), std::size(steps));
  for (size_t i = 0; i < std::size(steps); ++i)
    EXPECT_EQ(r.stateLines[i]["fixture"]["table_Items"]["selectedRow"], steps[i].selected) << steps[i].action;
}

TEST_F(Controls, TheOpenPanelTakesTheScriptedAnswer) {
  DialogRun r = run({"click fixture.button_Manage", "click fixture.button_Add", "choose /some dir/New Item.icc",
               "click fixture.button_Browse", "state", "choose cancel", "click fixture.button_Browse", "state",
               "click fixture.button_Browse", "state", "click fixture.button_AddOK", "state"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.stateLines.size(), 4u) << r.out;
  // A cancel, or a panel without an answer, leaves the field as it was.
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(r.stateLines[i]["fixture"]["edit_ItemName"]["text"], "New Item.icc") << i;
  const json& rows = r.stateLines[3]["fixture"]["table_Items"]["rows"];
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3]["name"], "New Item.icc");
}

TEST_F(Controls, StateReportsThePaneItsImageAndWindow) {
  DialogRun r = run({});
  ASSERT_EQ(r.status, 0) << r.err;
  const json& fixture = r.finalState["fixture"];
  EXPECT_EQ(fixture["panelKind"], "test.fixture.pane");
  EXPECT_EQ(fixture["supportedPPDOptionKeys"], json::array({"FixtureMode"}));
  EXPECT_EQ(fixture["alerts"], json::array());
  EXPECT_EQ(fixture["shouldPrint"], json::array({true}));
  EXPECT_EQ(fixture["image_Logo"]["kind"], "image");
  std::string image = fixture["image_Logo"]["image"];
  EXPECT_EQ(image, kFixturePlugins + "/fixturepane.plugin/Resources/icon.icns");
  EXPECT_EQ(fixture["window_Manage"]["open"], false);
  EXPECT_EQ(fixture["edit_ItemName"]["kind"], "textfield");  // a control of the window
}

TEST_F(Controls, UnreachableOrUnfitControlsAreRefused) {
  const std::string manage = "click fixture.button_Manage";
  struct Case {
    std::vector<std::string> actions;
    const char* message;
  } cases[] = {
      {{"row fixture.table_Items 0"}, "fixture.table_Items is hidden"},  // its window is closed
      {{manage, "radio fixture.radio_Mode 1"}, "fixture.radio_Mode is behind the modal window 'Manage Items'"},
      {{manage, "print fixture"}, "the dialog is blocked by the modal window 'Manage Items'"},
      {{"type fixture.edit_Code 1"}, "fixture.edit_Code is disabled"},
      {{"type fixture.text_CodeLabel x"}, "is a statictext, not an editable text field"},
      {{"type fixture.edit_Name a\\qb"}, "bad escape"},
      {{"type fixture.edit_Name \\u{D800}"}, "is not a character"},
      {{"type fixture.edit_Name \\u{110000}"}, "is not a character"},
      {{"type fixture.edit_Name \\u{}"}, "bad escape"},
      {{"type"}, "takes P.OUTLET and a text"},
      {{"radio fixture.radio_Mode 9"}, "no cell 9,0"},
      {{"radio fixture.radio_Mode 2"}, "cell 2,0 of fixture.radio_Mode is disabled"},
      {{"radio fixture.edit_Name 0"}, "not a radio group"},
      {{"backspace fixture.edit_Name 0"}, "not a number of keystrokes"},
      {{"clear fixture.edit_Name 1"}, "takes 1 argument"},
      {{"choose"}, "'choose' takes a path or cancel"},
      {{"state now"}, "takes 0 argument"},
      {{manage, "row fixture.table_Items x"}, "'x' is not a row index"},
      {{manage, "row fixture.table_Items 3"}, "has 3 rows, no row 3"},
      {{manage, "cell fixture.table_Items 0 name"}, "column 'name' of fixture.table_Items holds no check boxes"},
      {{manage, "cell fixture.table_Items 0 nope"}, "has no column 'nope'"},
      {{manage, "cell fixture.table_Items 5 inmenu"}, "no row 5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.actions.back());
    DialogRun r = run(c.actions);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
