// The whole print dialog cycle (load, restore, the user's actions, save,
// summary, print step) as printdialog runs it with both panes, next to the
// same run with the colour pane alone: ten runs of each, interleaved, in one
// benchmark; counters are the medians in milliseconds (a process start and
// the colour pane dominate both). Then one security panel cycle in process:
// creation with the PPD, restore, secure print with a password, an
// authenticated user, save, summary and print.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

#include "median.h"
#include "pdk/task.h"
#include "securitypane/security_pde.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr int kRunsEach = 10;
const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";
const std::string kPlugins = std::string(TLQ_BINARY_DIR) + "/plugins";

// A scratch system root (no helper program there) and a plug-ins folder
// holding the colour pane alone.
class BenchFolders {
 public:
  BenchFolders() {
    char pattern[] = "/tmp/tlq-bench-cycle-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("TLQ770_ROOT", root_.c_str(), 1);
    colorOnly_ = root_ + "/color-only";
    std::filesystem::create_directories(colorOnly_);
    std::filesystem::create_directory_symlink(kPlugins + "/colorpane.plugin", colorOnly_ + "/colorpane.plugin");
  }
  ~BenchFolders() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  const std::string& colorOnly() const { return colorOnly_; }

 private:
  std::string root_, colorOnly_;
};

// One printdialog run over `plugins`; its duration in milliseconds, or -1.
double dialogRun(const std::string& plugins, bool withSecurity) {
  std::vector<std::string> args = {"--ppd", kPPD, "--printer-id", "Office", "--plugins", plugins,
                                   "--do", "select color.menu_QuickColor 2", "--out", "/dev/null", "--summary"};
  if (withSecurity) {
    for (const char* action : {"select security.waitModePopUp 1", "type security.securePasswordEditText 1234",
                               "check security.userAuthenticationCheckBox on", "radio security.userRadioButton 1",
                               "type security.userNameEditText alice", "type security.userPasswordEditText pa55"}) {
      args.insert(args.end(), {"--do", action});
    }
  }
  const auto start = std::chrono::steady_clock::now();
  const pdk::TaskResult result = pdk::runTask(std::string(TLQ_BINARY_DIR) + "/bin/printdialog", args);
  const auto end = std::chrono::steady_clock::now();
  if (result.exitStatus != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_DialogCycleBothPanesVsColorPane(benchmark::State& state) {
  BenchFolders folders;
  std::vector<double> both, colorOnly;
  for (auto _ : state) {
    for (int i = 0; i < kRunsEach; ++i) {
      const double a = dialogRun(kPlugins, true), b = dialogRun(folders.colorOnly(), false);
      if (a < 0 || b < 0) return state.SkipWithError("printdialog failed");
      both.push_back(a);
      colorOnly.push_back(b);
    }
  }
  state.counters["both_panes_ms"] = median(both);
  state.counters["color_pane_only_ms"] = median(colorOnly);
}
BENCHMARK(BM_DialogCycleBothPanesVsColorPane)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

// The dialog's side for an in-process panel: the PPD, printer Office, and
// the job's settings and page format.
class BenchHost : public pdk::PDEHostCallback {
 public:
  BenchHost() : ppd_(ppdOpenFile(kPPD.c_str())) {
    if (ppd_) ppdMarkDefaults(ppd_);
    session_.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{"Office", "", "Office"});
    format_.paper = pdk::Paper{"Letter", 612, 792, 12, 12, 12, 12};
  }
  ~BenchHost() override {
    if (ppd_) ppdClose(ppd_);
  }
  ppd_file_s* ppdFile() override { return ppd_; }
  pdk::PrintSettings* printSettings() override { return &settings_; }
  pdk::PrintSession* printSession() override { return &session_; }
  pdk::PageFormat* pageFormat() override { return &format_; }
  // Start the next dialog afresh: empty settings, the PPD's defaults.
  void reset() {
    for (const std::string& key : settings_.dictionary().keys()) settings_.removeValue(key);
    if (ppd_) ppdMarkDefaults(ppd_);
  }

 private:
  ppd_file_t* ppd_;
  pdk::PrintSettings settings_;
  pdk::PrintSession session_;
  pdk::PageFormat format_;
};

void typeInto(pdk::TextField& field, const std::string& text) {
  field.beginEditing();
  for (char c : text) field.currentEditor()->insertText(std::string(1, c));
  field.endEditing();
}

void BM_SecurityPanelCycle(benchmark::State& state) {
  pdk::BundleRef bundle = pdk::Bundle::open(kPlugins + "/securitypane.plugin");
  if (!bundle) return state.SkipWithError("the securitypane bundle is not built");
  // The dialog's PPD is read once, as the dialog reads it before any pane.
  auto host = std::make_shared<BenchHost>();
  for (auto _ : state) {
    host->reset();
    auto pane = std::make_shared<securitypane::SecurityPDE>();
    if (!pane->initWithCallback(host, bundle)) return state.SkipWithError("no panel");
    std::string ignored;
    pane->restoreValuesAndReturnError(&ignored);
    pane->willShow();
    pane->waitModePopUp->selectItemAtIndex(1);
    pane->waitModePopUp->sendAction();
    typeInto(*pane->securePasswordEditText, "1234");
    pane->userAuthenticationCheckBox->setState(1);
    pane->userAuthenticationCheckBox->sendAction();
    pane->userRadioButton->clickCellAtRow(1, 0);
    typeInto(*pane->userNameEditText, "alice");
    typeInto(*pane->userPasswordEditText, "pa55");
    pane->saveValuesAndReturnError(&ignored);
    benchmark::DoNotOptimize(pane->summaryInfo());
    if (!pane->shouldPrint()) return state.SkipWithError("the panel refused to print");
  }
}
BENCHMARK(BM_SecurityPanelCycle)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
