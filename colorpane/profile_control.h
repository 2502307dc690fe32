// ProfileControl: controller of the profile management window, in which the
// user chooses which printer profiles the profile pop-ups offer, adds
// profiles by file name, renames and deletes them. The panel hands it the
// print settings, the session and the compound control table when the pane
// loads; the advanced view's button opens the window modally. The window
// edits working copies of the three lists; its OK writes them through the
// helper program and rebuilds the profile pop-ups, its Cancel writes
// nothing. It is the data source and delegate of the window's table.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "colorpane/advanced_color_options.h"
#include "colorpane/control_table.h"
#include "colorpane/iconed_cell.h"
#include "colorpane/namespace.h"
#include "colorpane/zn_text_field.h"
#include "pdk/printing.h"
#include "pdk/toolkit.h"
#include "pdk/view_description.h"
#include "profiles/profile_list.h"

COLORPANE_NAMESPACE_BEGIN

// The file-exists icon of profiles the latest walk found on the printer.
inline constexpr const char* kFileExistIconPath = "/Library/Printers/GENERIC/TLQ770-1/Icons/fileExistTLQ770-1.icns";
// Where the open panel of the window's browse button starts.
inline constexpr const char* kProfileBrowseFolder = "/Library/Printers/GENERIC/TLQ770-1/Profiles";

// Edit modes of the window (buttonIdentify).
inline constexpr int32_t kEditNone = 0;
inline constexpr int32_t kEditAdding = 1;
inline constexpr int32_t kEditEditing = 2;

class ProfileControl : public pdk::Object,
                       public pdk::NibObject,
                       public pdk::TableViewDataSource,
                       public pdk::TableViewDelegate {
 public:
  ProfileControl();
  const char* className() const override { return "ProfileControl"; }

  // Prepare the window, run it modally; returns when the session ends.
  void showProfileManagementWindow(pdk::Control* sender);
  // Prepare the controls and load the three lists from the file.
  void initWithProfileControl();

  // Table data source and delegate.
  int numberOfRowsInTableView(pdk::TableView* table) override;
  pdk::Value tableView(pdk::TableView* table, pdk::TableColumn* column, int row) override;
  void tableViewSetObjectValue(pdk::TableView* table, const pdk::Value& value, pdk::TableColumn* column,
                               int row) override;
  void tableViewSelectionDidChange(pdk::TableView* table) override;
  bool selectionShouldChangeInTableView(pdk::TableView* table) override;
  bool tableViewShouldSelectRow(pdk::TableView* table, int row) override;

  // Control actions.
  void profileMenu(pdk::Control* sender);
  void addButton(pdk::Control* sender);
  void editButton(pdk::Control* sender);
  void deleteButton(pdk::Control* sender);
  void browseButton(pdk::Control* sender);
  void profileOK(pdk::Control* sender);
  void profileCancel(pdk::Control* sender);
  void profileWindowOK(pdk::Control* sender);
  void profileWindowCancel(pdk::Control* sender);

  // Enable or disable the add, edit and delete buttons.
  void vHandlingButtonSetDisable(bool add, bool edit, bool remove);
  // Empty both name fields and select the first location.
  void vProfileSettingsClearEditText();
  // Disable or enable the captions, the name fields, the location, browse
  // and the local OK and Cancel.
  void vProfileSettingsAllDisablePart();
  void vProfileSettingsAllEnablePart();
  // The working list chosen in the list chooser; null for another choice.
  profiles::ProfileList* currentProfileDict();
  // Whether the selected row is a printer profile (InMenu 1 to 4), of
  // which only the profile name may change.
  bool isCustomProfile();

  void setPMPrint(pdk::PrintSettings* settings, pdk::PrintSession* printSession) {
    setting = settings;
    session = printSession;
  }
  void setConstTable(PDEControlRow* table) { constTable = table; }

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;

  // The working copies and the deleted-entry tables (read by tests).
  int32_t editMode() const { return buttonIdentify; }
  int16_t protocol() const { return protocolType; }
  const profiles::ProfileList& workingList(int32_t listClass) const { return *workingLists()[listClass]; }
  const profiles::ProfileList& deletedList(int32_t listClass) const { return *deletedLists()[listClass]; }

  std::shared_ptr<pdk::Window> _profileManagementWindow;
  std::shared_ptr<pdk::TableView> _profileTableView;
  std::shared_ptr<pdk::PopUpButton> _profileMenu;
  std::shared_ptr<pdk::Button> _addButton, _editButton, _deleteButton;
  std::shared_ptr<pdk::Box> _editGroupBox;
  std::shared_ptr<pdk::TextField> _fileNameText, _profileNameText, _locationText;
  std::shared_ptr<ZNTextField> _fileNameEdit, _profileNameEdit;
  std::shared_ptr<pdk::PopUpButton> _locationMenu;
  std::shared_ptr<pdk::Button> _browse, _localOK, _localCancel;
  std::shared_ptr<AdvancedColorOptions> onAdvancedView;

 private:
  // Whether the printer is reached without walks ("pap://", "usb://"): its
  // lists are read and written with the rules for such connections.
  bool isNoWalkPrinter() const;
  // The three working lists and the three deleted-entry tables, by list class.
  std::array<profiles::ProfileList*, 3> workingLists() const;
  std::array<profiles::ProfileList*, 3> deletedLists() const;
  // The deleted-entry table of the chosen class, or null.
  profiles::ProfileList* currentDeletedDict();
  // The selected row of the current list, or null.
  profiles::ProfileEntry* selectedEntry();
  // Remember `entry` in the current deleted-entry table, while it has room.
  void rememberDeleted(const profiles::ProfileEntry& entry);
  // Show the row's names and location in the edit fields.
  void showEntry(const profiles::ProfileEntry& entry);
  // Enable or disable the captions, name fields, location, browse and the
  // local OK and Cancel.
  void setEditPartEnabled(bool enabled);
  // Leave the edit mode: fields empty, chooser and add on, the rest off,
  // no row selected.
  void endEdit();
  // The localized label of a location ("Disk", "Card"), empty for others.
  std::string locationLabel(int32_t location) const;

  pdk::PrintSettings* setting = nullptr;
  pdk::PrintSession* session = nullptr;
  PDEControlRow* constTable = nullptr;
  int16_t protocolType = -1;
  int32_t buttonIdentify = kEditNone;
  // Working copies of the three lists.
  std::unique_ptr<profiles::ProfileList> plistRGBDict, plistSIMDict, plistDSTDict;
  // Entries deleted or replaced in this opening, per class; used only for
  // printers without walk, whose OK merges the lists with the file.
  std::unique_ptr<profiles::ProfileList> plistRGBDelete, plistSIMDDelete, plistDSTDelete;
  pdk::ImageRef fileExistIcon_;
};

COLORPANE_NAMESPACE_END
