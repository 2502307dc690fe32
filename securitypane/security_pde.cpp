// The security panel: creation and destruction, the view description, the
// table of rows, the print-settings round trip and the refresh.
#include "securitypane/security_pde.h"

#include "pdk/syslog.h"
#include "securitypane/credential_codec.h"
#include "securitypane/edit_info_table.h"
#include "securitypane/framework/property_file.h"
#include "securitypane/full_user_name.h"
#include "securitypane/security_table.h"
#include "securitypane/security_ticket.h"
#include "securitypane/zn_text_field.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace sf = securityframework;

namespace {

const int32_t kWaitModeRelated[] = {kWaitModeStaticTextID, -1};
const sf::UIConstraintsRelatedControls kWaitModeRelatedControls{1, kWaitModeRelated};

// One row of SecurityTable before the view description is loaded: the
// control by its outlet name.
struct SecurityRowLayout {
  const char* outlet;
  int16_t kind;
  const char* key;
  const char* titleKey;
  bool appendColon;
};

constexpr SecurityRowLayout kSecurityRowLayout[] = {
    {"waitModePopUp", kSecurityKindPopUp, kPrintModeKey, "PrintModeTLQ770", false},
    {"userAuthenticationCheckBox", kSecurityKindCheckBox, kAuthenticationKey, "ZNAuthenticationTLQ770", false},
    {"sectionManagementCheckBox", kSecurityKindCheckBox, kSectionManagementKey, "ZNSectionManagementTLQ770", false},
    {"userRadioButton", kSecurityKindRadioGroup, kUserTypeKey, nullptr, false},
    {"securePasswordEditText", kSecurityKindEditText, kSecureKey, "SecurePass", false},
    {"userNameEditText", kSecurityKindEditText, kUserNameKey, "UserName", false},
    {"userPasswordEditText", kSecurityKindEditText, kUserKey, "UserPass", false},
    {"sectionNameEditText", kSecurityKindEditText, kSectionNameKey, "SectionName", false},
    {"sectionPasswordEditText", kSecurityKindEditText, kSectionKey, "SectionPass", false},
    {"waitModeStaticText", kSecurityKindStaticText, nullptr, "PrintModeTLQ770", true},
    {"secureTitleStaticText", kSecurityKindStaticText, nullptr, "SecureTitle", false},
    {"securePasswordStaticText", kSecurityKindStaticText, nullptr, "SecurePass", true},
    {"userNameStaticText", kSecurityKindStaticText, nullptr, "UserName", true},
    {"userPasswordStaticText", kSecurityKindStaticText, nullptr, "UserPass", true},
    {"sectionNameStaticText", kSecurityKindStaticText, nullptr, "SectionName", true},
    {"sectionPasswordStaticText", kSecurityKindStaticText, nullptr, "SectionPass", true},
    {nullptr, kSecurityKindEnd, nullptr, nullptr, false},
};

const pdk::OutletBinding<SecurityPDE> kOutlets[] = {
    pdk::outlet("pdeView", &SecurityPDE::pdeView),
    pdk::outlet("waitModePopUp", &SecurityPDE::waitModePopUp),
    pdk::outlet("userAuthenticationCheckBox", &SecurityPDE::userAuthenticationCheckBox),
    pdk::outlet("sectionManagementCheckBox", &SecurityPDE::sectionManagementCheckBox),
    pdk::outlet("userRadioButton", &SecurityPDE::userRadioButton),
    pdk::outlet("securePasswordEditText", &SecurityPDE::securePasswordEditText),
    pdk::outlet("userNameEditText", &SecurityPDE::userNameEditText),
    pdk::outlet("userPasswordEditText", &SecurityPDE::userPasswordEditText),
    pdk::outlet("sectionNameEditText", &SecurityPDE::sectionNameEditText),
    pdk::outlet("sectionPasswordEditText", &SecurityPDE::sectionPasswordEditText),
    pdk::outlet("waitModeStaticText", &SecurityPDE::waitModeStaticText),
    pdk::outlet("secureTitleStaticText", &SecurityPDE::secureTitleStaticText),
    pdk::outlet("securePasswordStaticText", &SecurityPDE::securePasswordStaticText),
    pdk::outlet("userNameStaticText", &SecurityPDE::userNameStaticText),
    pdk::outlet("userPasswordStaticText", &SecurityPDE::userPasswordStaticText),
    pdk::outlet("sectionNameStaticText", &SecurityPDE::sectionNameStaticText),
    pdk::outlet("sectionPasswordStaticText", &SecurityPDE::sectionPasswordStaticText),
};

// The pane's own classes, as the view description names them.
pdk::ObjectRef makePaneObject(const std::string& className) {
  if (className == "ZNTextField") return std::make_shared<ZNTextField>();
  if (className == "ZNSecureTextField") return std::make_shared<ZNSecureTextField>();
  return nullptr;
}

bool isSecureField(const SecurityRow& row) { return dynamic_cast<pdk::SecureTextField*>(row.control) != nullptr; }

// The row's text as the print settings store it: encoded, or "" unchanged.
void storeEditText(const pdk::Value& dictionary, const SecurityRow& row) {
  const std::string& text = *row.value;
  if (text.empty()) {
    dictionary.set(row.key, pdk::Value(text));
  } else if (GetEditTextType(row.key) == kEditTypeNumeric) {
    SaveEditTextNumber(dictionary, row.key, text);
  } else if (isSecureField(row)) {
    SaveEditTextPassword(dictionary, row.key, kPanelKeyId, kPanelKeySubId, text);
  } else {
    SaveEditText(dictionary, row.key, text);
  }
}

// A stored edit text decoded; none when it does not decode (a password that
// does not decrypt loads as "").
std::optional<std::string> loadEditText(const pdk::Value& dictionary, const SecurityRow& row) {
  std::optional<std::string> decoded;
  if (GetEditTextType(row.key) == kEditTypeNumeric) {
    LoadEditTextNumber(dictionary, row.key, &decoded);
  } else if (isSecureField(row)) {
    LoadEditTextPassword(dictionary, row.key, kPanelKeyId, kPanelKeySubId, &decoded);
  } else {
    LoadEditText(dictionary, row.key, &decoded);
  }
  return decoded;
}

}  // namespace

