// The print-dialog extension protocol. A pane bundle exports one C entry
// symbol, `PDEPlugInCreate`, returning its entry object; the dialog asks
// the entry object for panels of a type and drives each panel through
// PDEPanel. All calls come on the dialog's main thread, one at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdk/bundle.h"
#include "pdk/object.h"
#include "pdk/printing.h"
#include "pdk/toolkit.h"
#include "pdk/value.h"

struct ppd_file_s;  // libcups' PPD record

namespace pdk {

// The panel type of printer-module panes.
inline constexpr const char* kPrinterModulePanelType = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

// What the dialog offers a panel.
class PDEHostCallback {
 public:
  virtual ~PDEHostCallback() = default;
  virtual ppd_file_s* ppdFile() = 0;
  virtual PrintSettings* printSettings() = 0;
  virtual PrintSession* printSession() = 0;
  virtual PageFormat* pageFormat() = 0;
};
using PDEHostCallbackRef = std::shared_ptr<PDEHostCallback>;

// One pane of the dialog.
class PDEPanel : public Object {
 public:
  virtual ViewRef panelView() = 0;
  virtual std::string panelName() = 0;
  virtual std::string panelKind() = 0;
  // Array of PPD main keywords the panel owns.
  virtual Value supportedPPDOptionKeys() = 0;
  virtual void willShow() = 0;
  virtual bool shouldHide() = 0;
  virtual bool saveValuesAndReturnError(std::string* error) = 0;
  virtual bool restoreValuesAndReturnError(std::string* error) = 0;
  virtual void PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) = 0;
  // Dictionary of item name -> value, with "Summary Display Order" (array).
  virtual Value summaryInfo() = 0;
  virtual bool shouldPrint() = 0;
  // Drop references to the host before the dialog goes away.
  virtual void terminate() {}

  // Windows the pane opens besides its panel view (a management window).
  virtual std::vector<std::shared_ptr<Window>> windows() { return {}; }
  // For scripting and GUI front ends: every named view of the pane, shown or
  // not (default: the named views under panelView() and in windows()).
  virtual std::vector<ViewRef> scriptableViews();
  // Pane-level state to report next to the controls (a dictionary).
  virtual Value scriptingState() { return Value::dictionary(); }
};
using PDEPanelRef = std::shared_ptr<PDEPanel>;
using PDEPanelList = std::vector<PDEPanelRef>;

// A bundle's entry object.
class PDEPlugIn : public Object {
 public:
  virtual bool initWithBundle(const BundleRef& bundle) = 0;
  // The panels for `type`; null when the bundle offers none.
  virtual std::unique_ptr<PDEPanelList> PDEPanelsForType(const std::string& type,
                                                         const PDEHostCallbackRef& host) = 0;
};

// The entry symbol a bundle exports. The caller owns the result.
using PDEPlugInCreateFn = PDEPlugIn* (*)();
inline constexpr const char* kPDEPlugInEntrySymbol = "PDEPlugInCreate";

}  // namespace pdk
