// ProfileControl's edit actions: the list chooser, adding, editing and
// deleting entries, browsing for a file name, and the local OK and Cancel
// that accept or drop the edit in progress.
#include <cstring>

#include "colorpane/input_key_filter.h"
#include "colorpane/pde_common.h"
#include "colorpane/profile_control.h"
#include "pdk/system_root.h"
#include "pdk/text.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

using profiles::ProfileEntry;
using profiles::ProfileList;

constexpr int32_t kBrowsedNameMaxLength = 31;
// Entries added in the window are numbered after the printer's rows.
constexpr int32_t kAddedIndexBase = 500;
constexpr int32_t kAddedInMenu = 6;
constexpr int32_t kAddedProfileClass = 2;
constexpr int32_t kAddedAvailability = 3;

// Whether a browsed file name may stand in the file-name field: at most 31
// units, printer file-name characters only, at most one dot.
bool isAcceptableBrowsedName(const std::string& name) {
  const std::u16string units = pdk::utf16FromUtf8(name);
  if (units.empty() || units.size() > static_cast<size_t>(kBrowsedNameMaxLength)) return false;
  std::u16string kept = units;
  CheckUniCharString(units.data(), static_cast<int32_t>(units.size()), kInputKeyAsciiAppoint, &kept);
  if (kept != units) return false;
  return units.find(u'.') == units.rfind(u'.');
}

}  // namespace

void ProfileControl::profileMenu(pdk::Control*) {
  if (_profileTableView) _profileTableView->deselectAll();
  vProfileSettingsClearEditText();
  vHandlingButtonSetDisable(true, false, false);
  if (_profileTableView) _profileTableView->reloadData();
}

void ProfileControl::addButton(pdk::Control*) {
  vProfileSettingsClearEditText();
  if (_profileMenu) _profileMenu->setEnabled(false);
  vHandlingButtonSetDisable(false, false, false);
  vProfileSettingsAllEnablePart();
  // Nothing to accept until a file name is typed or browsed.
  if (_localOK) _localOK->setEnabled(false);
  buttonIdentify = kEditAdding;
}

void ProfileControl::editButton(pdk::Control*) {
  vHandlingButtonSetDisable(false, false, false);
  if (isCustomProfile()) {
    // A printer profile keeps its file name and location.
    if (_profileNameText) _profileNameText->setEnabled(true);
    if (_profileNameEdit) _profileNameEdit->setEnabled(true);
    if (_localCancel) _localCancel->setEnabled(true);
    if (_localOK) _localOK->setEnabled(true);
  } else {
    vProfileSettingsAllEnablePart();
  }
  if (_profileMenu) _profileMenu->setEnabled(false);
  buttonIdentify = kEditEditing;
}

void ProfileControl::deleteButton(pdk::Control*) {
  vHandlingButtonSetDisable(true, false, false);
  vProfileSettingsAllDisablePart();
  ProfileList* list = currentProfileDict();
  const ProfileEntry* entry = selectedEntry();
  if (list && entry) {
    const int32_t row = static_cast<int32_t>(entry - list->entry);
    const int32_t count = profiles::usedSlotCount(list);
    // The merge of a printer without walk must not bring it back from the file.
    if (isNoWalkPrinter()) rememberDeleted(*entry);
    std::memmove(&list->entry[row], &list->entry[row + 1], sizeof(ProfileEntry) * static_cast<size_t>(count - row - 1));
    // The slot left free is cleared whole: an empty slot holds no names.
    list->entry[count - 1] = ProfileEntry{};
    list->iNum = count - 1;
  }
  if (_profileTableView) {
    _profileTableView->reloadData();
    _profileTableView->deselectAll();
  }
}

