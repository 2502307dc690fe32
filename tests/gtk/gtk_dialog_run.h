// Running printdialog-gtk (and the headless printdialog, to compare with)
// from the tests, on the display the test runs under (xvfb-run), with a time
// limit. The fixture gives each test a temporary system root with the
// profile helper service and relay in place, so the colour pane's profile
// window opens, and a scratch folder for pictures and dumps.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "test_support.h"

namespace gtktest {

using nlohmann::json;

inline const std::string kGtkProgram = std::string(TLQ_BINARY_DIR) + "/bin/printdialog-gtk";
inline const std::string kHeadlessProgram = std::string(TLQ_BINARY_DIR) + "/bin/printdialog";
inline const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";
inline const std::string kFixturePlugins = std::string(TLQ_BINARY_DIR) + "/test-plugins";

// One run of a dialog program.
struct DialogRun {
  int status = -1;
  bool timedOut = false;
  std::string out, err;
  json state;    // --state, parsed (null when absent)
  json widgets;  // --dump-widgets, parsed (printdialog-gtk only)
};

// "--do ACTION" for each action, or "--gtk-do ACTION" with `throughGtk`.
std::vector<std::string> actionArgs(const std::vector<std::string>& actions, bool throughGtk);

class GtkDialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // printdialog-gtk with `args`, --state and --dump-widgets (which make the
  // run end once the actions have run); with `env` added to the
  // environment. Without `dump`, only --state: the dialog waits for the
  // user once the actions have run.
  DialogRun runGtk(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {},
                   bool dump = true);
  // printdialog with `args` and --state.
  DialogRun runHeadless(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {});
  // A file name in the test's scratch folder.
  std::string scratch(const std::string& name) const { return scratch_ + "/" + name; }

  std::unique_ptr<integration::TempRoot> root_;
  std::unique_ptr<integration::HelperService> service_;
  std::string scratch_;

 private:
  DialogRun run(const std::string& program, std::vector<std::string> args,
                const std::map<std::string, std::string>& env, bool widgets);
};

}  // namespace gtktest
