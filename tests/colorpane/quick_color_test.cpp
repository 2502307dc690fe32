// Quick Colour: the preset mapping of the advanced pop-ups (at print time
// and in the summary) and the rule table that greys out controls.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "colorpane/quick_color_rules.h"
#include "pane_fixture.h"

using panetest::PaneTest;

namespace {

// The 21 advanced pop-ups in mapping order.
std::vector<pdk::PopUpButton*> advancedPopUps(colorpane::AdvancedColorOptions& a) {
  return {a.menu_iRGBSource.get(),        a.menu_iRGBIntent.get(),        a.menu_iRGBGrayTreatment.get(),
          a.menu_iDestinationProfile.get(), a.menu_iHalftone.get(),         a.menu_iEdgeEnhancement.get(),
          a.menu_tRGBSource.get(),        a.menu_tRGBIntent.get(),        a.menu_tRGBGrayTreatment.get(),
          a.menu_tDestinationProfile.get(), a.menu_tHalftone.get(),         a.menu_tEdgeEnhancement.get(),
          a.menu_gRGBSource.get(),        a.menu_gRGBIntent.get(),        a.menu_gRGBGrayTreatment.get(),
          a.menu_gDestinationProfile.get(), a.menu_gHalftone.get(),         a.menu_gEdgeEnhancement.get(),
          a.menu_sSimulationProfile.get(), a.menu_sMatchPaperColor.get(), a.menu_sCMYKGrayTreatment.get()};
}

std::vector<int> selections(colorpane::AdvancedColorOptions& a) {
  std::vector<int> out;
  for (auto* p : advancedPopUps(a)) out.push_back(p->indexOfSelectedItem());
  return out;
}

}  // namespace

TEST_F(PaneTest, PresetMappingWithAndWithoutEconomy) {
  struct Case {
    int preset, eco;
    std::vector<int> expected;
  } cases[] = {
      {0, 0, {1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0}},
      {0, 1, {1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 1, 0, 0, 0, 0}},
      {1, 0, {1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}},
      {1, 1, {1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}},
      {2, 0, {1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 0, 0, 0}},
      {2, 1, {1, 1, 1, 0, 2, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 0, 0, 0, 0}},
  };
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  for (auto& c : cases) {
    adv.changeItemAccodingQuickColor(static_cast<int16_t>(c.preset), static_cast<int16_t>(c.eco));
    EXPECT_EQ(selections(adv), c.expected) << "preset " << c.preset << " eco " << c.eco;

    // The summary reports the mapped items' titles in the same order.
    pdk::Value dict = pdk::Value::dictionary(), order = pdk::Value::array();
    for (auto* p : advancedPopUps(adv)) p->selectItemAtIndex(-1);  // the summary does not read selections
    adv.getSummaryItemAccodingQuickColor(static_cast<int16_t>(c.preset), static_cast<int16_t>(c.eco), dict, order);
    ASSERT_EQ(order.count(), 21u);
    auto popups = advancedPopUps(adv);
    for (size_t i = 0; i < 21; ++i)
      EXPECT_EQ(dict.get(order.at(i).asString()).asString(),
                popups[i]->itemAtIndex(c.expected[i])->title)
          << "preset " << c.preset << " eco " << c.eco << " item " << i;
  }
  EXPECT_EQ(panel->painChange->getControlCountEachView(), 58);
}

TEST_F(PaneTest, OtherPresetsChangeNothing) {
  auto panel = openPanel();
  auto& adv = *panel->onAdvancedView;
  std::vector<int> before = selections(adv);
  for (int preset : {3, -1, 4, 100}) {
    adv.changeItemAccodingQuickColor(static_cast<int16_t>(preset), 1);
    EXPECT_EQ(selections(adv), before) << preset;
    pdk::Value dict = pdk::Value::dictionary(), order = pdk::Value::array();
    adv.getSummaryItemAccodingQuickColor(static_cast<int16_t>(preset), 1, dict, order);
    EXPECT_EQ(order.count(), 0u) << preset;
  }
}

