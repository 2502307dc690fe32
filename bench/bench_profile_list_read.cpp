// Reading a full profile list (3 lists of 500 used slots, as the list
// library writes it), next to libplist's own parse of the same file and
// Python's plistlib. The library's read is timed both when it parses and
// when the file is unchanged since the last read (the kept tables).
#include <benchmark/benchmark.h>
#include <plist/plist.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "full_profile_list.h"
#include "pdk/file_io.h"
#include "pdk/system_root.h"
#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"
#include "profiles/profile_paths.h"

using profiles::ProfileList;

namespace {

// A temporary root holding one full list written a while ago (so that its
// time stamp is settled and the read may keep its tables); removed at exit.
class FullListRoot {
 public:
  FullListRoot() {
    char pattern[] = "/tmp/tlq-bench-list-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("TLQ770_ROOT", root_.c_str(), 1);
    std::filesystem::create_directories(pdk::systemPath(pdk::kProfileFolder));
    profiles::ZNPListSetProfilePaths("TLQ770-1", "bench");
    auto rgb = fullProfileList(1), sim = fullProfileList(3), dst = fullProfileList(3);
    ok_ = profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) == 0;
    path_ = profiles::ZN_PLIST_PROFILE_PATH;
    std::filesystem::last_write_time(path_, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
  }
  ~FullListRoot() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

 private:
  std::string root_, path_;
  bool ok_ = false;
};

FullListRoot& fullList() {
  static FullListRoot root;
  return root;
}

void readAll(benchmark::State& state, bool parseEachTime) {
  if (!fullList().ok()) return state.SkipWithError("cannot write the list");
  auto tables = std::make_unique<ProfileList[]>(3);
  for (auto _ : state) {
    if (parseEachTime) profiles::dropProfileListCache();
    benchmark::DoNotOptimize(profiles::ZNPListReadProfile_All(&tables[0], &tables[1], &tables[2]));
  }
}

// ZNPListReadProfile_All with a parse: what the first read of a dialog costs.
void BM_ListReadParsing(benchmark::State& state) { readAll(state, true); }
BENCHMARK(BM_ListReadParsing)->Unit(benchmark::kMillisecond);

// ZNPListReadProfile_All of an unchanged file: every later read of a dialog.
void BM_ListReadKept(benchmark::State& state) { readAll(state, false); }
BENCHMARK(BM_ListReadKept)->Unit(benchmark::kMillisecond);

// libplist alone: the file's bytes to a plist node tree, and freed.
void BM_LibplistParse(benchmark::State& state) {
  if (!fullList().ok()) return state.SkipWithError("cannot write the list");
  for (auto _ : state) {
    const std::optional<std::string> bytes = pdk::readWholeFile(fullList().path());
    plist_t node = nullptr;
    plist_from_memory(bytes->data(), static_cast<uint32_t>(bytes->size()), &node);
    benchmark::DoNotOptimize(node);
    plist_free(node);
  }
}
BENCHMARK(BM_LibplistParse)->Unit(benchmark::kMillisecond);

// Python's plistlib.loads of the same bytes, timed inside Python (one
// interpreter per iteration; its start-up is not counted).
void BM_PythonPlistlib(benchmark::State& state) {
  if (!fullList().ok()) return state.SkipWithError("cannot write the list");
  const std::string command =
      "python3 -c 'import plistlib, sys, time\n"
      "data = open(sys.argv[1], \"rb\").read()\n"
      "t = time.perf_counter(); plistlib.loads(data); print(time.perf_counter() - t)' " +
      fullList().path();
  for (auto _ : state) {
    FILE* p = ::popen(command.c_str(), "r");
    double seconds = -1;
    if (!p || std::fscanf(p, "%lf", &seconds) != 1) seconds = -1;
    if (p) ::pclose(p);
    if (seconds < 0) return state.SkipWithError("python3 plistlib failed");
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_PythonPlistlib)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
