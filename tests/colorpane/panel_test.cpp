// The colour panel's lifecycle: entry object, loading, restore and save,
// summary, view switching and the print-time preset mapping.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "pane_fixture.h"
#include "pdk/system_root.h"

using panetest::PaneTest;
using panetest::TestHost;

namespace {

std::vector<std::string> strings(const pdk::Value& array) {
  std::vector<std::string> out;
  for (size_t i = 0; i < array.count(); ++i) out.push_back(array.at(i).asString());
  return out;
}

}  // namespace

TEST_F(PaneTest, EntryObjectOffersOnePanelForPrinterModulesOnly) {
  colorpane::PDEPlugIn entry;
  auto host = std::make_shared<TestHost>(panetest::mainPPD());
  EXPECT_EQ(entry.PDEPanelsForType("com.example.other", host), nullptr);
  EXPECT_EQ(entry.PDEPanelsForType("bdb091f4-e57f-11d3-b5cc-0050e4603277", host), nullptr);
  auto panels = entry.PDEPanelsForType(pdk::kPrinterModulePanelType, host);
  ASSERT_NE(panels, nullptr);
  ASSERT_EQ(panels->size(), 1u);
  EXPECT_EQ((*panels)[0]->panelKind(), "quorlin.pde.TLQ770-1.znco");
  EXPECT_EQ((*panels)[0]->panelName(), "Color Options");
}

TEST_F(PaneTest, TheFirstBundleStays) {
  colorpane::pluginBundle = nullptr;
  colorpane::PDEPlugIn entry;
  auto first = panetest::paneBundle();
  EXPECT_TRUE(entry.initWithBundle(first));
  auto other = std::make_shared<pdk::Bundle>();
  EXPECT_TRUE(entry.initWithBundle(other));
  EXPECT_EQ(colorpane::pluginBundle, first);
}

TEST_F(PaneTest, SummaryBeforePanelViewLoadsThePane) {
  host_ = std::make_shared<TestHost>(panetest::mainPPD());
  auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
  panel->initWithCallback(host_);
  EXPECT_EQ(panel->pdeMainView, nullptr);
  pdk::Value summary = panel->summaryInfo();
  EXPECT_NE(panel->pdeMainView, nullptr);
  EXPECT_GT(summary.get("Summary Display Order").count(), 0u);
}

TEST_F(PaneTest, LoadingTwiceBuildsTheTablesOnce) {
  auto panel = openPanel();
  colorpane::PDEControlRow* table = panel->compoundTable();
  colorpane::PDEControlRow* basic = panel->onColorView->getControlData();
  panel->myLoad();
  EXPECT_EQ(panel->panelView(), panel->pdeMainView);
  EXPECT_EQ(panel->compoundTable(), table);
  EXPECT_EQ(panel->onColorView->getControlData(), basic);
}

TEST_F(PaneTest, SupportedKeysListTheAdvancedViewFirst) {
  auto panel = openPanel();
  std::vector<std::string> keys = strings(panel->supportedPPDOptionKeys());
  ASSERT_EQ(keys.size(), 27u);
  EXPECT_EQ(keys.front(), "ZNImageRGBSource");
  EXPECT_EQ(keys[20], "ZNSimGrayTreatment");
  EXPECT_EQ(std::vector<std::string>(keys.begin() + 21, keys.end()),
            (std::vector<std::string>{"ZNQuickColor", "ZNBrightness", "ZNColorAsGray", "ZNEconoMode", "ZNEdgeType",
                                      "ZNGlossyMode"}));
}

