// Colour pane timings: a whole panel cycle on the bundled PPD, the rule
// table over the compound table, and an XML property-list read and write
// of a file the size of a full profile list.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "colorpane/pde_common.h"
#include "colorpane/pde_plugin_interface.h"
#include "colorpane/ppd_access.h"
#include "colorpane/quick_color_rules.h"
#include "pdk/plist.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

class BenchHost : public pdk::PDEHostCallback {
 public:
  explicit BenchHost(ppd_file_t* file) : ppd(file) {
    session.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{"Office", "", ""});
  }
  ppd_file_s* ppdFile() override { return ppd; }
  pdk::PrintSettings* printSettings() override { return &settings; }
  pdk::PrintSession* printSession() override { return &session; }
  pdk::PageFormat* pageFormat() override { return &format; }
  ppd_file_t* ppd;
  pdk::PrintSettings settings;
  pdk::PrintSession session;
  pdk::PageFormat format;
};

struct Setup {
  Setup() {
    setenv("TLQ770_ROOT", "/nonexistent-bench-root", 1);  // no helper program: no profile requests
    colorpane::pluginBundle = pdk::Bundle::open(std::string(TLQ_BINARY_DIR) + "/plugins/colorpane.plugin");
    ppd = ppdOpenFile((std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd").c_str());
    ppdMarkDefaults(ppd);
  }
  ppd_file_t* ppd;
};

Setup& setup() {
  static Setup s;
  return s;
}

// Create the panel and run the calls a dialog makes around one print.
void BM_ColorPanelCycle(benchmark::State& state) {
  Setup& s = setup();
  for (auto _ : state) {
    auto host = std::make_shared<BenchHost>(s.ppd);
    auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
    panel->initWithCallback(host);
    std::string err;
    benchmark::DoNotOptimize(panel->supportedPPDOptionKeys());
    panel->restoreValuesAndReturnError(&err);
    panel->saveValuesAndReturnError(&err);
    benchmark::DoNotOptimize(panel->summaryInfo());
  }
}
BENCHMARK(BM_ColorPanelCycle)->Unit(benchmark::kMicrosecond);

void BM_QuickColorRules(benchmark::State& state) {
  Setup& s = setup();
  auto host = std::make_shared<BenchHost>(s.ppd);
  auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
  panel->initWithCallback(host);
  std::string err;
  panel->restoreValuesAndReturnError(&err);
  const colorpane::PDEControlRow* table = panel->compoundTable();
  for (auto _ : state) colorpane::vColorPresetConstraints(table);
}
BENCHMARK(BM_QuickColorRules)->Unit(benchmark::kNanosecond);

// 3 classes × 6 field dictionaries × 500 keys, like a full profile list.
pdk::Value profileSizedDictionary() {
  static const char* kClasses[] = {"RGB", "SIM", "DST"};
  static const char* kFields[] = {"IndexOnDevice", "InMenu", "ProfileClass", "FileName", "ProfileName", "Location"};
  pdk::Value root = pdk::Value::dictionary();
  for (const char* cls : kClasses) {
    pdk::Value fields = pdk::Value::dictionary();
    for (int f = 0; f < 6; ++f) {
      pdk::Value slots = pdk::Value::dictionary();
      for (int i = 0; i < 500; ++i) {
        char key[64];
        std::snprintf(key, sizeof key, "%s%04d", kFields[f], i);
        if (f == 3 || f == 4) slots.set(key, pdk::Value(std::string("PROFILE") + std::to_string(i) + ".ICC"));
        else slots.set(key, pdk::Value(int64_t{i % 7}));
      }
      fields.set(kFields[f], slots);
    }
    root.set(cls, fields);
  }
  return root;
}

void BM_PlistWriteRead(benchmark::State& state) {
  pdk::Value dict = profileSizedDictionary();
  char tmpl[] = "/tmp/bench-plist-XXXXXX";
  int fd = mkstemp(tmpl);
  close(fd);
  for (auto _ : state) {
    pdk::writePlistFile(tmpl, dict);
    benchmark::DoNotOptimize(pdk::readPlistFile(tmpl));
  }
  unlink(tmpl);
}
BENCHMARK(BM_PlistWriteRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
