#include "gtk_dialog_run.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "pdk/system_root.h"
#include "pdk/task.h"

namespace gtktest {

namespace {

// Far above a run's few seconds: only a hung dialog reaches it.
constexpr std::chrono::seconds kRunLimit{90};

// Where the colour pane looks for the icon of profiles on the printer.
constexpr const char* kFileExistIcon = "/Library/Printers/GENERIC/TLQ770-1/Icons/fileExistTLQ770-1.icns";

// `s` quoted for /bin/sh.
std::string quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The --state report at the end of the output (after any other lines).
json stateAtEnd(const std::string& out) {
  size_t start = out.rfind("\n{\n");
  start = out.compare(0, 2, "{\n") == 0 && start == std::string::npos ? 0 : start;
  if (start == std::string::npos) return nullptr;
  return json::parse(out.substr(start), nullptr, false);
}

}  // namespace

std::vector<std::string> actionArgs(const std::vector<std::string>& actions, bool throughGtk) {
  std::vector<std::string> args;
  for (const std::string& action : actions) args.insert(args.end(), {throughGtk ? "--gtk-do" : "--do", action});
  return args;
}

void GtkDialogTest::SetUp() {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
  char folder[] = "/tmp/printdialog-gtk-XXXXXX";
  ASSERT_TRUE(::mkdtemp(folder));
  scratch_ = folder;
  root_ = std::make_unique<integration::TempRoot>();
  service_ = std::make_unique<integration::HelperService>(*root_, root_->path() + "/run/helper.sock");
  ASSERT_TRUE(service_->ready());
  ::setenv("TLQ770_ROOT", root_->path().c_str(), 1);
  ::setenv("TLQ770_HELPER_SOCKET", service_->socketPath().c_str(), 1);
  // The relay and the icon where the colour pane finds them.
  const std::string helper = pdk::systemPath(pdk::kHelperProgram);
  std::filesystem::create_directories(std::filesystem::path(helper).parent_path());
  std::filesystem::create_symlink(integration::binaryPath("TLQ770-1Helper"), helper);
  const std::string icon = pdk::systemPath(kFileExistIcon);
  std::filesystem::create_directories(std::filesystem::path(icon).parent_path());
  std::filesystem::copy_file(std::string(TLQ_SOURCE_DIR) + "/resources/colorpane/fileExistTLQ770-1.icns", icon);
}

void GtkDialogTest::TearDown() {
  ::unsetenv("TLQ770_ROOT");
  ::unsetenv("TLQ770_HELPER_SOCKET");
  service_.reset();
  root_.reset();
  if (!scratch_.empty()) std::filesystem::remove_all(scratch_);
}

DialogRun GtkDialogTest::runGtk(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                                bool dump) {
  return run(kGtkProgram, args, env, dump);
}

DialogRun GtkDialogTest::runHeadless(const std::vector<std::string>& args,
                                     const std::map<std::string, std::string>& env) {
  return run(kHeadlessProgram, args, env, false);
}

DialogRun GtkDialogTest::run(const std::string& program, std::vector<std::string> args,
                             const std::map<std::string, std::string>& env, bool widgets) {
  const std::string errFile = scratch("stderr"), dumpFile = scratch("widgets.json");
  std::filesystem::remove(dumpFile);
  args.push_back("--state");
  if (widgets) args.insert(args.end(), {"--dump-widgets", dumpFile});
  std::string command = "exec env";
  for (const auto& [name, value] : env) command += " " + name + "=" + quote(value);
  command += " " + quote(program);
  for (const std::string& a : args) command += " " + quote(a);
  command += " 2>" + quote(errFile);
  pdk::TaskResult r = pdk::runTask("/bin/sh", {"-c", command}, kRunLimit);

  DialogRun result;
  result.status = r.exitStatus;
  result.timedOut = r.timedOut;
  result.out = r.output;
  result.err = integration::readFile(errFile);
  result.state = stateAtEnd(r.output);
  if (widgets && integration::fileExists(dumpFile))
    result.widgets = json::parse(integration::readFile(dumpFile), nullptr, false);
  return result;
}

}  // namespace gtktest
