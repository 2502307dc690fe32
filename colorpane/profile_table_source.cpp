// ProfileControl as the data source and delegate of the window's table: the
// rows of the chosen list, the in-menu check box, and the selection rules.
#include "colorpane/pde_common.h"
#include "colorpane/profile_control.h"
#include "pdk/text.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

// The text of a field for display; empty when it is not UTF-8.
std::string displayText(const char (&field)[profiles::kProfileTextSize]) {
  std::string text = profiles::fieldText(field);
  return pdk::isValidUtf8(text) ? text : std::string();
}

// The check box pairs: out of the menus <-> in the menus.
int32_t toggledInMenu(int32_t inMenu) {
  switch (inMenu) {
    case 1: return 3;
    case 3: return 1;
    case 2: return 4;
    case 4: return 2;
    case 5: return 6;
    case 6: return 5;
    default: return inMenu;
  }
}

bool isInMenus(int32_t inMenu) { return inMenu == 3 || inMenu == 4 || inMenu == 6; }

// Found on the printer by the latest walk.
bool isFoundByWalk(int32_t inMenu) { return inMenu == 2 || inMenu == 4; }

}  // namespace

profiles::ProfileEntry* ProfileControl::selectedEntry() {
  profiles::ProfileList* list = currentProfileDict();
  const int row = _profileTableView ? _profileTableView->selectedRow() : -1;
  return row >= 0 && row < profiles::usedSlotCount(list) ? &list->entry[row] : nullptr;
}

int ProfileControl::numberOfRowsInTableView(pdk::TableView*) { return profiles::usedSlotCount(currentProfileDict()); }

pdk::Value ProfileControl::tableView(pdk::TableView*, pdk::TableColumn* column, int row) {
  profiles::ProfileList* list = currentProfileDict();
  if (!column || row < 0 || row >= profiles::usedSlotCount(list)) return pdk::Value("");
  const profiles::ProfileEntry& e = list->entry[row];
  const std::string& id = column->identifier();
  if (id == "inmenu") return pdk::Value(isInMenus(e.InMenu) ? 1 : 0);
  if (id == "icon") {
    // The icon column's one cell serves every row: its image is set per row.
    if (protocolType == kProtocolLPD || protocolType == kProtocolBonjour) {
      column->dataCell()->setImage(nullptr);
      if (isFoundByWalk(e.InMenu)) column->dataCell()->setImage(fileExistIcon_);
    }
    return pdk::Value("");
  }
  if (id == "filename") return pdk::Value(displayText(e.FileName));
  if (id == "profilename") return pdk::Value(displayText(e.ProfileName));
  if (id == "location") return pdk::Value(locationLabel(e.Location));
  return pdk::Value("");
}

void ProfileControl::tableViewSetObjectValue(pdk::TableView*, const pdk::Value&, pdk::TableColumn* column, int row) {
  profiles::ProfileList* list = currentProfileDict();
  if (!column || column->identifier() != "inmenu" || row < 0 || row >= profiles::usedSlotCount(list)) return;
  list->entry[row].InMenu = toggledInMenu(list->entry[row].InMenu);
}

bool ProfileControl::selectionShouldChangeInTableView(pdk::TableView*) { return buttonIdentify == kEditNone; }

bool ProfileControl::tableViewShouldSelectRow(pdk::TableView*, int) { return buttonIdentify == kEditNone; }

void ProfileControl::tableViewSelectionDidChange(pdk::TableView*) {
  const profiles::ProfileEntry* entry = selectedEntry();
  if (!entry) {
    if (buttonIdentify == kEditNone) vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsClearEditText();
    return;
  }
  // A profile the printer holds now cannot be deleted from the list.
  if (buttonIdentify == kEditNone) vHandlingButtonSetDisable(true, true, !isFoundByWalk(entry->InMenu));
  showEntry(*entry);
}

void ProfileControl::showEntry(const profiles::ProfileEntry& entry) {
  if (_fileNameEdit) _fileNameEdit->setStringValue(displayText(entry.FileName));
  if (_profileNameEdit) _profileNameEdit->setStringValue(displayText(entry.ProfileName));
  // The menu offers the hard disk only: a profile elsewhere shows no
  // location, so that editing its names keeps it where it is.
  if (_locationMenu) _locationMenu->selectItemAtIndex(entry.Location == profiles::kLocationDisk ? 0 : -1);
}

COLORPANE_NAMESPACE_END
