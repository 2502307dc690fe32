// A security panel as the print dialog makes it: a host on a PPD (printer
// "Office", the framework tests' host), the pane's bundle from the build,
// and a front end that records every alert instead of showing it. The
// user's clicks and keystrokes go through the controls as in the dialog.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework_fixture.h"
#include "pdk/toolkit.h"
#include "securitypane/security_pde.h"

namespace paneltest {

using securitypane::SecurityPDE;

// The built bundle, registered under its identifier for as long as the tests run.
inline pdk::BundleRef paneBundle() {
  static pdk::BundleRef bundle = pdk::Bundle::open(std::string(TLQ_BINARY_DIR) + "/plugins/securitypane.plugin");
  return bundle;
}

struct Panel {
  // A panel on `ppdPath`, its print settings starting from `settings`.
  explicit Panel(const std::string& ppdPath, const pdk::Value& settings = pdk::Value())
      : host(std::make_shared<frameworktest::TestHost>(ppdPath)) {
    EXPECT_TRUE(paneBundle()) << "the securitypane bundle is not built";
    if (settings.isDictionary()) host->settings.assign(settings);
    pdk::FrontEnd frontEnd;
    frontEnd.presentAlert = [this](const pdk::Alert& alert) {
      alerts.push_back(alert.messageText());
      return 0;
    };
    pdk::Application::shared().setFrontEnd(frontEnd);
    pane = std::make_shared<SecurityPDE>();
    created = pane->initWithCallback(host, paneBundle()) != nullptr;
  }
  ~Panel() {
    pane.reset();
    pdk::Application::shared().setFrontEnd({});
  }
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  // The dialog opens the pane, as printdialog does.
  void open() {
    std::string ignored;
    pane->restoreValuesAndReturnError(&ignored);
    pane->panelView();
    pane->willShow();
  }
  // The user's clicks.
  void selectPrintMode(int index) {
    pane->waitModePopUp->selectItemAtIndex(index);
    pane->waitModePopUp->sendAction();
  }
  void setCheckBox(pdk::Button& box, bool on) {
    box.setState(on ? 1 : 0);
    box.sendAction();
  }
  void authentication(bool on) { setCheckBox(*pane->userAuthenticationCheckBox, on); }
  void sectionManagement(bool on) { setCheckBox(*pane->sectionManagementCheckBox, on); }
  void userType(int row) { EXPECT_TRUE(pane->userRadioButton->clickCellAtRow(row, 0)); }
  // One edit of a field: click in, type each character, leave it.
  void type(pdk::TextField& field, const std::string& text) {
    ASSERT_TRUE(field.beginEditing()) << field.identifier << " does not take the edit";
    std::string key;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || (!key.empty() && (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)) {
        if (!key.empty()) field.currentEditor()->insertText(key);
        key.clear();
      }
      if (i < text.size()) key += text[i];
    }
    field.endEditing();
  }
  bool save() {
    std::string ignored;
    return pane->saveValuesAndReturnError(&ignored);
  }

  // The per-printer settings dictionary of printer "Office".
  pdk::Value stored() { return host->printerDict(); }
  std::string stored(const std::string& key) { return stored().get(key).asString(); }

  std::shared_ptr<frameworktest::TestHost> host;
  std::shared_ptr<SecurityPDE> pane;
  bool created = false;
  std::vector<std::string> alerts;
};

}  // namespace paneltest
