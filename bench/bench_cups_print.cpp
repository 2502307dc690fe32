// Printing one file through a private cupsd: a whole printdialog run
// (--queue, one Quick Colour choice, --print) from its start until it exits
// with the job accepted, next to lp sending the same file with the same job
// options: ten runs of each, interleaved, in one benchmark. The queue is
// stopped, so the time ends when cupsd has accepted the job, not when it
// has printed it. Counters: the medians in milliseconds and their ratio.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cups_server.h"
#include "median.h"
#include "pdk/plist.h"

namespace {

constexpr int kRunsEach = 10;
const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";

// The duration of one client run in milliseconds, or -1 when it failed or
// printed no request id.
double timedRun(const integration::CupsServer& server, const std::string& program,
                const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  const pdk::TaskResult r = server.runClient(program, args);
  const auto end = std::chrono::steady_clock::now();
  if (r.exitStatus != 0 || r.output.find("request id is tlq-") == std::string::npos) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_PrintDialogQueueJobVsLp(benchmark::State& state) {
  integration::CupsServer server;
  if (!server.ready()) return state.SkipWithError("cupsd did not start");
  if (!server.addQueue("tlq", kPPD, "file:///dev/null", false)) return state.SkipWithError("lpadmin failed");
  char pattern[] = "/tmp/tlq-bench-cups-XXXXXX";
  const std::string folder = ::mkdtemp(pattern);
  ::setenv("TLQ770_ROOT", folder.c_str(), 1);
  const std::string document = folder + "/letter.txt", settings = folder + "/settings.plist";
  if (FILE* f = std::fopen(document.c_str(), "w")) {
    std::fputs("A letter to the printer.\n", f);
    std::fclose(f);
  }

  const std::string dialog = std::string(TLQ_BINARY_DIR) + "/bin/printdialog";
  const std::vector<std::string> dialogArgs = {"--queue", "tlq", "--do", "select color.menu_QuickColor 1",
                                               "--print", document};
  // lp gets the options the dialog sends: the settings' top-level texts.
  std::vector<std::string> settingsArgs = dialogArgs;
  settingsArgs.insert(settingsArgs.end(), {"--out", settings});
  if (timedRun(server, dialog, settingsArgs) < 0) return state.SkipWithError("printdialog failed");
  const pdk::Value sent = pdk::readPlistFile(settings);
  if (!sent.isDictionary()) return state.SkipWithError("printdialog wrote no settings");
  std::vector<std::string> lpArgs = {"-d", "tlq"};
  for (const auto& [name, value] : *sent.dictionaryStorage())
    if (value.isString()) lpArgs.insert(lpArgs.end(), {"-o", name + "=" + value.asString()});
  lpArgs.push_back(document);

  std::vector<double> dialogTimes, lpTimes;
  for (auto _ : state) {
    for (int i = 0; i < kRunsEach; ++i) {
      const double a = timedRun(server, dialog, dialogArgs), b = timedRun(server, "/usr/bin/lp", lpArgs);
      if (a < 0 || b < 0) return state.SkipWithError("a print failed");
      dialogTimes.push_back(a);
      lpTimes.push_back(b);
    }
  }
  state.counters["printdialog_ms"] = median(dialogTimes);
  state.counters["lp_ms"] = median(lpTimes);
  state.counters["ratio"] = median(dialogTimes) / median(lpTimes);
  state.counters["options"] = static_cast<double>(lpArgs.size() - 3) / 2;
  pdk::runTask("/bin/rm", {"-rf", folder});
}
BENCHMARK(BM_PrintDialogQueueJobVsLp)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
