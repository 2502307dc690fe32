#include "colorpane/advanced_color_options.h"

#include "colorpane/pde_common.h"
#include "pdk/launcher.h"
#include "pdk/system_root.h"
#include "profiles/profile_list.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

using ACO = AdvancedColorOptions;

// One advanced pop-up: its outlets, its bindings, and the item each Quick
// Colour preset maps it to (with the economy override per preset).
struct AdvancedItem {
  std::shared_ptr<pdk::PopUpButton> ACO::*menu;
  std::shared_ptr<pdk::TextField> ACO::*text;
  const char* menuOutlet;
  const char* textOutlet;
  const char* ppdKey;
  const char* titleKey;
  const char* summaryKey;
  const char* identifier;
  int16_t profileType;
  int8_t presetIndex[3];
  bool economyToFirst[3];
};

constexpr int kAdvancedItemCount = 21;
constexpr int16_t kAdvancedRowCount = 47;

const AdvancedItem kItems[kAdvancedItemCount] = {
    {&ACO::menu_iRGBSource, &ACO::text_iRGBSource, "menu_iRGBSource", "text_iRGBSource", "ZNImageRGBSource",
     "RGB Source:", "Image RGB Source", "ImageRGBSourcePopup", 1, {1, 1, 1}, {}},
    {&ACO::menu_iRGBIntent, &ACO::text_iRGBIntent, "menu_iRGBIntent", "text_iRGBIntent", "ZNImageRenderIntent",
     "RGB Intent:", "Image RGB Intent", "ImageRenderIntentPopup", 0, {0, 0, 1}, {}},
    {&ACO::menu_iRGBGrayTreatment, &ACO::text_iRGBGrayTreatment, "menu_iRGBGrayTreatment", "text_iRGBGrayTreatment",
     "ZNImageGrayTreatment", "RGB Gray Treatment:", "Image RGB Gray Treatment", "ImageGrayTreatmentPopup", 0,
     {1, 0, 1}, {}},
    {&ACO::menu_iDestinationProfile, &ACO::text_iDestinationProfile, "menu_iDestinationProfile",
     "text_iDestinationProfile", "ZNImageDestinationProfile", "Destination Profile:", "Image Destination Profile",
     "ImageDestinationProfilePopup", 2, {0, 0, 0}, {}},
    {&ACO::menu_iHalftone, &ACO::text_iHalftone, "menu_iHalftone", "text_iHalftone", "ZNImageHalftone", "Halftone:",
     "Image Halftone", "", 0, {1, 1, 2}, {}},
    {&ACO::menu_iEdgeEnhancement, &ACO::text_iEdgeEnhancement, "menu_iEdgeEnhancement", "text_iEdgeEnhancement",
     "ZNImageEdgeEnhance", "EdgeEnhance:", "Image EdgeEnhance", "ImageEdgeEnhancePopup", 0, {0, 0, 1},
     {false, false, true}},
    {&ACO::menu_tRGBSource, &ACO::text_tRGBSource, "menu_tRGBSource", "text_tRGBSource", "ZNTextRGBSource",
     "RGB Source:", "Text RGB Source", "TextRGBSourcePopup", 1, {1, 1, 1}, {}},
    {&ACO::menu_tRGBIntent, &ACO::text_tRGBIntent, "menu_tRGBIntent", "text_tRGBIntent", "ZNTextRenderIntent",
     "RGB Intent:", "Text RGB Intent", "TextRenderIntentPopup", 0, {1, 0, 1}, {}},
    {&ACO::menu_tRGBGrayTreatment, &ACO::text_tRGBGrayTreatment, "menu_tRGBGrayTreatment", "text_tRGBGrayTreatment",
     "ZNTextGrayTreatment", "RGB Gray Treatment:", "Text RGB Gray Treatment", "TextGrayTreatmentPopup", 0,
     {1, 0, 1}, {}},
    {&ACO::menu_tDestinationProfile, &ACO::text_tDestinationProfile, "menu_tDestinationProfile",
     "text_tDestinationProfile", "ZNTextDestinationProfile", "Destination Profile:", "Text Destination Profile",
     "TextDestinationProfilePopup", 2, {0, 0, 0}, {}},
    {&ACO::menu_tHalftone, &ACO::text_tHalftone, "menu_tHalftone", "text_tHalftone", "ZNTextHalftone", "Halftone:",
     "Text Halftone", "", 0, {2, 1, 2}, {}},
    {&ACO::menu_tEdgeEnhancement, &ACO::text_tEdgeEnhancement, "menu_tEdgeEnhancement", "text_tEdgeEnhancement",
     "ZNTextEdgeEnhance", "EdgeEnhance:", "Text EdgeEnhance", "TextEdgeEnhancePopup", 0, {1, 0, 1}, {}},
    {&ACO::menu_gRGBSource, &ACO::text_gRGBSource, "menu_gRGBSource", "text_gRGBSource", "ZNGraphicsRGBSource",
     "RGB Source:", "Graphics RGB Source", "GraphicsRGBSourcePopup", 1, {1, 1, 1}, {}},
    {&ACO::menu_gRGBIntent, &ACO::text_gRGBIntent, "menu_gRGBIntent", "text_gRGBIntent", "ZNGraphicsRenderIntent",
     "RGB Intent:", "Graphics RGB Intent", "GraphicsRenderIntentPopup", 0, {1, 0, 1}, {}},
    {&ACO::menu_gRGBGrayTreatment, &ACO::text_gRGBGrayTreatment, "menu_gRGBGrayTreatment", "text_gRGBGrayTreatment",
     "ZNGraphicsGrayTreatment", "RGB Gray Treatment:", "Graphics RGB Gray Treatment", "GraphicsGrayTreatmentPopup",
     0, {1, 0, 1}, {}},
    {&ACO::menu_gDestinationProfile, &ACO::text_gDestinationProfile, "menu_gDestinationProfile",
     "text_gDestinationProfile", "ZNGraphicsDestinationProfile", "Destination Profile:",
     "Graphics Destination Profile", "GraphicsDestinationProfilePopup", 2, {0, 0, 0}, {}},
    {&ACO::menu_gHalftone, &ACO::text_gHalftone, "menu_gHalftone", "text_gHalftone", "ZNGraphicsHalftone",
     "Halftone:", "Graphics Halftone", "", 0, {1, 1, 2}, {}},
    {&ACO::menu_gEdgeEnhancement, &ACO::text_gEdgeEnhancement, "menu_gEdgeEnhancement", "text_gEdgeEnhancement",
     "ZNGraphicsEdgeEnhance", "EdgeEnhance:", "Graphics EdgeEnhance", "GraphicsEdgeEnhancePopup", 0, {1, 0, 1},
     {true, false, true}},
    {&ACO::menu_sSimulationProfile, &ACO::text_sSimulationProfile, "menu_sSimulationProfile",
     "text_sSimulationProfile", "ZNSimSource", "Simulation Profile:", "Simulation Profile", "SimulationSourcePopup",
     3, {0, 0, 0}, {}},
    {&ACO::menu_sMatchPaperColor, &ACO::text_sMatchPaperColor, "menu_sMatchPaperColor", "text_sMatchPaperColor",
     "ZNSimRenderIntent", "Match Paper Color:", "Match Paper Color", "SimulationRenderIntentPopup", 0, {0, 0, 0}, {}},
    {&ACO::menu_sCMYKGrayTreatment, &ACO::text_sCMYKGrayTreatment, "menu_sCMYKGrayTreatment",
     "text_sCMYKGrayTreatment", "ZNSimGrayTreatment", "CMYK Gray Treatment:", "CMYK Gray Treatment",
     "SimulationGrayTreatmentPopup", 0, {0, 0, 0}, {}},
};

