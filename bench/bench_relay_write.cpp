// The colour pane's view of the profile list: a full list (3 lists of 500
// used slots) written through the relay in 90 000-character pieces, and all
// three lists read back. Needs a running service: run by
// bench/service_bench.sh, which starts one and sets TLQ770_ROOT,
// TLQ770_HELPER_SOCKET and the relay program under the root.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "full_profile_list.h"
#include "profiles/profile_list.h"

using profiles::ProfileList;

namespace {

bool serviceReady(benchmark::State& state) {
  if (std::getenv("TLQ770_HELPER_SOCKET") && std::getenv("TLQ770_ROOT")) return true;
  state.SkipWithError("run from bench/service_bench.sh (needs a running service)");
  return false;
}

void BM_WriteProfileAllThroughRelay(benchmark::State& state) {
  if (!serviceReady(state)) return;
  auto rgb = fullProfileList(1), sim = fullProfileList(3), dst = fullProfileList(3);
  for (auto _ : state) {
    if (profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) != 0) {
      state.SkipWithError("the relay write failed");
      return;
    }
  }
}
BENCHMARK(BM_WriteProfileAllThroughRelay)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ReadProfileAllInPane(benchmark::State& state) {
  if (!serviceReady(state)) return;
  benchmarkReadingAFullList(state);
}
BENCHMARK(BM_ReadProfileAllInPane)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
