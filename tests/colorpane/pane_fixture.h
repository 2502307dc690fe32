// Shared set-up of the colour pane tests: the built bundle (for its view
// description and strings), a PPD opened through libcups, and a host
// callback holding the print settings and session of one dialog.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "colorpane/pde_common.h"
#include "colorpane/pde_plugin.h"
#include "colorpane/pde_plugin_interface.h"
#include "colorpane/ppd_access.h"
#include "pdk/pde.h"

namespace panetest {

inline std::string sourcePath(const std::string& rel) { return std::string(TLQ_SOURCE_DIR) + "/" + rel; }
inline std::string mainPPD() { return sourcePath("resources/TLQ770-1.ppd"); }
inline std::string fixturePPD(const std::string& name) { return sourcePath("tests/fixtures/" + name); }

// The bundle the build made; registered so PDECommon finds its strings.
inline pdk::BundleRef paneBundle() {
  static pdk::BundleRef bundle = pdk::Bundle::open(std::string(TLQ_BINARY_DIR) + "/plugins/colorpane.plugin");
  return bundle;
}

class TestHost : public pdk::PDEHostCallback {
 public:
  explicit TestHost(const std::string& ppdPath, const std::string& printerId = "Office") {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ppd = ppdOpenFile(ppdPath.c_str());
    if (ppd) ppdMarkDefaults(ppd);
#pragma GCC diagnostic pop
    if (!printerId.empty()) session.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{printerId, "", ""});
  }
  ~TestHost() override {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (ppd) ppdClose(ppd);
#pragma GCC diagnostic pop
  }
  ppd_file_s* ppdFile() override { return ppd; }
  pdk::PrintSettings* printSettings() override { return &settings; }
  pdk::PrintSession* printSession() override { return &session; }
  pdk::PageFormat* pageFormat() override { return &format; }

  // The per-printer settings dictionary of printer `id`.
  pdk::Value printerDict(const std::string& id = "Office") { return settings.getValue("TLQ770-1").get(id); }

  ppd_file_t* ppd = nullptr;
  pdk::PrintSettings settings;
  pdk::PrintSession session;
  pdk::PageFormat format;
};

// Every test runs under an empty system root, so no helper program exists.
class PaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/colorpane-root-XXXXXX";
    root_ = mkdtemp(tmpl);
    setenv("TLQ770_ROOT", root_.c_str(), 1);
    colorpane::pluginBundle = paneBundle();
    ASSERT_TRUE(colorpane::pluginBundle) << "the colorpane bundle is not built";
  }
  void TearDown() override {
    unsetenv("TLQ770_ROOT");
    std::string cmd = "rm -rf '" + root_ + "'";
    (void)std::system(cmd.c_str());
  }

  // A loaded panel on `ppdPath`, its settings restored.
  std::shared_ptr<colorpane::PDEPlugInInterface> openPanel(const std::string& ppdPath = mainPPD()) {
    host_ = std::make_shared<TestHost>(ppdPath);
    EXPECT_TRUE(host_->ppd) << ppdPath;
    auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
    panel->initWithCallback(host_);
    std::string ignored;
    panel->restoreValuesAndReturnError(&ignored);
    return panel;
  }

  std::string root_;
  std::shared_ptr<TestHost> host_;
};

}  // namespace panetest
