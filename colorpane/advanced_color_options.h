// AdvancedColorOptions: the advanced view of the colour pane. Four tabs
// (Image, Text, Graphics, Simulation) of per-object colour pop-ups bound to
// PPD options, plus buttons for the profile window, the companion download
// tool and the way back to the basic view. Unless Quick Colour is "Custom",
// a fixed mapping from the preset and economy mode decides the pop-ups at
// print time and in the summary. Main thread only.
#pragma once

#include <memory>

#include "colorpane/color_view.h"
#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/toolkit.h"

COLORPANE_NAMESPACE_BEGIN

// Path of the companion download tool (under the system root).
inline constexpr const char* kKelvoTransferPath = "/Applications/Kelvo Transfer TLQ770-1/T LQ770-1 Kelvo Transfer.app";

class AdvancedColorOptions : public PDEColorView {
 public:
  const char* className() const override { return "AdvancedColorOptions"; }

  void createPDEControlTable() override;
  void createPDEItemForPPDKey() override;
  void changeItemAccodingQuickColor(int16_t preset, int16_t eco);
  void getSummaryItemAccodingQuickColor(int16_t preset, int16_t eco, const pdk::Value& summaryDict,
                                        const pdk::Value& addArray);
  void kelvoTransferButton(pdk::Control* sender);

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;

  std::shared_ptr<pdk::PopUpButton> menu_iRGBSource, menu_iRGBIntent, menu_iRGBGrayTreatment,
      menu_iDestinationProfile, menu_iHalftone, menu_iEdgeEnhancement;
  std::shared_ptr<pdk::PopUpButton> menu_tRGBSource, menu_tRGBIntent, menu_tRGBGrayTreatment,
      menu_tDestinationProfile, menu_tHalftone, menu_tEdgeEnhancement;
  std::shared_ptr<pdk::PopUpButton> menu_gRGBSource, menu_gRGBIntent, menu_gRGBGrayTreatment,
      menu_gDestinationProfile, menu_gHalftone, menu_gEdgeEnhancement;
  std::shared_ptr<pdk::PopUpButton> menu_sSimulationProfile, menu_sMatchPaperColor, menu_sCMYKGrayTreatment;
  std::shared_ptr<pdk::TabView> tab_SwitchVew;
  std::shared_ptr<pdk::TextField> text_iRGBSource, text_iRGBIntent, text_iRGBGrayTreatment,
      text_iDestinationProfile, text_iHalftone, text_iEdgeEnhancement;
  std::shared_ptr<pdk::TextField> text_tRGBSource, text_tRGBIntent, text_tRGBGrayTreatment,
      text_tDestinationProfile, text_tHalftone, text_tEdgeEnhancement;
  std::shared_ptr<pdk::TextField> text_gRGBSource, text_gRGBIntent, text_gRGBGrayTreatment,
      text_gDestinationProfile, text_gHalftone, text_gEdgeEnhancement;
  std::shared_ptr<pdk::TextField> text_sSimulationProfile, text_sMatchPaperColor, text_sCMYKGrayTreatment;
  std::shared_ptr<pdk::Button> button_ManageProfile, button_KelvoTransfer, button_HideAdvancedOptions;

 private:
  // The pop-up of advanced row `i` (0 to 20).
  pdk::PopUpButton* popUpAt(int i) const;
  // The item index the preset (0-2) and economy mode give row `i`.
  static int mappedIndex(int i, int preset, bool eco);
};

COLORPANE_NAMESPACE_END