const sf::UIConstraintsKeyEntry SetupPPDKeyTableSecurity[] = {
    {"PrintModeTLQ770", kWaitModePopUpID, &kWaitModeRelatedControls},
    {"ZNAuthenticationTLQ770", kUserAuthenticationCheckBoxID, nullptr},
    {"ZNSectionManagementTLQ770", kSectionManagementCheckBoxID, nullptr},
    {"", 0, nullptr},
};

SecurityPDE* SecurityPDE::initWithCallback(const pdk::PDEHostCallbackRef& callback, const pdk::BundleRef& bundle) {
  pdePluginCallbackObject = callback;
  ppd = callback ? callback->ppdFile() : nullptr;
  pluginBundle = bundle;
  flagAdmin = sf::ZNPropertyIsWritable();
  if (ppd && loadSecurityView()) ControlTable();

  mSession.object = callback.get();
  mSession.Context = &mCoreContext;
  mSession.Bundle = bundle;
  sf::PDECoreOnInitialize(mZNSession);
  sf::UIConstraintsPPDInitializeArgument(ppd, &mCoreContext.CstList);
  mPPDCstTable = sf::CreateUIConstrainstPPDListForEveryUserPaneArgument(SetupPPDKeyTableSecurity, &mPPDCstTableCount,
                                                                         &mCoreContext.CstList);
  if (!table()) {
    pdePluginCallbackObject.reset();
    pluginBundle.reset();
    mSession.object = nullptr;
    return nullptr;
  }
  setDefaults(ppd, table());
  paperObserver_ = pdk::NotificationCenter::defaultCenter().addObserver(
      pdk::kPMPrintDestinationPaperDidChangeNotification, [this](const std::string&, const void*) { updatePaperSize(); });
  getPPDSettingsFromPrintSettings();
  updateUI();
  return this;
}

SecurityPDE::~SecurityPDE() {
  if (paperObserver_) pdk::NotificationCenter::defaultCenter().removeObserver(paperObserver_);
  // The fields may outlive the panel in a host's hands; they must not keep
  // pointing into the freed rows.
  for (SecurityRow& row : SecurityTable) {
    if (auto* field = dynamic_cast<ZNEditField*>(row.control)) field->setTable(nullptr);
  }
  sf::ReleaseUIConstrainstPPDListForEveryUserPaneArgument(&mCoreContext.CstList);
  sf::UIConstraintsPPDFinalize(&mCoreContext.CstList);
  sf::CTblRelease(&mCTLtableRef);
}

