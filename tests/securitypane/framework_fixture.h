// Shared set-up of the framework tests: a PPD opened through libcups with
// its defaults marked, a host callback holding one dialog's print
// settings, session (printer "Office") and page format, and the panel's
// core session and context over it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pdk/pde.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/cups_ppd.h"

namespace frameworktest {

inline std::string sourcePath(const std::string& rel) { return std::string(TLQ_SOURCE_DIR) + "/" + rel; }
inline std::string mainPPD() { return sourcePath("resources/TLQ770-1.ppd"); }
inline std::string fixturePPD(const std::string& name) { return sourcePath("tests/fixtures/security/" + name); }

class TestHost : public pdk::PDEHostCallback {
 public:
  explicit TestHost(const std::string& ppdPath, bool markDefaults = true) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ppd = ppdOpenFile(ppdPath.c_str());
    if (ppd && markDefaults) ppdMarkDefaults(ppd);
#pragma GCC diagnostic pop
    session.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{"Office", "", "Office"});
    // Letter, as the dialog starts on the PPD's default paper.
    format.paper = pdk::Paper{"Letter", 612, 792, 12, 12, 12, 12};
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
  // Whether the PPD marks `choice` of `option`.
  bool marked(const char* option, const char* choice) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ppdIsMarked(ppd, option, choice) != 0;
#pragma GCC diagnostic pop
  }

  ppd_file_t* ppd = nullptr;
  pdk::PrintSettings settings;
  pdk::PrintSession session;
  pdk::PageFormat format;
};

// A host on `ppdPath` and the core session a panel would make for it.
struct Dialog {
  explicit Dialog(const std::string& ppdPath, bool markDefaults = true) : host(ppdPath, markDefaults) {
    EXPECT_TRUE(host.ppd) << ppdPath;
    session.object = &host;
    session.Context = &context;
    securityframework::PDECoreOnInitialize(&session);
  }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  TestHost host;
  securityframework::ZNPDECoreContext context;
  securityframework::ZNPDECoreSession session;
};

}  // namespace frameworktest
