// The GTK mirror of the toolkit model: in every view of every pane (the
// colour pane's basic and advanced views and profile window, the security
// pane, the test pane that uses every kind of control and its modal window)
// each control has a widget at its frame showing the title, enabled and
// hidden state and value that the model itself reports.
#include <set>

#include "gtk_dialog_run.h"
#include "widget_checks.h"

namespace gtktest {
namespace {

// One view of the dialog: how the user gets there.
struct View {
  const char* story;
  bool fixture;  // the test pane instead of the real ones
  std::vector<std::string> actions;
  std::vector<std::string> gtkActions;  // after the actions
};

const std::string kAdvanced[] = {"select color.menu_QuickColor 3", "click color.button_AdvanceColorOptions"};

const View kViews[] = {
    {"the colour pane's basic view", false, {}, {}},
    {"the basic view with choices made", false,
     {"select color.menu_QuickColor 2", "check color.check_EconomyPrint on", "select color.menu_Brightness 5"}, {}},
    {"the advanced view, image tab", false, {kAdvanced[0], kAdvanced[1]}, {}},
    {"the advanced view, text tab", false, {kAdvanced[0], kAdvanced[1], "tab color.tab_SwitchVew 1"}, {}},
    {"the advanced view, graphics tab", false, {kAdvanced[0], kAdvanced[1], "tab color.tab_SwitchVew 2"}, {}},
    {"the advanced view, simulation tab", false, {kAdvanced[0], kAdvanced[1], "tab color.tab_SwitchVew 3"}, {}},
    {"the profile window", false, {kAdvanced[0], kAdvanced[1], "click color.button_ManageProfile"}, {}},
    {"the profile window adding a profile", false,
     {kAdvanced[0], kAdvanced[1], "click color.button_ManageProfile", "click color._addButton",
      "type color._fileNameEdit OFFICE.ICC", "type color._profileNameEdit Office"},
     {}},
    {"the security pane", false, {}, {"pane security"}},
    {"the security pane, a secure print by a private user", false,
     {"select security.waitModePopUp 1", "type security.securePasswordEditText 1234",
      "check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
      "type security.userNameEditText alice", "type security.userPasswordEditText secret"},
     {"pane security"}},
    {"the security pane, section management", false,
     {"check security.sectionManagementCheckBox on", "type security.sectionNameEditText Sales",
      "type security.sectionPasswordEditText pw"},
     {"pane security"}},
    {"the test pane", true, {"radio fixture.radio_Mode 1", "type fixture.edit_Code 42", "type fixture.edit_Name ab"}, {}},
    {"the test pane's modal window", true, {"click fixture.button_Manage", "row fixture.table_Items 2"}, {}},
};

class GtkMirror : public GtkDialogTest {};

TEST_F(GtkMirror, EveryControlHasAWidgetShowingTheModelsState) {
  // Every control some view shows, by pane, and every control that is
  // ever reported as not hidden.
  std::map<std::string, std::set<std::string>> onScreen, shownByModel;
  for (const View& view : kViews) {
    SCOPED_TRACE(view.story);
    std::vector<std::string> args{"--ppd", kPPD};
    if (view.fixture) args.insert(args.end(), {"--plugins", kFixturePlugins});
    for (const std::string& a : actionArgs(view.actions, false)) args.push_back(a);
    for (const std::string& a : actionArgs(view.gtkActions, true)) args.push_back(a);
    DialogRun run = runGtk(args);
    ASSERT_EQ(run.status, 0) << run.err;
    expectWidgetsMatchModel(run.state, run.widgets);
    for (const auto& [pane, controls] : run.state.items()) {
      for (const std::string& id : controlsOnScreen(run.widgets, pane)) onScreen[pane].insert(id);
      for (const auto& [id, control] : controls.items())
        if (control.is_object() && control.contains("enabled") && control["hidden"] == false)
          shownByModel[pane].insert(id);
    }
  }
  // A control the model shows is on screen in one view or another.
  for (const auto& [pane, controls] : shownByModel)
    for (const std::string& id : controls) EXPECT_TRUE(onScreen[pane].count(id)) << pane << "." << id;
}

TEST_F(GtkMirror, TheModalWindowIsTheFrontWindowUntilItCloses) {
  DialogRun open = runGtk({"--ppd", kPPD, "--plugins", kFixturePlugins, "--do", "click fixture.button_Manage"});
  ASSERT_EQ(open.status, 0) << open.err;
  EXPECT_EQ(open.widgets["front"], "Manage Items");
  EXPECT_EQ(open.widgets["panes"]["fixture"]["window_Manage"]["modal"], true);
  EXPECT_EQ(open.widgets["panes"]["fixture"]["window_Manage"]["mapped"], true);

  // Its OK button ends the session; the window goes and the dialog is in front again.
  DialogRun closed = runGtk({"--ppd", kPPD, "--plugins", kFixturePlugins, "--do", "click fixture.button_Manage",
                             "--gtk-do", "click fixture.button_OK"});
  ASSERT_EQ(closed.status, 0) << closed.err;
  EXPECT_EQ(closed.widgets["front"], "Print");
  EXPECT_EQ(closed.widgets["panes"]["fixture"]["window_Manage"]["visible"], false);
  EXPECT_EQ(closed.state["fixture"]["lastResponse"], 1);
}

}  // namespace
}  // namespace gtktest