void SecurityPDE::terminate() {
  pdePluginCallbackObject.reset();
  mSession.object = nullptr;
  mSession.session = nullptr;
  ppd = nullptr;
}

bool SecurityPDE::loadSecurityView() {
  if (pdeView) return true;
  const std::string path = pluginBundle ? pluginBundle->pathForResource("SecurityPDE", "plist") : std::string();
  pdk::ViewDescriptionResult loaded = pdk::loadViewDescription(path, this, makePaneObject);
  if (!loaded.ok || !pdeView) {
    pdk::systemLog(pdk::LogPriority::Error, "[Security]cannot load SecurityPDE: %s", loaded.error.c_str());
    pdeView.reset();
    return false;
  }
  nibObjects_ = std::move(loaded.objects);
  return true;
}

bool SecurityPDE::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  if (!pdk::bindOutlet(kOutlets, *this, name, value)) return false;
  outlets_[name] = value;
  return true;
}

pdk::Action SecurityPDE::actionNamed(const std::string& selector) {
  if (selector == "SecurityAction:") return [this](pdk::Control* sender) { SecurityAction(sender); };
  return {};
}

void SecurityPDE::ControlTable() {
  for (SecurityRow& row : SecurityTable) {
    if (auto* field = dynamic_cast<ZNEditField*>(row.control)) field->setTable(nullptr);
  }
  SecurityTable.clear();
  for (const SecurityRowLayout& layout : kSecurityRowLayout) {
    SecurityRow row;
    if (layout.outlet) {
      auto found = outlets_.find(layout.outlet);
      row.control = found == outlets_.end() ? nullptr : dynamic_cast<pdk::View*>(found->second.get());
    }
    row.kind = layout.kind;
    row.key = layout.key;
    row.titleKey = layout.titleKey;
    row.appendColon = layout.appendColon;
    SecurityTable.push_back(row);
  }
  initializeUI(ppd, table(), kSecurityBundleIdentifier);
  ZNTextFieldSetup(table());
  ZNTextFieldClassCheck(table());

  const sf::PDEControlSource sources[] = {
      {kWaitModePopUpID, waitModePopUp.get(), sf::kControlKindPopupButton, kPrintModeKey},
      {kUserAuthenticationCheckBoxID, userAuthenticationCheckBox.get(), sf::kControlKindCheckBox, kAuthenticationKey},
      {kSectionManagementCheckBoxID, sectionManagementCheckBox.get(), sf::kControlKindCheckBox, kSectionManagementKey},
      {kWaitModeStaticTextID, waitModeStaticText.get(), sf::kControlKindStaticText, kPrintModeKey},
  };
  sf::CTblRelease(&mCTLtableRef);
  sf::CTblCreate(&mCTLtableRef, sources, 4, ppd);
}

pdk::PrintSettings* SecurityPDE::printSettings() const {
  return pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr;
}

pdk::PrintSession* SecurityPDE::printSession() const {
  return pdePluginCallbackObject ? pdePluginCallbackObject->printSession() : nullptr;
}

pdk::ViewRef SecurityPDE::panelView() {
  if (!pdeView) loadSecurityView();
  if (!table() && pdeView) ControlTable();
  return pdeView;
}

std::string SecurityPDE::panelName() {
  if (!thePDEName) thePDEName = pluginBundle ? pluginBundle->localizedString("PDETitle") : std::string("PDETitle");
  return *thePDEName;
}

std::string SecurityPDE::panelKind() { return kSecurityBundleIdentifier; }

pdk::Value SecurityPDE::supportedPPDOptionKeys() { return CustomSupportedPPDOptionKeys(table()); }

void SecurityPDE::willShow() { updateUI(); }

bool SecurityPDE::shouldHide() {
  for (SecurityRow* row = table(); row && row->kind != kSecurityKindEnd; ++row) {
    auto* field = dynamic_cast<pdk::TextField*>(row->control);
    if (row->kind == kSecurityKindEditText && field && field->isEnabled()) field->abortEditing();
  }
  return true;
}

void SecurityPDE::PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) {
  for (SecurityRow* row = table(); row && row->kind != kSecurityKindEnd; ++row) {
    if (row->kind != kSecurityKindStaticText && row->titleKey && option == row->titleKey) {
      row->value = choice;
      break;
    }
  }
  updateUI();
}