void ProfileControl::browseButton(pdk::Control*) {
  auto panel = pdk::OpenPanel::openPanel();
  if (panel->runModalForDirectory(pdk::systemPath(kProfileBrowseFolder), "", {}) != pdk::kModalResponseOK) return;
  if (!_fileNameEdit) return;
  _fileNameEdit->setStringValue("");
  if (_localOK) _localOK->setEnabled(false);
  // Only the file's name is taken; the file is neither read nor copied.
  const std::string& path = panel->filename();
  const std::string name = path.substr(path.find_last_of('/') + 1);
  if (!isAcceptableBrowsedName(name)) return;
  _fileNameEdit->setStringValue(name);
  _fileNameEdit->setOldString(name);
  if (_localOK) _localOK->setEnabled(true);
}

void ProfileControl::profileOK(pdk::Control*) {
  ProfileList* list = currentProfileDict();
  if (!list || !_fileNameEdit || !_profileNameEdit) return;

  // 1. A file name is required and may not begin with a dot.
  const std::string fileName = _fileNameEdit->stringValue();
  const std::string profileName = _profileNameEdit->stringValue();
  if (fileName.empty() || fileName[0] == '.') return;

  ProfileEntry* target = nullptr;
  bool setIdentity = true;  // file name and location
  int32_t slot = -1;
  if (buttonIdentify == kEditEditing) {
    target = selectedEntry();
    if (!target) return;
    setIdentity = target->InMenu < 1 || target->InMenu > 4;  // printer profiles keep theirs
  } else if (buttonIdentify == kEditAdding) {
    for (int32_t i = 0; i < profiles::kProfileSlotCount && slot < 0; ++i)
      if (list->entry[i].InMenu == 0) slot = i;
  } else {
    return;
  }

  // The first location item is the disk. No item shows while an entry kept
  // elsewhere is edited: it stays where it is.
  const int k = _locationMenu ? _locationMenu->indexOfSelectedItem() : 0;
  const int32_t location = k == 0 ? profiles::kLocationDisk
                           : k < 0 && target ? target->Location
                                             : profiles::kLocationCard;

  // 2. The pair (file name, location) names one profile of the list.
  for (int32_t b = 0; b < profiles::usedSlotCount(list); ++b) {
    if (buttonIdentify == kEditEditing && &list->entry[b] == target) continue;
    if (profiles::fieldText(list->entry[b].FileName) == fileName && list->entry[b].Location == location) return;
  }

  // 3-4. The slot to change: the edited row, or the first free slot.
  if (buttonIdentify == kEditEditing) {
    if (isNoWalkPrinter()) rememberDeleted(*target);
  } else {
    if (slot < 0) return;  // all 500 slots are used
    target = &list->entry[slot];
  }

  // 5. The fields keep their texts within 31 bytes.
  if (setIdentity) {
    profiles::setFieldText(target->FileName, fileName);
    target->Location = location;
  }
  profiles::setFieldText(target->ProfileName, profileName);

  // 6. A new entry is a registered profile shown in the menus.
  if (buttonIdentify == kEditAdding) {
    target->IndexOnDevice = kAddedIndexBase + slot;
    target->InMenu = kAddedInMenu;
    target->ProfileClass = kAddedProfileClass;
    target->ProfileAvailability = kAddedAvailability;
    ++list->iNum;
  }

  // 7.
  endEdit();
}

void ProfileControl::profileCancel(pdk::Control*) { endEdit(); }

void ProfileControl::endEdit() {
  vProfileSettingsClearEditText();
  if (_profileTableView) {
    _profileTableView->reloadData();
    _profileTableView->deselectAll();
  }
  if (_profileMenu) _profileMenu->setEnabled(true);
  vHandlingButtonSetDisable(true, false, false);
  vProfileSettingsAllDisablePart();
  buttonIdentify = kEditNone;
}

void ProfileControl::rememberDeleted(const ProfileEntry& entry) {
  ProfileList* deleted = currentDeletedDict();
  if (!deleted || deleted->iNum < 0 || deleted->iNum >= profiles::kProfileSlotCount) return;
  deleted->entry[deleted->iNum++] = entry;
}

COLORPANE_NAMESPACE_END
