#include "colorpane/color_options.h"

#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

const pdk::OutletBinding<ColorOptions> kOutlets[] = {
    pdk::outlet("menu_QuickColor", &ColorOptions::menu_QuickColor),
    pdk::outlet("menu_Brightness", &ColorOptions::menu_Brightness),
    pdk::outlet("menu_EdgeStrength", &ColorOptions::menu_EdgeStrength),
    pdk::outlet("check_ColorAsGrayscale", &ColorOptions::check_ColorAsGrayscale),
    pdk::outlet("check_EconomyPrint", &ColorOptions::check_EconomyPrint),
    pdk::outlet("check_GlossyMode", &ColorOptions::check_GlossyMode),
    pdk::outlet("text_QuickColor", &ColorOptions::text_QuickColor),
    pdk::outlet("text_Brightness", &ColorOptions::text_Brightness),
    pdk::outlet("text_Strength", &ColorOptions::text_Strength),
    pdk::outlet("button_AdvanceColorOptions", &ColorOptions::button_AdvanceColorOptions),
};

constexpr int16_t kColorOptionsRowCount = 11;

}  // namespace

bool ColorOptions::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

void ColorOptions::createPDEControlTable() {
  const PDEControlRow rows[kColorOptionsRowCount] = {
      {menu_QuickColor.get(), kCtlPopUp, "ZNQuickColor", nullptr, "Quick Color", "QuickColorPopup", 0, nullptr},
      {menu_Brightness.get(), kCtlPopUp, "ZNBrightness", nullptr, "Brightness", "", 0, nullptr},
      {check_ColorAsGrayscale.get(), kCtlCheckBox, "ZNColorAsGray", "Color as Grayscale", "Color as Grayscale",
       "ColorAsGrayCheckBox", 0, nullptr},
      {check_EconomyPrint.get(), kCtlCheckBox, "ZNEconoMode", "EconoMode", "EconoMode", "EconoModeCheckBox", 0,
       nullptr},
      {menu_EdgeStrength.get(), kCtlPopUp, "ZNEdgeType", nullptr, "EdgeType", "EdgeTypePopup", 0, nullptr},
      {check_GlossyMode.get(), kCtlCheckBox, "ZNGlossyMode", "GlossyMode", "GlossyMode", "GlossyModeCheckBox", 0,
       nullptr},
      {text_QuickColor.get(), kCtlStaticText, "", "Quick Color:", nullptr, "", 0, nullptr},
      {text_Brightness.get(), kCtlStaticText, "", "Brightness:", nullptr, "", 0, nullptr},
      {text_Strength.get(), kCtlStaticText, "", "EdgeType:", nullptr, "", 0, nullptr},
      {button_AdvanceColorOptions.get(), kCtlPushButton, "", "Advanced Color Options", nullptr,
       "GoToAdvancedOptionsButton", 0, nullptr},
      kTerminatorRow,
  };
  installControlTable(rows, kColorOptionsRowCount);
}

int16_t ColorOptions::getQuickColorValue() const {
  return static_cast<int16_t>(menu_QuickColor ? menu_QuickColor->indexOfSelectedItem() : -1);
}

int16_t ColorOptions::getEconoModeValue() const {
  return static_cast<int16_t>(check_EconomyPrint ? check_EconomyPrint->intValue() : 0);
}

COLORPANE_NAMESPACE_END