bool SecurityPDE::restoreValuesAndReturnError(std::string*) {
  setDefaults(ppd, table());
  if (table()) getPPDSettingsFromPrintSettings();
  updateUI();
  return true;
}

bool SecurityPDE::saveValuesAndReturnError(std::string*) {
  updateUI();
  SecurityErrorCheck(false);
  return true;
}

void SecurityPDE::updatePaperSize() { updateUI(); }

void SecurityPDE::getPPDSettingsFromPrintSettings() {
  SecurityRow* rows = table();
  const pdk::Value dictionary = ticketGetModelDictionary(printSettings(), printSession());
  if (!rows || !dictionary.isDictionary()) return;
  for (SecurityRow* row = rows; row->kind != kSecurityKindEnd; ++row) {
    if (row->kind == kSecurityKindStaticText || !row->key) continue;
    // A value that is not a string counts as absent.
    const pdk::Value stored = dictionary.get(row->key);
    if (!stored.isString()) continue;
    std::optional<std::string> value = stored.asString();
    if (row->kind == kSecurityKindEditText && !value->empty()) {
      if (std::optional<std::string> decoded = loadEditText(dictionary, *row)) value = decoded;
    }
    row->value = value;
  }
}

void SecurityPDE::writePPDSettingsToPrintSettings() {
  const pdk::Value dictionary = ticketGetModelDictionary(printSettings(), printSession());
  if (!dictionary.isDictionary()) return;
  for (SecurityRow* row = table(); row && row->kind != kSecurityKindEnd; ++row) {
    if (row->kind == kSecurityKindStaticText || !row->key || !row->value) continue;
    if (row->kind == kSecurityKindEditText) {
      storeEditText(dictionary, *row);
    } else {
      dictionary.set(row->key, pdk::Value(*row->value));
    }
  }
  dictionary.set(kLoginNameKey, pdk::Value(NSFullUserName()));
}

void SecurityPDE::showRowValue(SecurityRow* row) {
  if (setPPDValueToControl(row, row->value) != 0) row->value = getPPDValueFromControl(row);
}

void SecurityPDE::updateUI() {
  writePPDSettingsToPrintSettings();
  UpdateCST();
  getPPDSettingsFromPrintSettings();
  SecurityRow* rows = table();
  if (!rows) {
    pdk::systemLog(pdk::LogPriority::Error, "[Security]updateUI");
    return;
  }
  for (SecurityRow* row = rows; row->kind != kSecurityKindEnd; ++row) {
    if (!row->value) continue;
    showRowValue(row);
    if (row->kind != kSecurityKindEditText) continue;
    row->value = getPPDValueFromControl(row);
    if (auto* field = dynamic_cast<ZNEditField*>(row->control); field && row->value) field->setOldValue(*row->value);
  }
  SecurityEnableControls();
}

void SecurityPDE::UpdateCST() {
  // The pane's constraint list is made with the panel; a PPD without any
  // constraint on its keys still gets the pass, which disables a pop-up left
  // with one choice.
  if (mCoreContext.CstList.iNumOfLocalAlloc == 0) return;
  mEnableALL(mCTLtableRef);
  sf::UpdateUIConstraintsPPDArgument(mPPDCstTable, mPPDCstTableCount, SetupPPDKeyTableSecurity,
                                     kSetupPPDKeyTableSecurityCount, mCTLtableRef, mZNSession);
}

void SecurityPDE::SecurityAction(pdk::Control* sender) {
  const int32_t id = sf::CTblGetID(mCTLtableRef, sender);
  if (sf::PDEControlData* record = sf::PDEControlDataGetByID(mCTLtableRef, id)) {
    sf::UpdateTicketWithPDEControl(record, mZNSession);
  }
  SecurityRow* rows = table();
  if (!rows) {
    pdk::systemLog(pdk::LogPriority::Error, "[Security]Action");
    return;
  }
  // The user has the pane in front of them: a reset made while saving is seen.
  resetAtSave_ = false;
  const int32_t index = searchTableIndex(rows, sender);
  if (index >= 0 && rows[index].kind != kSecurityKindStaticText) rows[index].value = getPPDValueFromControl(&rows[index]);
  updateUI();
}

SECURITYPANE_NAMESPACE_END