TEST_F(PaneTest, AMappedIndexBeyondTheMenuIsSkipped) {
  auto panel = openPanel(panetest::fixturePPD("two_image_halftones.ppd"));
  auto& adv = *panel->onAdvancedView;
  ASSERT_EQ(adv.menu_iHalftone->numberOfItems(), 2);
  adv.menu_iHalftone->selectItemAtIndex(0);
  adv.changeItemAccodingQuickColor(2, 0);
  EXPECT_EQ(adv.menu_iHalftone->indexOfSelectedItem(), 0);
  EXPECT_EQ(adv.menu_gHalftone->indexOfSelectedItem(), 2);
  pdk::Value dict = pdk::Value::dictionary(), order = pdk::Value::array();
  adv.getSummaryItemAccodingQuickColor(2, 0, dict, order);
  EXPECT_EQ(order.count(), 20u);
  EXPECT_FALSE(dict.contains("Image Halftone"));
}

// Expected enabled state of rule targets over the compound table.
struct RuleCase {
  const char* name;
  int quickColor;
  bool gray, econo;
  int edgeType, iSource, iDest, simSource;
  std::map<std::string, bool> enabled;
};

TEST_F(PaneTest, RulesOverTheCompoundTable) {
  const RuleCase cases[] = {
      {"defaults", 0, false, false, 2, 1, 0, 1,
       {{"button_AdvanceColorOptions", false}, {"menu_iRGBIntent", true}, {"menu_iRGBGrayTreatment", true},
        {"menu_sMatchPaperColor", true}, {"menu_iEdgeEnhancement", true}, {"menu_tEdgeEnhancement", true}}},
      {"custom enables the advanced button", 3, false, false, 2, 1, 0, 1, {{"button_AdvanceColorOptions", true}}},
      {"grayscale greys out colour management", 3, true, false, 2, 1, 0, 1,
       {{"menu_iRGBSource", false}, {"menu_iRGBIntent", false}, {"menu_iRGBGrayTreatment", false},
        {"menu_iDestinationProfile", false}, {"menu_tRGBSource", false}, {"menu_tRGBIntent", false},
        {"menu_tRGBGrayTreatment", false}, {"menu_tDestinationProfile", false}, {"menu_gRGBSource", false},
        {"menu_gRGBIntent", false}, {"menu_gRGBGrayTreatment", false}, {"menu_gDestinationProfile", false},
        {"menu_sSimulationProfile", false}, {"menu_sMatchPaperColor", false}, {"menu_sCMYKGrayTreatment", false},
        {"menu_iHalftone", true}, {"menu_iEdgeEnhancement", true}}},
      {"no source: no intent", 3, false, false, 2, 0, 0, 0,
       {{"menu_iRGBSource", true}, {"menu_iRGBIntent", false}, {"menu_tRGBIntent", true},
        {"menu_sMatchPaperColor", false}, {"menu_sCMYKGrayTreatment", false}}},
      {"destination other than Auto", 3, false, false, 2, 1, 2, 1,
       {{"menu_iRGBGrayTreatment", false}, {"menu_tRGBGrayTreatment", true}}},
      {"economy", 0, false, true, 2, 1, 0, 1,
       {{"menu_iEdgeEnhancement", false}, {"menu_tEdgeEnhancement", true}, {"menu_gEdgeEnhancement", false}}},
      {"edge type Off", 0, false, false, 0, 1, 0, 1,
       {{"menu_iEdgeEnhancement", false}, {"menu_tEdgeEnhancement", false}, {"menu_gEdgeEnhancement", false}}},
      {"no Quick Colour selection", -1, false, false, 2, 1, 0, 1, {{"button_AdvanceColorOptions", false}}},
  };
  auto panel = openPanel();
  auto& basic = *panel->onColorView;
  auto& adv = *panel->onAdvancedView;
  std::map<std::string, pdk::Control*> controls;
  for (auto& view : panel->scriptableViews())
    if (auto* c = dynamic_cast<pdk::Control*>(view.get())) controls[view->identifier] = c;

  for (auto& c : cases) {
    basic.menu_QuickColor->selectItemAtIndex(c.quickColor);
    basic.check_ColorAsGrayscale->setState(c.gray);
    basic.check_EconomyPrint->setState(c.econo);
    basic.menu_EdgeStrength->selectItemAtIndex(c.edgeType);
    for (auto* p : {adv.menu_iRGBSource.get(), adv.menu_tRGBSource.get(), adv.menu_gRGBSource.get()})
      p->selectItemAtIndex(p == adv.menu_iRGBSource.get() ? c.iSource : 1);
    adv.menu_iDestinationProfile->selectItemAtIndex(c.iDest);
    adv.menu_sSimulationProfile->selectItemAtIndex(c.simSource);
    panel->constraints(nullptr);
    for (auto& [name, enabled] : c.enabled) {
      ASSERT_TRUE(controls.count(name)) << name;
      EXPECT_EQ(controls[name]->isEnabled(), enabled) << c.name << ": " << name;
    }
  }
}

