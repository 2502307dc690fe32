// ProfileControl: outlets, opening and closing the window, and the state of
// its controls.
#include "colorpane/profile_control.h"

#include "colorpane/input_key_filter.h"
#include "colorpane/pde_common.h"
#include "colorpane/quick_color_rules.h"
#include "pdk/system_root.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

using PC = ProfileControl;

const pdk::OutletBinding<PC> kOutlets[] = {
    pdk::outlet("_profileManagementWindow", &PC::_profileManagementWindow),
    pdk::outlet("_profileTableView", &PC::_profileTableView),
    pdk::outlet("_profileMenu", &PC::_profileMenu),
    pdk::outlet("_addButton", &PC::_addButton),
    pdk::outlet("_editButton", &PC::_editButton),
    pdk::outlet("_deleteButton", &PC::_deleteButton),
    pdk::outlet("_editGroupBox", &PC::_editGroupBox),
    pdk::outlet("_fileNameText", &PC::_fileNameText),
    pdk::outlet("_profileNameText", &PC::_profileNameText),
    pdk::outlet("_locationText", &PC::_locationText),
    pdk::outlet("_fileNameEdit", &PC::_fileNameEdit),
    pdk::outlet("_profileNameEdit", &PC::_profileNameEdit),
    pdk::outlet("_locationMenu", &PC::_locationMenu),
    pdk::outlet("_browse", &PC::_browse),
    pdk::outlet("_localOK", &PC::_localOK),
    pdk::outlet("_localCancel", &PC::_localCancel),
    pdk::outlet("onAdvancedView", &PC::onAdvancedView),
};

// Limits and input classes of the two name fields.
constexpr int32_t kFileNameMaxLength = 31;
constexpr int32_t kFileNameMaxExtension = 3;
constexpr int32_t kProfileNameMaxLength = 30;

// Columns whose cells show text, and their font.
constexpr const char* kTextColumns[] = {"filename", "profilename", "location"};
constexpr double kCellFontSize = 12;
constexpr double kTableFontSize = 9;

void setEnabled(const std::shared_ptr<pdk::Control>& control, bool enabled) {
  if (control) control->setEnabled(enabled);
}

}  // namespace

ProfileControl::ProfileControl()
    : plistRGBDict(std::make_unique<profiles::ProfileList>()),
      plistSIMDict(std::make_unique<profiles::ProfileList>()),
      plistDSTDict(std::make_unique<profiles::ProfileList>()),
      plistRGBDelete(std::make_unique<profiles::ProfileList>()),
      plistSIMDDelete(std::make_unique<profiles::ProfileList>()),
      plistDSTDelete(std::make_unique<profiles::ProfileList>()) {}

bool ProfileControl::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

pdk::Action ProfileControl::actionNamed(const std::string& selector) {
  static const struct {
    const char* selector;
    void (ProfileControl::*method)(pdk::Control*);
  } kActions[] = {
      {"showProfileManagementWindow:", &PC::showProfileManagementWindow},
      {"profileMenu:", &PC::profileMenu},
      {"addButton:", &PC::addButton},
      {"editButton:", &PC::editButton},
      {"deleteButton:", &PC::deleteButton},
      {"browseButton:", &PC::browseButton},
      {"profileOK:", &PC::profileOK},
      {"profileCancel:", &PC::profileCancel},
      {"profileWindowOK:", &PC::profileWindowOK},
      {"profileWindowCancel:", &PC::profileWindowCancel},
  };
  for (auto& action : kActions)
    if (selector == action.selector) return [this, method = action.method](pdk::Control* s) { (this->*method)(s); };
  return {};
}

std::array<profiles::ProfileList*, 3> ProfileControl::workingLists() const {
  return {plistRGBDict.get(), plistSIMDict.get(), plistDSTDict.get()};
}

std::array<profiles::ProfileList*, 3> ProfileControl::deletedLists() const {
  return {plistRGBDelete.get(), plistSIMDDelete.get(), plistDSTDelete.get()};
}

void ProfileControl::showProfileManagementWindow(pdk::Control*) {
  if (!_profileManagementWindow) return;
  initWithProfileControl();
  pdk::BundleRef bundle = PDECommon::commonGetBundle();
  _profileManagementWindow->setTitle(bundle ? bundle->localizedString("ProfileTitle") : std::string("ProfileTitle"));
  pdk::Application::shared().runModalForWindow(*_profileManagementWindow);
}