const pdk::OutletBinding<ACO> kOtherOutlets[] = {
    pdk::outlet("tab_SwitchVew", &ACO::tab_SwitchVew),
    pdk::outlet("button_ManageProfile", &ACO::button_ManageProfile),
    pdk::outlet("button_KelvoTransfer", &ACO::button_KelvoTransfer),
    pdk::outlet("button_HideAdvancedOptions", &ACO::button_HideAdvancedOptions),
};

}  // namespace

bool AdvancedColorOptions::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  for (auto& item : kItems) {
    if (name == item.menuOutlet) return pdk::outlet(item.menuOutlet, item.menu).bind(*this, value);
    if (name == item.textOutlet) return pdk::outlet(item.textOutlet, item.text).bind(*this, value);
  }
  return pdk::bindOutlet(kOtherOutlets, *this, name, value);
}

pdk::Action AdvancedColorOptions::actionNamed(const std::string& selector) {
  if (selector == "kelvoTransferButton:") return [this](pdk::Control* sender) { kelvoTransferButton(sender); };
  return {};
}

void AdvancedColorOptions::createPDEControlTable() {
  PDEControlRow rows[kAdvancedRowCount];
  for (int i = 0; i < kAdvancedItemCount; ++i) {
    const AdvancedItem& item = kItems[i];
    rows[i] = {(this->*item.menu).get(), kCtlPopUp, item.ppdKey, item.titleKey, item.summaryKey,
               item.identifier, item.profileType, nullptr};
    rows[22 + i] = {(this->*item.text).get(), kCtlStaticText, "", item.titleKey, nullptr, "", 0, nullptr};
  }
  rows[21] = {tab_SwitchVew.get(), kCtlTabView, "", "Image", nullptr, "", 0, nullptr};
  rows[43] = {button_ManageProfile.get(), kCtlPushButton, "", "Management Profile", nullptr, "", 0, nullptr};
  rows[44] = {button_KelvoTransfer.get(), kCtlPushButton, "", "Kelvo Transfer", nullptr, "", 0, nullptr};
  rows[45] = {button_HideAdvancedOptions.get(), kCtlPushButton, "", "Hide Advanced Options", nullptr, "", 0, nullptr};
  rows[46] = kTerminatorRow;
  if (!installControlTable(rows, kAdvancedRowCount)) return;
  tab_SwitchVew->selectTabViewItemAtIndex(0);
  button_ManageProfile->setEnabled(profiles::ZNPListIsAdminProfile() == 1);
}

