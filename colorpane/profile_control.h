// ProfileControl: controller of the profile management window. The panel
// hands it the print settings, the session and the compound control table
// when the pane loads; the window itself opens from the advanced view.
// Main thread only.
#pragma once

#include <memory>

#include "colorpane/advanced_color_options.h"
#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/printing.h"
#include "pdk/view_description.h"

COLORPANE_NAMESPACE_BEGIN

class ProfileControl : public pdk::Object, public pdk::NibObject {
 public:
  const char* className() const override { return "ProfileControl"; }

  void setPMPrint(pdk::PrintSettings* settings, pdk::PrintSession* printSession) {
    setting = settings;
    session = printSession;
  }
  void setConstTable(PDEControlRow* table) { constTable = table; }

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;

  std::shared_ptr<AdvancedColorOptions> onAdvancedView;

 private:
  pdk::PrintSettings* setting = nullptr;
  pdk::PrintSession* session = nullptr;
  PDEControlRow* constTable = nullptr;
};

COLORPANE_NAMESPACE_END
