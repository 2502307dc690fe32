// PainChangeController: shows the basic or the advanced colour view in the
// pane's container and passes every table, PPD and print-settings request
// on to both views in a fixed order. It also joins the views where they
// depend on each other: the summary and the Quick Colour mapping.
// Main thread only.
#pragma once

#include <memory>

#include "colorpane/advanced_color_options.h"
#include "colorpane/color_options.h"
#include "colorpane/namespace.h"
#include "pdk/view_description.h"

COLORPANE_NAMESPACE_BEGIN

class PainChangeController : public pdk::Object, public pdk::NibObject {
 public:
  const char* className() const override { return "PainChangeController"; }

  // View switching.
  void ColorToAdvancedView(pdk::Control* sender);
  void AdvancedToColorView(pdk::Control* sender);
  void SHowColorToAdvancedView();
  void ShowAdvancedToColorView();
  // True while the advanced view is the one in the container.
  bool isShowingAdvancedView() const;

  // Fan-out to both views.
  void creatPDEControlTableEachView();
  void addPPDArrayEachView(const pdk::Value& array);
  void deallocPDEControlTableEachView();
  void setPPDFileEachView(ppd_file_s* ppd);
  void setPMPrintEachView(pdk::PrintSettings* settings, pdk::PrintSession* session);
  void createPDEItemForPPDKeyEachView();
  void defaultFromPPDInfoEachView();
  void getControlValueFromTickettEachView();
  void setControlValueToTicketEachView();

  // Joining operations.
  int32_t getControlDataEachView(PDEControlRow** tables, int32_t count);
  int16_t getControlCountEachView();
  void getSummaryTextEachView(const pdk::Value& dict, const pdk::Value& array);
  void changeAdvancedItemAccodingQuickColor();
  void getSummaryAdvancedItemAccodingQuickColor(const pdk::Value& dict, const pdk::Value& array);

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;

  std::shared_ptr<pdk::View> onMainCustomView;
  std::shared_ptr<ColorOptions> onColorView;
  std::shared_ptr<AdvancedColorOptions> onAdvancedView;

 private:
  // The container's bounds; an empty rectangle without a container.
  pdk::Rect containerBounds() const;
  // Put `show` in the container in the place of `hide`.
  void swapViews(const std::shared_ptr<pdk::View>& show, const std::shared_ptr<pdk::View>& hide);
};

COLORPANE_NAMESPACE_END