void AdvancedColorOptions::createPDEItemForPPDKey() {
  PDECommon::commonBuildPDEItem(ctrlTable, ppd);
  PDECommon::commonAddMenuFromProfilePlist(ctrlTable);
}

pdk::PopUpButton* AdvancedColorOptions::popUpAt(int i) const { return (this->*kItems[i].menu).get(); }

int AdvancedColorOptions::mappedIndex(int i, int preset, bool eco) {
  return eco && kItems[i].economyToFirst[preset] ? 0 : kItems[i].presetIndex[preset];
}

void AdvancedColorOptions::changeItemAccodingQuickColor(int16_t preset, int16_t eco) {
  if (preset < 0 || preset > 2) return;
  // The preset's items first, then the economy override, in table order.
  for (int i = 0; i < kAdvancedItemCount; ++i) {
    pdk::PopUpButton* popup = popUpAt(i);
    int index = kItems[i].presetIndex[preset];
    if (popup && index < popup->numberOfItems()) popup->selectItemAtIndex(index);
  }
  if (!eco) return;
  for (int i = 0; i < kAdvancedItemCount; ++i) {
    pdk::PopUpButton* popup = popUpAt(i);
    if (popup && kItems[i].economyToFirst[preset] && popup->numberOfItems() > 0) popup->selectItemAtIndex(0);
  }
}

void AdvancedColorOptions::getSummaryItemAccodingQuickColor(int16_t preset, int16_t eco,
                                                            const pdk::Value& summaryDict,
                                                            const pdk::Value& addArray) {
  if (preset < 0 || preset > 2) return;
  for (int i = 0; i < kAdvancedItemCount; ++i) {
    pdk::PopUpButton* popup = popUpAt(i);
    // The economy override replaces the value the preset reports; the name
    // keeps its one place in the display order.
    int index = mappedIndex(i, preset, eco != 0);
    pdk::MenuItem* item = popup ? popup->itemAtIndex(index) : nullptr;
    if (!item) continue;  // a mapped index beyond the menu is left out
    PDECommon::commonGetSummaryTextQuickColor(kItems[i].summaryKey, item->title, summaryDict, addArray);
  }
}

void AdvancedColorOptions::kelvoTransferButton(pdk::Control*) {
  pdk::openWithDesktopLauncher(pdk::systemPath(kKelvoTransferPath));
}

COLORPANE_NAMESPACE_END
