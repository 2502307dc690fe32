// ColorOptions: the basic view of the colour pane (Quick Colour preset,
// brightness, colour as grayscale, economy mode, edge type, glossy mode and
// the button to the advanced view). It owns the control table that binds
// each control to its PPD option and forwards PPD and print-settings work
// to PDECommon. Main thread only.
#pragma once

#include <memory>

#include "colorpane/color_view.h"
#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/toolkit.h"

COLORPANE_NAMESPACE_BEGIN

class ColorOptions : public PDEColorView {
 public:
  const char* className() const override { return "ColorOptions"; }

  void createPDEControlTable() override;
  int16_t getQuickColorValue() const;
  int16_t getEconoModeValue() const;

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;

  std::shared_ptr<pdk::PopUpButton> menu_QuickColor, menu_Brightness, menu_EdgeStrength;
  std::shared_ptr<pdk::Button> check_ColorAsGrayscale, check_EconomyPrint, check_GlossyMode;
  std::shared_ptr<pdk::TextField> text_QuickColor, text_Brightness, text_Strength;
  std::shared_ptr<pdk::Button> button_AdvanceColorOptions;
};

COLORPANE_NAMESPACE_END
