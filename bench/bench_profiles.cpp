// Reading and writing a full profile list (3 lists of 500 used slots) with
// the service build, under a temporary system root.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "pdk/system_root.h"
#include "full_profile_list.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"

using profiles::ProfileList;

namespace {

// A temporary root holding the profile folder, removed at exit.
class BenchRoot {
 public:
  BenchRoot() {
    char pattern[] = "/tmp/tlq-bench-profiles-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("TLQ770_ROOT", root_.c_str(), 1);
    std::filesystem::create_directories(pdk::systemPath(pdk::kProfileFolder));
    profiles::ZNPListSetProfilePaths("TLQ770-1", "bench");
  }
  ~BenchRoot() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

 private:
  std::string root_;
};

BenchRoot& benchRoot() {
  static BenchRoot root;
  return root;
}

void BM_ReadProfileAll(benchmark::State& state) {
  benchRoot();
  benchmarkReadingAFullList(state);
}
BENCHMARK(BM_ReadProfileAll)->Unit(benchmark::kMillisecond);

void BM_WriteProfileAllDirect(benchmark::State& state) {
  benchRoot();
  auto rgb = fullProfileList(1), sim = fullProfileList(3), dst = fullProfileList(3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(profiles::ZN_PLIST_PROFILE_PATH)));
}
BENCHMARK(BM_WriteProfileAllDirect)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
