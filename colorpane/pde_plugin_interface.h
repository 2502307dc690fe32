// PDEPlugInInterface: the colour pane's panel, one per print dialog. It
// loads the view description on first use, wires the two colour views,
// the view switcher and the profile window controller, and answers the
// dialog's panel protocol. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "colorpane/advanced_color_options.h"
#include "colorpane/color_options.h"
#include "colorpane/main_view.h"
#include "colorpane/namespace.h"
#include "colorpane/pain_change_controller.h"
#include "colorpane/profile_control.h"
#include "pdk/pde.h"
#include "pdk/view_description.h"

COLORPANE_NAMESPACE_BEGIN

// The panel's kind.
inline constexpr const char* kColorPanelKind = "quorlin.pde.TLQ770-1.znco";

class PDEPlugInInterface : public pdk::PDEPanel, public pdk::NibObject {
 public:
  const char* className() const override { return "PDEPlugInInterface"; }

  // Control actions.
  void selectItem(pdk::Control* sender);
  void constraints(pdk::Control* sender);

  void myLoad();
  ~PDEPlugInInterface() override;  // dealloc
  PDEPlugInInterface* initWithCallback(const pdk::PDEHostCallbackRef& callback);
  void terminate() override;
  bool shouldPrint() override;
  pdk::ViewRef panelView() override;
  std::string panelName() override;
  std::string panelKind() override;
  pdk::Value supportedPPDOptionKeys() override;
  void willShow() override;
  bool shouldHide() override;
  void PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) override;
  bool restoreValuesAndReturnError(std::string* error) override;
  bool saveValuesAndReturnError(std::string* error) override;
  pdk::Value summaryInfo() override;

  // The profile management window.
  std::vector<std::shared_ptr<pdk::Window>> windows() override;
  std::vector<pdk::ViewRef> scriptableViews() override;
  pdk::Value scriptingState() override;

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;

  // Read by tests and the view switcher.
  PDEControlRow* compoundTable() const { return compTable; }

  pdk::PDEHostCallbackRef pdePluginCallbackObject;
  pdk::PrintSettings* setting = nullptr;
  pdk::PrintSession* session = nullptr;
  ppd_file_s* ppd = nullptr;
  std::shared_ptr<MainView> pdeMainView;
  std::shared_ptr<ColorOptions> onColorView;
  std::shared_ptr<AdvancedColorOptions> onAdvancedView;
  std::shared_ptr<PainChangeController> painChange;
  std::shared_ptr<ProfileControl> profileControl;
  pdk::ObjectRef painShareInterface;
  PDEControlRow* compTable = nullptr;
  std::string thePDEName;

 private:
  // Every object of the view description, kept alive with the panel.
  std::vector<pdk::ObjectRef> nibObjects_;
};

COLORPANE_NAMESPACE_END
