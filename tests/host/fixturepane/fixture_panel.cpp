#include <cctype>

#include "pdk/text.h"

#include "fixture_pane.h"

namespace fixturepane {

namespace {

const pdk::OutletBinding<FixturePanel> kOutlets[] = {
    pdk::outlet("view_Fixture", &FixturePanel::view_Fixture),
    pdk::outlet("radio_Mode", &FixturePanel::radio_Mode),
    pdk::outlet("text_CodeLabel", &FixturePanel::text_CodeLabel),
    pdk::outlet("edit_Code", &FixturePanel::edit_Code),
    pdk::outlet("edit_Name", &FixturePanel::edit_Name),
    pdk::outlet("secure_Pin", &FixturePanel::secure_Pin),
    pdk::outlet("image_Logo", &FixturePanel::image_Logo),
    pdk::outlet("manager", &FixturePanel::manager),
};

class FixturePlugIn : public pdk::PDEPlugIn {
 public:
  bool initWithBundle(const pdk::BundleRef& bundle) override {
    bundle_ = bundle;
    return true;
  }
  std::unique_ptr<pdk::PDEPanelList> PDEPanelsForType(const std::string& type,
                                                      const pdk::PDEHostCallbackRef& host) override {
    if (type != pdk::kPrinterModulePanelType) return nullptr;
    auto panels = std::make_unique<pdk::PDEPanelList>();
    panels->push_back(std::make_shared<FixturePanel>(bundle_, host));
    return panels;
  }

 private:
  pdk::BundleRef bundle_;
};

pdk::ObjectRef makeObject(const std::string& cls) {
  if (cls == "DigitsField") return std::make_shared<DigitsField>();
  if (cls == "ManageWindow") return std::make_shared<ManageWindow>();
  return nullptr;
}

}  // namespace

bool FixturePanel::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

pdk::Action FixturePanel::actionNamed(const std::string& selector) {
  if (selector == "modeChanged:") return [this](pdk::Control*) { updateControls(); };
  if (selector == "manage:") return [this](pdk::Control*) { lastResponse_ = manager->showWindow(); };
  return {};
}

void FixturePanel::controlTextDidChange(pdk::TextField* control) {
  std::string upper = control->stringValue();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  control->setStringValue(upper);
}

void FixturePanel::load() {
  if (view_Fixture) return;
  auto result = pdk::loadViewDescription(bundle_->pathForResource("FixturePane", "plist"), this, makeObject);
  if (!result.ok) return;
  objects_ = result.objects;
  manager->iconPath = bundle_->pathForResource("icon", "icns");
  updateControls();
}

void FixturePanel::updateControls() {
  bool code = radio_Mode->selectedRow() == 1;
  edit_Code->setEnabled(code);
  text_CodeLabel->setTextColor(code ? pdk::TextColor::Black : pdk::TextColor::Gray);
}

pdk::ViewRef FixturePanel::panelView() {
  load();
  return view_Fixture;
}

pdk::Value FixturePanel::supportedPPDOptionKeys() {
  pdk::Value keys = pdk::Value::array();
  keys.append("FixtureMode");
  return keys;
}

bool FixturePanel::saveValuesAndReturnError(std::string*) {
  load();
  host_->printSettings()->setValue("FixtureMode", pdk::Value(radio_Mode->selectedRow()));
  host_->printSettings()->setValue("FixtureCode", pdk::Value(edit_Code->stringValue()));
  return true;
}

bool FixturePanel::restoreValuesAndReturnError(std::string*) {
  load();
  return true;
}

pdk::Value FixturePanel::summaryInfo() {
  pdk::Value info = pdk::Value::dictionary();
  info.set("Summary Display Order", pdk::Value::array());
  return info;
}

bool FixturePanel::shouldPrint() {
  if (radio_Mode->selectedRow() != 1 || pdk::utf16Length(secure_Pin->stringValue()) >= 4) return true;
  pdk::Alert alert;
  alert.setMessageText("Enter a PIN of 4 characters.");
  alert.runModal();
  return false;
}

std::vector<std::shared_ptr<pdk::Window>> FixturePanel::windows() {
  load();
  if (!manager) return {};
  return {manager->window_Manage};
}

pdk::Value FixturePanel::scriptingState() {
  pdk::Value state = pdk::Value::dictionary();
  state.set("lastResponse", pdk::Value(lastResponse_));
  state.set("windowClosed", pdk::Value(manager ? manager->closed : 0));
  return state;
}

}  // namespace fixturepane

extern "C" __attribute__((visibility("default"))) pdk::PDEPlugIn* PDEPlugInCreate() {
  return new fixturepane::FixturePlugIn();
}