void ProfileControl::initWithProfileControl() {
  // 1. What the pop-ups show now is stored, so that the OK can reload it.
  buttonIdentify = kEditNone;
  if (onAdvancedView) onAdvancedView->setControlValueToTicket();

  // 2. The printer's connection decides how the lists are read and written.
  protocolType = PDECommon::commoniGetProtocol(session);

  // 3. One location is offered: the hard disk.
  pdk::BundleRef bundle = PDECommon::commonGetBundle();
  if (bundle && _locationMenu) {
    _locationMenu->removeAllItems();
    _locationMenu->addItem(bundle->localizedString("Disk"));
  }

  // 4. Columns, list chooser, edit fields.
  if (_profileTableView) {
    _profileTableView->setFont(pdk::Font::userFontOfSize(kTableFontSize));
    for (const char* id : kTextColumns)
      if (pdk::TableColumn* column = _profileTableView->tableColumnWithIdentifier(id))
        column->dataCell()->setFont(pdk::Font::systemFontOfSize(kCellFontSize));
    if (pdk::TableColumn* column = _profileTableView->tableColumnWithIdentifier("inmenu"))
      column->dataCell()->setTitle("");
  }
  fileExistIcon_ = pdk::Image::imageWithContentsOfFile(pdk::systemPath(kFileExistIconPath));
  setEnabled(_profileMenu, true);
  if (_profileMenu) _profileMenu->selectItemAtIndex(profiles::kListClassRGB);
  vProfileSettingsClearEditText();

  // 5. The file name is a name and an extension of printer file-name
  // characters and enables the local OK; the profile name is printable ASCII.
  if (_fileNameEdit) {
    _fileNameEdit->setMaxLength(kFileNameMaxLength, kFileNameMaxExtension);
    _fileNameEdit->setInputKey(kInputKeyAsciiAppoint);
    _fileNameEdit->setOperateControl(_localOK);
  }
  if (_profileNameEdit) {
    _profileNameEdit->setMaxLength(kProfileNameMaxLength, 0);
    _profileNameEdit->setInputKey(kInputKeyAscii);
  }

  // 6. Browsing: only adding is possible.
  vHandlingButtonSetDisable(true, false, false);
  vProfileSettingsAllDisablePart();

  // 7. The lists as the file holds them now; a failed read leaves one empty.
  const std::array<profiles::ProfileList*, 3> working = workingLists();
  for (profiles::ProfileList* list : working) *list = profiles::ProfileList{};
  for (profiles::ProfileList* list : deletedLists()) *list = profiles::ProfileList{};
  for (int32_t listClass = 0; listClass < 3; ++listClass) {
    const int32_t read = isNoWalkPrinter() ? profiles::ZNPListReadProfile_Dict_Pap(working[listClass], listClass)
                                           : profiles::ZNPListReadProfile_Dict(working[listClass], listClass);
    if (read != 0) *working[listClass] = profiles::ProfileList{};
  }

  // 8. No row selected.
  if (_profileTableView) {
    _profileTableView->reloadData();
    _profileTableView->deselectAll();
  }
}

void ProfileControl::profileWindowOK(pdk::Control*) {
  // 1. A failed write is not reported: the menus show what the file holds.
  if (isNoWalkPrinter())
    profiles::ZNPListWriteProfile_All_Pap(plistRGBDict.get(), plistSIMDict.get(), plistDSTDict.get(),
                                          plistRGBDelete.get(), plistSIMDDelete.get(), plistDSTDelete.get());
  else
    profiles::ZNPListWriteProfile_All(plistRGBDict.get(), plistSIMDict.get(), plistDSTDict.get());

  // 2-3. The profile pop-ups anew; a chosen profile that left them falls
  // back to its PPD default; then the Quick Colour rules.
  if (onAdvancedView) {
    onAdvancedView->createPDEItemForPPDKey();
    onAdvancedView->getControlValueFromTicket();
  }
  if (constTable) vColorPresetConstraints(constTable);

  // 4.
  pdk::Application::shared().stopModalWithCode(pdk::kModalResponseOK);
  if (_profileManagementWindow) _profileManagementWindow->close();
}

void ProfileControl::profileWindowCancel(pdk::Control*) {
  pdk::Application::shared().stopModalWithCode(pdk::kModalResponseCancel);
  if (_profileManagementWindow) _profileManagementWindow->close();
}

void ProfileControl::vHandlingButtonSetDisable(bool add, bool edit, bool remove) {
  setEnabled(_addButton, add);
  setEnabled(_editButton, edit);
  setEnabled(_deleteButton, remove);
}

void ProfileControl::vProfileSettingsClearEditText() {
  if (_fileNameEdit) _fileNameEdit->setStringValue("");
  if (_profileNameEdit) _profileNameEdit->setStringValue("");
  if (_locationMenu) _locationMenu->selectItemAtIndex(0);
}

void ProfileControl::vProfileSettingsAllDisablePart() { setEditPartEnabled(false); }

void ProfileControl::vProfileSettingsAllEnablePart() { setEditPartEnabled(true); }

void ProfileControl::setEditPartEnabled(bool enabled) {
  const std::shared_ptr<pdk::Control> part[] = {_fileNameText,    _profileNameText, _locationText,
                                                _fileNameEdit,    _profileNameEdit, _locationMenu,
                                                _browse,          _localCancel,     _localOK};
  for (const std::shared_ptr<pdk::Control>& control : part) setEnabled(control, enabled);
}

profiles::ProfileList* ProfileControl::currentProfileDict() {
  const int index = _profileMenu ? _profileMenu->indexOfSelectedItem() : -1;
  return index >= 0 && index < 3 ? workingLists()[static_cast<size_t>(index)] : nullptr;
}

profiles::ProfileList* ProfileControl::currentDeletedDict() {
  const int index = _profileMenu ? _profileMenu->indexOfSelectedItem() : -1;
  return index >= 0 && index < 3 ? deletedLists()[static_cast<size_t>(index)] : nullptr;
}

bool ProfileControl::isCustomProfile() {
  const profiles::ProfileEntry* entry = selectedEntry();
  return entry && entry->InMenu >= 1 && entry->InMenu <= 4;
}

bool ProfileControl::isNoWalkPrinter() const {
  return protocolType == kProtocolAppleTalk || protocolType == kProtocolUSB;
}

std::string ProfileControl::locationLabel(int32_t location) const {
  if (location != profiles::kLocationDisk && location != profiles::kLocationCard) return "";
  const char* key = location == profiles::kLocationDisk ? "Disk" : "Card";
  pdk::BundleRef bundle = PDECommon::commonGetBundle();
  return bundle ? bundle->localizedString(key) : std::string(key);
}

COLORPANE_NAMESPACE_END
