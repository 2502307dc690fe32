// The control data table: one PDEControlData record per control the panel
// binds to a PPD option, holding the control, its kind, the PPD keyword and
// the option's choices. The operations read and set a control's value as a
// PPD choice, enable and disable controls and single items of pop-up menus
// and radio groups, and fill controls from the PPD. Every operation accepts
// a missing table or record and then does nothing or answers its "none"
// value. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdk/toolkit.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"
#include "securitypane/framework/ppd_ui_option.h"

struct ppd_file_s;

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// A four-character code ("popb") as a 32-bit integer, first character highest.
constexpr int32_t fourCharCode(const char (&code)[5]) {
  return static_cast<int32_t>((uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
                              (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3])));
}

// Control kinds.
inline constexpr int32_t kControlKindCheckBox = fourCharCode("cbox");
inline constexpr int32_t kControlKindPopupButton = fourCharCode("popb");
// A matrix of radio cells in one row or one column.
inline constexpr int32_t kControlKindRadioGroup = fourCharCode("rgrp");
inline constexpr int32_t kControlKindEditText = fourCharCode("etxt");
inline constexpr int32_t kControlKindEditUnicodeText = fourCharCode("eutx");
inline constexpr int32_t kControlKindStaticText = fourCharCode("stxt");
inline constexpr int32_t kControlKindIcon = fourCharCode("icon");
inline constexpr int32_t kControlKindDataBrowser = fourCharCode("datb");
inline constexpr int32_t kControlKindGroupBox = fourCharCode("grpb");

// Kinds whose value is a PPD choice, and kinds whose value is a text.
constexpr bool isChoiceKind(int32_t kind) {
  return kind == kControlKindCheckBox || kind == kControlKindPopupButton || kind == kControlKindRadioGroup;
}
constexpr bool isEditTextKind(int32_t kind) {
  return kind == kControlKindEditText || kind == kControlKindEditUnicodeText;
}

// One source row of CTblCreate, supplied by the panel. The kind sits in a
// 64-bit slot of which the low 32 bits are used.
struct PDEControlSource {
  int16_t ID;
  pdk::View* control;
  int64_t kind;
  const char* key;  // PPD main keyword without the asterisk, or null
};

struct PDEControlData {
  int32_t ID = 0;
  pdk::View* Control = nullptr;  // not owned
  int32_t Kind = 0;
  const char* Key = nullptr;  // not owned: the panel keeps it
  std::optional<std::string> EditTextString;  // 'etxt', 'eutx'
  PPDUIOptionRef PPDInfo;
  bool InitEnable = false;
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  int32_t DefValue = 0;  // 1-based choice number, or 0/1 for a check box
  std::optional<std::string> DefString;  // 'etxt', 'eutx'
  int32_t Value = 0;  // same convention as DefValue
  std::optional<std::string> String;  // 'etxt', 'eutx'
  void* Data = nullptr;  // the panel's
};

struct PDEControlDataTbl {
  std::vector<PDEControlData> records;
};
using PDEControlDataTblRef = PDEControlDataTbl*;

// Related controls of a key-table entry: `count` IDs (at most 16 are used).
struct UIConstraintsRelatedControls {
  int32_t count;
  const int32_t* controlIDs;  // ended by -1
};

inline constexpr size_t kKeyTableKeySize = 44;
inline constexpr int32_t kMaxRelatedControls = 16;

// One PPD key the panel shows, the ID of its control data record, and the
// controls that follow it. A table ends with an entry of empty key and ID 0.
struct UIConstraintsKeyEntry {
  char key[kKeyTableKeySize];
  int32_t controlID;
  const UIConstraintsRelatedControls* related;  // or null
};

// Table operations.

// Make a table of `count` records filled from `rows`; with a PPD, each
// record with a key (static texts apart) gets its option's choices. Pop-ups
// stop enabling their items themselves. Return 0, or -50 for bad arguments.
int32_t CTblCreate(PDEControlDataTblRef* table, const PDEControlSource* rows, int16_t count, ppd_file_s* ppd);
// Free the table and its records' options; the caller's reference becomes null.
void CTblRelease(PDEControlDataTblRef* table);
// The ID of the record of `control`; -1 when none has it, 0 without a table.
int32_t CTblGetID(const PDEControlDataTbl* table, const pdk::View* control);
// Fill every record's control from the PPD, then hide each control that
// does not start enabled, with its related controls from `keyTable`.
void CTblUISetByPPD(PDEControlDataTbl* table, ppd_file_s* ppd, const UIConstraintsKeyEntry* keyTable);
int16_t PDEControlDataTblGetCount(const PDEControlDataTbl* table);
PDEControlData* PDEControlDataGetByID(PDEControlDataTbl* table, int32_t ID);
PDEControlData* PDEControlDataGetByIndex(PDEControlDataTbl* table, int32_t index);

