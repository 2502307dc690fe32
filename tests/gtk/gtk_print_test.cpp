// Printing from the window through a private cupsd: the printer chooser
// offers the server's queues with the default chosen, and Print submits a
// job with the same options as the headless dialog's job for the same
// actions.
#include <unistd.h>

#include <regex>

#include "cups_server.h"
#include "gtk_dialog_run.h"
#include "pdk/plist.h"

namespace gtktest {
namespace {

// The job id in a "request id is QUEUE-N (1 file(s))" line, or 0.
int requestId(const std::string& output, const std::string& queue) {
  std::smatch m;
  return std::regex_search(output, m, std::regex("request id is " + queue + "-([0-9]+) \\(1 file\\(s\\)\\)"))
             ? std::stoi(m[1])
             : 0;
}

class GtkPrint : public GtkDialogTest {
 protected:
  void SetUp() override {
    GtkDialogTest::SetUp();
    if (IsSkipped()) return;
    if (!integration::haveCupsd()) GTEST_SKIP() << "cupsd is not installed";
    if (::geteuid() != 0) GTEST_SKIP() << "the private cupsd runs its filters as user lp: needs root";
    server_ = std::make_unique<integration::CupsServer>();
    ASSERT_TRUE(server_->ready());
    std::string output;
    // Stopped queues: the jobs wait there with their options, nothing prints.
    ASSERT_TRUE(server_->addQueue("tlq", kPPD, "file:///dev/null", false, &output)) << output;
    ASSERT_TRUE(server_->addQueue("office", kPPD, "file:///dev/null", false, &output)) << output;
    document_ = scratch("letter.txt");
    integration::writeFile(document_, "A letter to the printer.\n");
  }
  void TearDown() override {
    server_.reset();
    GtkDialogTest::TearDown();
  }

  std::unique_ptr<integration::CupsServer> server_;
  std::string document_;
};

// One print: the user's actions, as printdialog's --do and through GTK.
struct PrintCase {
  const char* story;
  std::vector<std::string> actions;
  std::vector<std::string> headlessExtra;  // what the window sets with its own controls
  std::vector<std::string> gtkExtra;
};

const PrintCase kPrintCases[] = {
    {"Photo", {"select color.menu_QuickColor 1"}, {}, {}},
    {"Vivid with economy mode, three copies",
     {"select color.menu_QuickColor 2", "check color.check_EconomyPrint on"},
     {"--copies", "3"},
     {"--gtk-do", "copies 3"}},
    {"Custom with an advanced choice and a section",
     {"select color.menu_QuickColor 3", "click color.button_AdvanceColorOptions", "tab color.tab_SwitchVew 2",
      "select color.menu_gHalftone 1", "check security.sectionManagementCheckBox on",
      "type security.sectionNameEditText Sales", "type security.sectionPasswordEditText pw"},
     {},
     {}},
};

TEST_F(GtkPrint, TheJobCarriesTheSameOptionsAsTheHeadlessDialogs) {
  for (const PrintCase& c : kPrintCases) {
    SCOPED_TRACE(c.story);
    const std::string settingsFile = scratch("settings.plist");
    std::vector<std::string> headless{"--queue", "tlq", "--print", document_, "--out", settingsFile};
    for (const std::string& a : actionArgs(c.actions, false)) headless.push_back(a);
    headless.insert(headless.end(), c.headlessExtra.begin(), c.headlessExtra.end());
    DialogRun scripted = runHeadless(headless, server_->clientEnvironment());
    ASSERT_EQ(scripted.status, 0) << scripted.err;
    int scriptedJob = requestId(scripted.out, "tlq");
    ASSERT_GT(scriptedJob, 0) << scripted.out;

    // The window: the security pane's fields are typed into on its tab.
    std::vector<std::string> windowed{"--queue", "tlq", "--print", document_};
    for (const std::string& action : c.actions) {
      if (action.find(" security.") != std::string::npos) windowed.insert(windowed.end(), {"--gtk-do", "pane security"});
      windowed.insert(windowed.end(), {"--gtk-do", action});
    }
    windowed.insert(windowed.end(), c.gtkExtra.begin(), c.gtkExtra.end());
    windowed.insert(windowed.end(), {"--gtk-do", "print"});
    DialogRun run = runGtk(windowed, server_->clientEnvironment());
    ASSERT_EQ(run.status, 0) << run.err;
    int job = requestId(run.out, "tlq");
    ASSERT_GT(job, 0) << run.out;

    // Every option the panes set travels with both jobs alike, and so do
    // the copies and the job's name.
    std::map<std::string, integration::IppAttribute> expected = server_->jobAttributes(scriptedJob),
                                                     actual = server_->jobAttributes(job);
    std::vector<std::string> names{"copies", "job-name"};
    pdk::Value settings = pdk::readPlistFile(settingsFile);
    for (const auto& [name, value] : *settings.dictionaryStorage())
      if (value.isString()) names.push_back(name);
    ASSERT_GT(names.size(), 10u);
    for (const std::string& name : names) {
      EXPECT_EQ(actual.count(name), expected.count(name)) << name;
      EXPECT_EQ(actual[name].type, expected[name].type) << name;
      EXPECT_EQ(actual[name].text, expected[name].text) << name;
    }
  }
}

TEST_F(GtkPrint, TheChooserOffersTheQueuesWithTheDefaultChosen) {
  pdk::TaskResult made = server_->runClient("/usr/sbin/lpadmin", {"-d", "office"});
  ASSERT_EQ(made.exitStatus, 0) << made.output;

  DialogRun shown = runGtk({}, server_->clientEnvironment());
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.widgets["printer"], "office");
  EXPECT_EQ(shown.widgets["printers"], (nlohmann::json{"office", "tlq"}));

  // Another printer: the panes are opened again for it, and the job goes there.
  DialogRun printed = runGtk({"--print", document_, "--gtk-do", "printer tlq", "--gtk-do",
                              "select color.menu_QuickColor 2", "--gtk-do", "print"},
                             server_->clientEnvironment());
  ASSERT_EQ(printed.status, 0) << printed.err;
  int job = requestId(printed.out, "tlq");
  ASSERT_GT(job, 0) << printed.out;
  EXPECT_EQ(server_->jobAttributes(job)["ZNQuickColor"].text, "Vivid");
  EXPECT_TRUE(server_->jobIds("office").empty());
}

TEST_F(GtkPrint, CancelSendsNothing) {
  DialogRun run = runGtk({"--queue", "tlq", "--print", document_, "--gtk-do", "cancel"}, server_->clientEnvironment());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(server_->jobIds("tlq").empty());
}

}  // namespace
}  // namespace gtktest