TEST_F(PaneTest, ControlsTakeTitlesAndPPDDefaults) {
  auto panel = openPanel();
  auto& basic = *panel->onColorView;
  EXPECT_EQ(basic.menu_QuickColor->numberOfItems(), 4);
  EXPECT_EQ(basic.menu_QuickColor->indexOfSelectedItem(), 0);  // *DefaultZNQuickColor: Standard
  EXPECT_EQ(basic.menu_Brightness->indexOfSelectedItem(), 3);
  EXPECT_EQ(basic.menu_EdgeStrength->indexOfSelectedItem(), 2);
  EXPECT_EQ(basic.check_EconomyPrint->state(), 0);
  EXPECT_EQ(basic.check_EconomyPrint->title(), "Economy Mode");  // from the strings table
  EXPECT_EQ(basic.text_Strength->stringValue(), "Edge Type:");
  auto& adv = *panel->onAdvancedView;
  ASSERT_EQ(adv.tab_SwitchVew->numberOfTabViewItems(), 4);
  EXPECT_EQ(adv.tab_SwitchVew->tabs()[3].label, "Simulation");
  EXPECT_EQ(adv.tab_SwitchVew->indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(adv.text_iEdgeEnhancement->stringValue(), "Edge Enhancement:");
  EXPECT_EQ(adv.menu_tHalftone->indexOfSelectedItem(), 2);
  // No helper program under the system root: the list cannot be written.
  EXPECT_FALSE(adv.button_ManageProfile->isEnabled());
}

TEST_F(PaneTest, ManageProfileFollowsTheWritabilityTest) {
  // A helper program that answers the writability test as the service would.
  std::string helper = root_ + pdk::kHelperProgram;
  std::string script = "mkdir -p \"$(dirname '" + helper + "')\" && printf '#!/bin/sh\\necho \"$1=TRUE\"\\n' > '" +
                       helper + "' && chmod +x '" + helper + "'";
  ASSERT_EQ(std::system(script.c_str()), 0);
  auto panel = openPanel();
  EXPECT_TRUE(panel->onAdvancedView->button_ManageProfile->isEnabled());
}

TEST_F(PaneTest, StoredChoicesWinOverDefaultsAndSaveWritesBothLevels) {
  host_ = std::make_shared<TestHost>(panetest::mainPPD());
  pdk::Value office = pdk::Value::dictionary();
  office.set("ZNEdgeType", pdk::Value("Strong"));
  office.set("ZNTextHalftone", pdk::Value("Smooth"));
  pdk::Value model = pdk::Value::dictionary();
  model.set("Office", office);
  host_->settings.setValue("TLQ770-1", model);

  auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
  panel->initWithCallback(host_);
  std::string ignored;
  panel->restoreValuesAndReturnError(&ignored);
  EXPECT_EQ(panel->onColorView->menu_EdgeStrength->indexOfSelectedItem(), 3);
  EXPECT_EQ(panel->onAdvancedView->menu_tHalftone->indexOfSelectedItem(), 0);

  panel->onColorView->check_GlossyMode->setState(1);
  EXPECT_TRUE(panel->saveValuesAndReturnError(&ignored));
  EXPECT_EQ(host_->printerDict().get("ZNGlossyMode").asString(), "True");
  EXPECT_EQ(host_->settings.getValue("ZNGlossyMode").asString(), "True");
  EXPECT_EQ(host_->settings.getValue("ZNEdgeType").asString(), "Strong");
  EXPECT_EQ(host_->printerDict().get("ZNImageRGBSourceCustom").asString(), "False");
}

TEST_F(PaneTest, WithoutASessionPrinterNothingIsStored) {
  host_ = std::make_shared<TestHost>(panetest::mainPPD(), "");
  auto panel = std::make_shared<colorpane::PDEPlugInInterface>();
  panel->initWithCallback(host_);
  std::string ignored;
  EXPECT_TRUE(panel->restoreValuesAndReturnError(&ignored));
  EXPECT_TRUE(panel->saveValuesAndReturnError(&ignored));
  EXPECT_TRUE(host_->settings.getValue("ZNQuickColor").isNull());
}

TEST_F(PaneTest, MissingKeywordsLeaveTheirRowsOut) {
  auto panel = openPanel(panetest::fixturePPD("missing_keyword.ppd"));
  colorpane::PDEControlRow* basic = panel->onColorView->getControlData();
  EXPECT_EQ(basic[4].choices, nullptr);  // ZNEdgeType
  EXPECT_EQ(basic[5].choices, nullptr);  // ZNGlossyMode
  std::string ignored;
  panel->saveValuesAndReturnError(&ignored);
  pdk::Value dict = host_->printerDict();
  EXPECT_TRUE(dict.contains("ZNQuickColor"));
  EXPECT_FALSE(dict.contains("ZNEdgeType"));
  EXPECT_FALSE(dict.contains("ZNGlossyMode"));
  pdk::Value summary = panel->summaryInfo();
  EXPECT_FALSE(summary.contains("Edge Type"));
  EXPECT_FALSE(summary.contains("Glossy Mode"));
}

TEST_F(PaneTest, ViewSwitchingMovesOneViewInAndTheOtherOut) {
  auto panel = openPanel();
  auto& switcher = *panel->painChange;
  EXPECT_FALSE(switcher.isShowingAdvancedView());
  panel->onColorView->button_AdvanceColorOptions->setEnabled(true);
  panel->onColorView->button_AdvanceColorOptions->sendAction();
  EXPECT_TRUE(switcher.isShowingAdvancedView());
  EXPECT_EQ(panel->onColorView->superview(), nullptr);
  EXPECT_EQ(panel->onAdvancedView->bounds().width, panel->pdeMainView->bounds().width);
  // The dialog always opens the pane on the basic view.
  panel->willShow();
  EXPECT_FALSE(switcher.isShowingAdvancedView());
  EXPECT_EQ(panel->onColorView->superview(), panel->pdeMainView.get());
  EXPECT_EQ(panel->pdeMainView->subviews().size(), 1u);
}

TEST_F(PaneTest, SwitchingIsRefusedWithoutTables) {
  auto panel = openPanel();
  panel->painChange->deallocPDEControlTableEachView();
  panel->painChange->ColorToAdvancedView(nullptr);
  EXPECT_FALSE(panel->painChange->isShowingAdvancedView());
  // A switcher with no views at all does nothing either.
  colorpane::PainChangeController bare;
  bare.ColorToAdvancedView(nullptr);
  bare.AdvancedToColorView(nullptr);
  EXPECT_FALSE(bare.isShowingAdvancedView());
}

TEST_F(PaneTest, ShouldPrintAppliesThePresetUnlessCustom) {
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  adv.menu_iHalftone->selectItemAtIndex(0);
  adv.menu_sSimulationProfile->selectItemAtIndex(2);

  panel->onColorView->menu_QuickColor->selectItemAtIndex(3);  // Custom
  EXPECT_TRUE(panel->shouldPrint());
  EXPECT_EQ(host_->settings.getValue("ZNImageHalftone").asString(), "Smooth");
  EXPECT_EQ(host_->settings.getValue("ZNSimSource").asString(), "Euroscale");

  panel->onColorView->menu_QuickColor->selectItemAtIndex(2);  // Vivid
  EXPECT_TRUE(panel->shouldPrint());
  EXPECT_EQ(adv.menu_iHalftone->indexOfSelectedItem(), 2);
  EXPECT_EQ(host_->settings.getValue("ZNImageHalftone").asString(), "Detail");
  EXPECT_EQ(host_->settings.getValue("ZNSimSource").asString(), "None");
  EXPECT_EQ(host_->printerDict().get("ZNImageHalftone").asString(), "Detail");
}

TEST_F(PaneTest, SummaryFormDependsOnQuickColor) {
  auto panel = openPanel();
  struct Case {
    int quickColor;
    size_t names;
  } cases[] = {{0, 27}, {1, 27}, {2, 27}, {3, 27}, {-1, 6}};
  for (auto& c : cases) {
    panel->onColorView->menu_QuickColor->selectItemAtIndex(c.quickColor);
    pdk::Value summary = panel->summaryInfo();
    std::vector<std::string> order = strings(summary.get("Summary Display Order"));
    EXPECT_EQ(order.size(), c.names) << c.quickColor;
    std::set<std::string> unique(order.begin(), order.end());
    EXPECT_EQ(unique.size(), order.size()) << c.quickColor;
    ASSERT_GE(order.size(), 6u);
    EXPECT_EQ(order[0], "Quick Color");
    EXPECT_EQ(order[5], "Glossy Mode");
  }
  // On "Custom" the advanced items report the current selections.
  panel->onColorView->menu_QuickColor->selectItemAtIndex(3);
  panel->onAdvancedView->menu_iHalftone->selectItemAtIndex(0);
  EXPECT_EQ(panel->summaryInfo().get("Image Halftone").asString(), "Smooth");
}

TEST_F(PaneTest, CompanionToolOpensOnlyWhenInstalled) {
  // A desktop launcher that records what it was asked to open.
  std::string bin = root_ + "/bin", log = root_ + "/opened";
  std::string script = "mkdir -p '" + bin + "' && printf '#!/bin/sh\\necho \"$1\" > \"" + log + "\"\\n' > '" + bin +
                       "/xdg-open' && chmod +x '" + bin + "/xdg-open'";
  ASSERT_EQ(std::system(script.c_str()), 0);
  std::string oldPath = getenv("PATH");
  setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
  auto panel = openPanel();

  panel->onAdvancedView->button_KelvoTransfer->sendAction();
  usleep(200000);
  EXPECT_NE(access(log.c_str(), F_OK), 0) << "nothing to open: the launcher must not run";

  std::string tool = root_ + colorpane::kKelvoTransferPath;
  ASSERT_EQ(std::system(("mkdir -p '" + tool + "'").c_str()), 0);
  panel->onAdvancedView->button_KelvoTransfer->sendAction();
  for (int i = 0; i < 50 && access(log.c_str(), F_OK) != 0; ++i) usleep(20000);
  FILE* f = fopen(log.c_str(), "r");
  ASSERT_NE(f, nullptr);
  char line[1024] = {};
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  fclose(f);
  EXPECT_EQ(std::string(line), tool + "\n");
  setenv("PATH", oldPath.c_str(), 1);
}
