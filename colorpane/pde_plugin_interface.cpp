#include "colorpane/pde_plugin_interface.h"

#include "colorpane/logging.h"
#include "colorpane/pde_common.h"
#include "colorpane/quick_color_rules.h"
#include "profiles/profile_list.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

const pdk::OutletBinding<PDEPlugInInterface> kOutlets[] = {
    pdk::outlet("pdeMainView", &PDEPlugInInterface::pdeMainView),
    pdk::outlet("onColorView", &PDEPlugInInterface::onColorView),
    pdk::outlet("onAdvancedView", &PDEPlugInInterface::onAdvancedView),
    pdk::outlet("painChange", &PDEPlugInInterface::painChange),
    pdk::outlet("profileControl", &PDEPlugInInterface::profileControl),
};

// The pane's own classes, as the view description names them.
pdk::ObjectRef makePaneObject(const std::string& cls) {
  if (cls == "MainView") return std::make_shared<MainView>();
  if (cls == "ColorOptions") return std::make_shared<ColorOptions>();
  if (cls == "AdvancedColorOptions") return std::make_shared<AdvancedColorOptions>();
  if (cls == "PainChangeController") return std::make_shared<PainChangeController>();
  if (cls == "ProfileControl") return std::make_shared<ProfileControl>();
  if (cls == "ZNTextField") return std::make_shared<ZNTextField>();
  if (cls == "IconedCell") return std::make_shared<IconedCell>();
  return nullptr;
}

constexpr int32_t kTableSlots = 5;

}  // namespace

bool PDEPlugInInterface::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

pdk::Action PDEPlugInInterface::actionNamed(const std::string& selector) {
  if (selector == "selectItem:") return [this](pdk::Control* s) { selectItem(s); };
  if (selector == "constraints:") return [this](pdk::Control* s) { constraints(s); };
  return {};
}

void PDEPlugInInterface::selectItem(pdk::Control*) {
  if (onColorView) vColorPresetConstraints(onColorView->getControlData());
}

void PDEPlugInInterface::constraints(pdk::Control*) { vColorPresetConstraints(compTable); }

void PDEPlugInInterface::myLoad() {
  if (pdeMainView) return;

  // 1. The view description, with the panel as owner.
  pdk::BundleRef bundle = PDECommon::commonGetBundle();
  std::string path = bundle ? bundle->pathForResource("PDEMain", "plist") : std::string();
  pdk::ViewDescriptionResult loaded = pdk::loadViewDescription(path, this, makePaneObject);
  if (!loaded.ok) {
    _PDELog(this, "cannot load the view description PDEMain: %s", loaded.error.c_str());
    pdeMainView.reset();
    return;
  }
  nibObjects_ = std::move(loaded.objects);
  if (!painChange) return;

  // 2-3. Both views must know the PPD before building their tables.
  ppd = pdePluginCallbackObject ? pdePluginCallbackObject->ppdFile() : nullptr;
  painChange->setPMPrintEachView(setting, session);
  painChange->setPPDFileEachView(ppd);

  // 4-6. Each view's table, then the compound table of both.
  painChange->creatPDEControlTableEachView();
  PDEControlRow* tables[kTableSlots] = {};
  int32_t count = painChange->getControlDataEachView(tables, kTableSlots);
  delete[] compTable;
  compTable = PDECommon::commonControlTableCompound(tables, count);

  // 7. The profile window works on the compound table.
  if (profileControl) {
    profileControl->setPMPrint(setting, session);
    profileControl->setConstTable(compTable);
  }

  // 8. Titles and menus.
  painChange->createPDEItemForPPDKeyEachView();
}

PDEPlugInInterface::~PDEPlugInInterface() {
  if (painChange) painChange->deallocPDEControlTableEachView();
  delete[] compTable;  // the rows' choice lists belong to the views
  compTable = nullptr;
}

PDEPlugInInterface* PDEPlugInInterface::initWithCallback(const pdk::PDEHostCallbackRef& callback) {
  pdePluginCallbackObject = callback;
  setting = callback ? callback->printSettings() : nullptr;
  session = callback ? callback->printSession() : nullptr;
  return this;
}

void PDEPlugInInterface::terminate() { pdePluginCallbackObject.reset(); }

bool PDEPlugInInterface::shouldPrint() {
  if (painChange) painChange->changeAdvancedItemAccodingQuickColor();
  if (onAdvancedView) onAdvancedView->setControlValueToTicket();
  return true;
}

pdk::ViewRef PDEPlugInInterface::panelView() {
  myLoad();
  if (profiles::ZNPListIsAdminProfile() == 1) PDECommon::commonGetProfilesFromMIB(session);
  return pdeMainView;
}

std::string PDEPlugInInterface::panelName() {
  pdk::BundleRef bundle = PDECommon::commonGetBundle();
  return bundle ? bundle->localizedString("Color Options") : std::string("Color Options");
}

std::string PDEPlugInInterface::panelKind() { return kColorPanelKind; }

pdk::Value PDEPlugInInterface::supportedPPDOptionKeys() {
  pdk::Value keys = pdk::Value::array();
  if (!pdeMainView) myLoad();
  if (painChange) painChange->addPPDArrayEachView(keys);
  return keys;
}

void PDEPlugInInterface::willShow() {
  if (painChange) painChange->ShowAdvancedToColorView();
}

bool PDEPlugInInterface::shouldHide() { return true; }

void PDEPlugInInterface::PPDOptionKeyValueDidChange(const std::string&, const std::string&) {}

bool PDEPlugInInterface::restoreValuesAndReturnError(std::string*) {
  if (!pdeMainView) myLoad();
  if (onColorView && onAdvancedView && painChange) painChange->defaultFromPPDInfoEachView();
  if (setting && session && painChange) painChange->getControlValueFromTickettEachView();
  if (pdeMainView) vColorPresetConstraints(compTable);
  return true;
}

bool PDEPlugInInterface::saveValuesAndReturnError(std::string*) {
  if (onColorView && onAdvancedView && setting && session && painChange)
    painChange->setControlValueToTicketEachView();
  return true;
}

pdk::Value PDEPlugInInterface::summaryInfo() {
  if (!pdeMainView) myLoad();
  pdk::Value order = pdk::Value::array();
  pdk::Value dict = pdk::Value::dictionary();
  if (onColorView && onAdvancedView && painChange) painChange->getSummaryTextEachView(dict, order);
  dict.set("Summary Display Order", order);
  return dict;
}

std::vector<std::shared_ptr<pdk::Window>> PDEPlugInInterface::windows() {
  if (!profileControl || !profileControl->_profileManagementWindow) return {};
  return {profileControl->_profileManagementWindow};
}

std::vector<pdk::ViewRef> PDEPlugInInterface::scriptableViews() {
  std::vector<pdk::ViewRef> views;
  for (auto& obj : nibObjects_)
    if (auto view = std::dynamic_pointer_cast<pdk::View>(obj); view && !view->identifier.empty())
      views.push_back(view);
  return views;
}

pdk::Value PDEPlugInInterface::scriptingState() {
  pdk::Value state = pdk::Value::dictionary();
  state.set("view", pdk::Value(painChange && painChange->isShowingAdvancedView() ? "advanced" : "basic"));
  return state;
}

COLORPANE_NAMESPACE_END
