// A whole printdialog run (load, restore, three chosen profile menus, save,
// summary, print step; the text and simulation menus are reached through
// their tabs) with a full profile list (3 lists of 500 used slots), next to
// the same run with no list: ten runs of each, interleaved, in one
// benchmark. Counters: the medians in milliseconds and their ratio. Without
// a list the three menus choose PPD choices, as there is nothing else.
#include <benchmark/benchmark.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "full_profile_list.h"
#include "median.h"
#include "pdk/system_root.h"
#include "pdk/task.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"

namespace {

constexpr int kRunsEach = 10;

// A system root whose profile folder holds the user's full list, or nothing.
class DialogRoot {
 public:
  explicit DialogRoot(bool withList) {
    char pattern[] = "/tmp/tlq-bench-dialog-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("TLQ770_ROOT", root_.c_str(), 1);
    std::filesystem::create_directories(pdk::systemPath(pdk::kProfileFolder));
    if (!withList) return;
    // The direct build writes the file the dialog's user reads.
    const passwd* pw = ::getpwuid(::getuid());
    profiles::ZNPListSetProfilePaths("TLQ770-1", pw ? pw->pw_name : "");
    auto rgb = fullProfileList(1), sim = fullProfileList(3), dst = fullProfileList(3);
    listWritten_ = profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) == 0;
  }
  ~DialogRoot() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  const std::string& path() const { return root_; }
  bool listWritten() const { return listWritten_; }

 private:
  std::string root_;
  bool listWritten_ = false;
};

// One printdialog run under `root`; its duration in milliseconds, or -1.
double dialogRun(const std::string& root, int menuIndex) {
  ::setenv("TLQ770_ROOT", root.c_str(), 1);
  const std::string index = std::to_string(menuIndex);
  const std::vector<std::string> args = {
      "--ppd", std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd", "--printer-id", "Office",
      "--do", "select color.menu_QuickColor 3",
      "--do", "select color.menu_iRGBSource " + index,
      "--do", "tab color.tab_SwitchVew 1",
      "--do", "select color.menu_tDestinationProfile " + index,
      "--do", "tab color.tab_SwitchVew 3",
      "--do", "select color.menu_sSimulationProfile " + index,
      "--out", "/dev/null", "--summary"};
  const auto start = std::chrono::steady_clock::now();
  const pdk::TaskResult result = pdk::runTask(std::string(TLQ_BINARY_DIR) + "/bin/printdialog", args);
  const auto end = std::chrono::steady_clock::now();
  if (result.exitStatus != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_PrintDialogRunFullListVsNone(benchmark::State& state) {
  DialogRoot full(true), none(false);
  if (!full.listWritten()) return state.SkipWithError("cannot write the full list");
  std::vector<double> withList, withoutList;
  for (auto _ : state) {
    for (int i = 0; i < kRunsEach; ++i) {
      // Index 10 is a listed profile in each menu; without a list, choice 1.
      const double a = dialogRun(full.path(), 10), b = dialogRun(none.path(), 1);
      if (a < 0 || b < 0) return state.SkipWithError("printdialog failed");
      withList.push_back(a);
      withoutList.push_back(b);
    }
  }
  state.counters["full_list_ms"] = median(withList);
  state.counters["no_list_ms"] = median(withoutList);
  state.counters["ratio"] = median(withList) / median(withoutList);
}
BENCHMARK(BM_PrintDialogRunFullListVsNone)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