// Record accessors, with their "none" answer for a missing record.
int32_t PDEControlDataID(const PDEControlData* record);             // 0
const char* PDEControlDataKey(const PDEControlData* record);        // null
_PPDUIOption* PDEControlDataPPDInfo(const PDEControlData* record);  // null
int32_t PDEControlDataKind(const PDEControlData* record);           // -1
pdk::View* PDEControlDataControl(const PDEControlData* record);     // null
bool PDEControlDataInitEnable(const PDEControlData* record);        // false
int32_t PDEControlDataMinValue(const PDEControlData* record);       // -1
int32_t PDEControlDataMaxValue(const PDEControlData* record);       // -1
int32_t PDEControlDataDefValue(const PDEControlData* record);       // -1
int32_t PDEControlDataValue(const PDEControlData* record);          // -1
void* PDEControlDataData(const PDEControlData* record);             // null
// Edit-text records ('etxt', 'eutx') only; null for others.
const std::optional<std::string>* PDEControlDataDefString(const PDEControlData* record);
const std::optional<std::string>* PDEControlDataString(const PDEControlData* record);
const std::optional<std::string>* PDEControlDataGetEditTextString(const PDEControlData* record);

// Record operations on the control. Values are choice indices from 0 when
// `zeroBased`, else choice numbers from 1; item numbers are 1-based (0 is
// taken as 1).

// 'rgrp': the selected cell's position along the group's row or column;
// 'popb' with choices: the selected item; -1 for those without. Any other
// kind: the control's integer value.
int32_t PDEControlDataGetIntValue(const PDEControlData* record, bool zeroBased);
void PDEControlDataSetIntValue(PDEControlData* record, int32_t value, bool zeroBased);
// The record's current choice as an index into `option` (its own PPDInfo
// when null): the zero-based value, a check box's state by choice name.
int32_t PDEControlDataGetChoiceIndex(const PDEControlData* record, const _PPDUIOption* option = nullptr);
// 'stxt': black text when enabled, gray when not; 'datb', 'grpb': nothing;
// other kinds: the control's enabled state.
void PDEControlDataSetEnabled(PDEControlData* record, bool enabled);
bool PDEControlDataIsEnabled(const PDEControlData* record);
void PDEControlDataSetHidden(PDEControlData* record, bool hidden);
bool PDEControlDataIsHidden(const PDEControlData* record);
// 'rgrp': cells (-1 unless one row or one column); 'popb': items; else -1.
int32_t PDEControlDataItemGetCount(const PDEControlData* record);
bool PDEControlDataItemIsEnabled(const PDEControlData* record, int32_t item);
void PDEControlDataItemSetEnabled(PDEControlData* record, int32_t item, bool enabled);
// The text of a static text ('stxt').
void PDEControlDataSetStringValue(PDEControlData* record, const std::string& text);
void PDEControlDataSetEditTextString(PDEControlData* record, const std::string& text);
void PDEControlDataDefSetString(PDEControlData* record, const std::optional<std::string>& text);
// The default value (DefValue) or the edit field's default text.
void PDEControlDataSetDefault(PDEControlData* record);
// The PPD default choice.
void PDEControlDataSetDefaultSetting(PDEControlData* record);
// The control's value as a PPD choice key; for edit texts their text
// ("NULL" when none); none for pop-ups and radio groups without choices and
// for other kinds (logging "unsupported type kind:%d").
std::optional<std::string> PDEControlDataGetPPDValueString(const PDEControlData* record);
// Show choice `key` (the PPD default for a key that is no choice).
void PDEControlDataSetPPDValueString(PDEControlData* record, const std::string& key);
// Write the record's choice into the job ticket (edit texts apart).
void UpdateTicketWithPDEControl(PDEControlData* record, ZNPDECoreSession* session);
// Load the image at `url` (a path or a file URL) and show it, if it loads.
void PDEControlDataSetIconByURL(PDEControlData* record, const std::string& url);
// Default and current value from the PPD (unless `keepCurrent`), see the
// record's conventions.
void mInitControlDetailInfo(PDEControlData* record, bool keepCurrent);
// The matrix's columns and rows; 0 and 0 unless one of them is 1.
void mGetRadioItemNum(const pdk::Matrix* matrix, int32_t* columns, int32_t* rows);

// Operations on a control without a record.

// Replace the items with one per choice, titled with its text.
void CCRebuildPopupMenuWithPPDOption(pdk::PopUpButton* popup, const _PPDUIOption* option);
// Disable every item whose choice an installable option at its current
// choice excludes.
void CCDisableMenuItemsWithInstallableOption(pdk::PopUpButton* popup, const _PPDUIOption* option,
                                             ZNPDECoreSession* session);
// One enabled flag per item in `flags` (resized to fit); the number of
// items, -1 without a pop-up.
int32_t CCGetPopupButtonItemState(const pdk::PopUpButton* popup, int32_t unused, std::vector<bool>* flags);
void CCControlSetIconWithPath(pdk::View* control, const std::string& url);
void CCControlSetHidden(pdk::View* control, bool hidden);
void CCControlSetStaticText(pdk::View* control, const std::string& text);
// Items from option `key`'s choices; a pop-up whose option is missing is hidden.
void initPopupByPPD(ppd_file_s* ppd, pdk::PopUpButton* popup, const char* key);
// A check box's title, or a static text's text followed by ":", from the
// option's text; nothing when the option is missing.
void initTxtTitleByPPD(ppd_file_s* ppd, pdk::View* control, const char* key, bool isStaticText);

SECURITY_FRAMEWORK_NAMESPACE_END
