// A security panel whose strings cannot be found (no bundle is registered
// under the pane's identifier): a failing required field still fails the
// check, and the alert shows a fixed text.
#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/temp_dir.h"
#include "panel_fixture.h"
#include "pdk/plist.h"
#include "securitypane/security_table.h"

namespace {

using namespace securitypane;

TEST(SecurityAlertFallback, AFailingFieldFailsWithoutItsMessageText) {
  // A copy of the built bundle under another identifier.
  pdktest::TempDir dir;
  const std::string copy = dir.file("renamed.plugin");
  std::filesystem::create_directories(copy);
  std::filesystem::copy(std::string(TLQ_BINARY_DIR) + "/plugins/securitypane.plugin/Resources",
                        copy + "/Resources", std::filesystem::copy_options::recursive);
  pdk::Value info = pdk::readPlistFile(copy + "/Resources/Info.plist");
  info.set("CFBundleIdentifier", "test.renamed.security");
  ASSERT_TRUE(pdk::writePlistFile(copy + "/Resources/Info.plist", info));
  pdk::BundleRef bundle = pdk::Bundle::open(copy);
  ASSERT_TRUE(bundle);
  ASSERT_FALSE(pdk::Bundle::bundleWithIdentifier(kSecurityBundleIdentifier));

  auto host = std::make_shared<frameworktest::TestHost>(frameworktest::mainPPD());
  std::vector<std::string> alerts;
  pdk::FrontEnd frontEnd;
  frontEnd.presentAlert = [&](const pdk::Alert& alert) {
    alerts.push_back(alert.messageText());
    return 0;
  };
  pdk::Application::shared().setFrontEnd(frontEnd);
  auto pane = std::make_shared<SecurityPDE>();
  ASSERT_TRUE(pane->initWithCallback(host, bundle));
  pane->waitModePopUp->selectItemAtIndex(1);
  pane->waitModePopUp->sendAction();
  EXPECT_FALSE(pane->shouldPrint());
  EXPECT_EQ(alerts, std::vector<std::string>{std::string(kRequiredFieldFallbackMessage) + "\n"});
  pane.reset();
  pdk::Application::shared().setFrontEnd({});
}

}  // namespace
