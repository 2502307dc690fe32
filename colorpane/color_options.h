// ColorOptions: the basic view of the colour pane (Quick Colour preset,
// brightness, colour as grayscale, economy mode, edge type, glossy mode and
// the button to the advanced view). It owns the control table that binds
// each control to its PPD option and forwards PPD and print-settings work
// to PDECommon. Main thread only.
#pragma once

#include <memory>

#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/printing.h"
#include "pdk/toolkit.h"
#include "pdk/view_description.h"

struct ppd_file_s;

COLORPANE_NAMESPACE_BEGIN

class ColorOptions : public pdk::View, public pdk::NibObject {
 public:
  const char* className() const override { return "ColorOptions"; }
  ~ColorOptions() override { deallocPDEControlTable(); }

  void initWithFrame(const pdk::Rect& frame) { setFrame(frame); }
  void drawRect(const pdk::Rect&) {}
  void setPPDFile(ppd_file_s* file) { ppd = file; }
  void setPMPrint(pdk::PrintSettings* settings, pdk::PrintSession* printSession);
  void setViewBounds(const pdk::Rect& rect);
  void createPDEControlTable();
  void deallocPDEControlTable();
  PDEControlRow* getControlData() const { return ctrlTable; }
  int16_t getControlCount() const { return ctrlCount; }
  void addPPDArray(const pdk::Value& array);
  void createPDEItemForPPDKey();
  void getSummaryText(const pdk::Value& dict, const pdk::Value& array);
  void setControlValueToTicket();
  void getControlValueFromTicket();
  void defaultFromPPDInfo();
  int16_t getQuickColorValue() const;
  int16_t getEconoModeValue() const;

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;

  std::shared_ptr<pdk::PopUpButton> menu_QuickColor, menu_Brightness, menu_EdgeStrength;
  std::shared_ptr<pdk::Button> check_ColorAsGrayscale, check_EconomyPrint, check_GlossyMode;
  std::shared_ptr<pdk::TextField> text_QuickColor, text_Brightness, text_Strength;
  std::shared_ptr<pdk::Button> button_AdvanceColorOptions;

 private:
  PDEControlRow* ctrlTable = nullptr;
  int16_t ctrlCount = 0;
  ppd_file_s* ppd = nullptr;
  pdk::PrintSettings* setting = nullptr;
  pdk::PrintSession* session = nullptr;
};

// Fill the choice list of every PPD-bound row of a freshly built table.
void fillChoicesFromPPD(PDEControlRow* table, ppd_file_s* ppd);
// Release the choice lists a view's table owns, then the table.
void freeControlTable(PDEControlRow*& table);

COLORPANE_NAMESPACE_END