TEST_F(PaneTest, RulesOverTheBasicTableReachOnlyTheAdvancedButton) {
  auto panel = openPanel();
  auto& basic = *panel->onColorView;
  auto& adv = *panel->onAdvancedView;
  std::vector<pdk::PopUpButton*> popups = advancedPopUps(adv);
  for (auto* p : popups) p->setEnabled(true);

  basic.check_ColorAsGrayscale->setState(1);
  basic.check_EconomyPrint->setState(1);
  basic.menu_QuickColor->selectItemAtIndex(3);
  panel->selectItem(nullptr);
  EXPECT_TRUE(basic.button_AdvanceColorOptions->isEnabled());
  for (auto* p : popups) EXPECT_TRUE(p->isEnabled());
  basic.menu_QuickColor->selectItemAtIndex(1);
  panel->selectItem(nullptr);
  EXPECT_FALSE(basic.button_AdvanceColorOptions->isEnabled());
}

TEST_F(PaneTest, UserActionsRerunTheRules) {
  auto panel = openPanel();
  auto& basic = *panel->onColorView;
  // As a click: change the control, then its action.
  basic.check_ColorAsGrayscale->setState(1);
  basic.check_ColorAsGrayscale->sendAction();
  EXPECT_FALSE(panel->onAdvancedView->menu_gRGBSource->isEnabled());
  basic.menu_QuickColor->selectItemAtIndex(3);
  basic.menu_QuickColor->sendAction();
  EXPECT_TRUE(basic.button_AdvanceColorOptions->isEnabled());
  panel->onAdvancedView->menu_tDestinationProfile->selectItemAtIndex(1);
  panel->onAdvancedView->menu_tDestinationProfile->sendAction();
  basic.check_ColorAsGrayscale->setState(0);
  basic.check_ColorAsGrayscale->sendAction();
  EXPECT_FALSE(panel->onAdvancedView->menu_tRGBGrayTreatment->isEnabled());
  EXPECT_TRUE(panel->onAdvancedView->menu_iRGBGrayTreatment->isEnabled());
}

TEST(QuickColorRules, TableShape) {
  int count = 0;
  while (colorpane::cstColorOption[count].kind != colorpane::kCstEndOfTable) {
    const auto& r = colorpane::cstColorOption[count];
    EXPECT_EQ(r.kind, colorpane::kCstValueChange);
    EXPECT_EQ(r.actionCount, 1);
    EXPECT_EQ(r.actions[0].code, colorpane::kCstGreyOut);
    EXPECT_EQ(r.targetValue.ope, colorpane::kCstEndOfLogic);
    EXPECT_EQ(r.targetValue.value, count == 17 ? 0 : -1);
    ++count;
  }
  EXPECT_EQ(count, 19);
  // The text edge enhancement keeps its lone condition under two-operand logic.
  EXPECT_EQ(colorpane::cstColorOption[17].conditionCount, 1);
  EXPECT_EQ(colorpane::cstColorOption[17].logic[2], colorpane::kCstOr);
}

TEST(QuickColorRules, OperatorsCompareRuleValues) {
  // A one-row table: a check box holding 1.
  auto box = std::make_shared<pdk::Button>(pdk::Button::Style::CheckBox);
  box->setState(1);
  colorpane::PDEControlRow table[] = {
      {box.get(), colorpane::kCtlCheckBox, "ZNColorAsGray", nullptr, nullptr, "ColorAsGrayCheckBox", 0, nullptr},
      colorpane::kTerminatorRow};
  EXPECT_EQ(colorpane::bMatchCondition(1, table), 1);   // gray = 1
  EXPECT_EQ(colorpane::bMatchCondition(2, table), 1);   // gray OR (absent source): c1 false
  EXPECT_EQ(colorpane::bMatchCondition(16, table), 0);  // economy and edge type absent
  box->setState(0);
  EXPECT_EQ(colorpane::bMatchCondition(1, table), 0);
  // Identifiers must match in full, not as a prefix.
  colorpane::PDEControlRow prefix[] = {
      {box.get(), colorpane::kCtlCheckBox, "", nullptr, nullptr, "ColorAsGrayCheckBoxX", 0, nullptr},
      colorpane::kTerminatorRow};
  box->setState(1);
  EXPECT_EQ(colorpane::bMatchCondition(1, prefix), 0);
}

// Counting allocations made while the rules run. Every form of operator new
// and delete is replaced, so that no block is ever allocated by one
// allocator and released by another (under AddressSanitizer, a form left out
// would be served by the sanitizer's own operator and freed here with free).
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static int gAllocations = 0;
static bool gCounting = false;

static void* countedAllocation(size_t n, size_t alignment) {
  if (gCounting) ++gAllocations;
  if (n == 0) n = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(n);
  return std::aligned_alloc(alignment, (n + alignment - 1) / alignment * alignment);
}
static void* countedOrThrow(size_t n, size_t alignment) {
  if (void* p = countedAllocation(n, alignment)) return p;
  throw std::bad_alloc();
}
static constexpr size_t kPlain = alignof(std::max_align_t);

void* operator new(size_t n) { return countedOrThrow(n, kPlain); }
void* operator new[](size_t n) { return countedOrThrow(n, kPlain); }
void* operator new(size_t n, std::align_val_t a) { return countedOrThrow(n, static_cast<size_t>(a)); }
void* operator new[](size_t n, std::align_val_t a) { return countedOrThrow(n, static_cast<size_t>(a)); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return countedAllocation(n, kPlain); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return countedAllocation(n, kPlain); }
void* operator new(size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return countedAllocation(n, static_cast<size_t>(a));
}
void* operator new[](size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return countedAllocation(n, static_cast<size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

TEST_F(PaneTest, RulesAllocateNothing) {
  auto panel = openPanel();
  colorpane::PDEControlRow* table = panel->compoundTable();
  colorpane::vColorPresetConstraints(table);  // warm up
  // The counter itself sees the forms the sanitizers' runtimes use.
  gAllocations = 0;
  gCounting = true;
  char* volatile probe = new (std::nothrow) char[16];
  delete[] probe;
  gCounting = false;
  ASSERT_EQ(gAllocations, 1);

  gAllocations = 0;
  gCounting = true;
  for (int i = 0; i < 10; ++i) colorpane::vColorPresetConstraints(table);
  gCounting = false;
  EXPECT_EQ(gAllocations, 0);
}
