// The control data table: creation, release, look-ups and record accessors.
#include "securitypane/framework/control_data.h"

#include <algorithm>
#include <new>

#include "securitypane/framework/status.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

const UIConstraintsKeyEntry* keyEntryFor(const UIConstraintsKeyEntry* keyTable, int32_t ID) {
  for (const UIConstraintsKeyEntry* entry = keyTable; entry && entry->controlID != 0; ++entry) {
    if (entry->controlID == ID) return entry;
  }
  return nullptr;
}

void hideRelatedControls(PDEControlDataTbl* table, const UIConstraintsRelatedControls* related) {
  if (!related || !related->controlIDs) return;
  const int32_t count = std::min(related->count, kMaxRelatedControls);
  for (int32_t i = 0; i < count && related->controlIDs[i] != -1; ++i) {
    for (auto& record : table->records) {
      if (record.ID == related->controlIDs[i] && record.Control) record.Control->setHidden(true);
    }
  }
}

}  // namespace

int32_t CTblCreate(PDEControlDataTblRef* table, const PDEControlSource* rows, int16_t count, ppd_file_s* ppd) {
  if (!table || count < 0 || (count > 0 && !rows)) return kParamErr;
  auto* created = new (std::nothrow) PDEControlDataTbl();
  if (!created) return kMemFullErr;
  *table = created;
  try {
    created->records.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return kMemFullErr;  // a table without records
  }
  for (int16_t i = 0; i < count; ++i) {
    const PDEControlSource& row = rows[i];
    PDEControlData& record = created->records[static_cast<size_t>(i)];
    record.ID = row.ID;
    record.Control = row.control;
    record.Kind = static_cast<int32_t>(static_cast<uint32_t>(row.kind & 0xffffffff));
    record.Key = row.key;
    if (ppd && row.key && record.Kind != kControlKindStaticText) record.PPDInfo = CreatePPDUIOption(ppd, row.key);
    // Items the framework disables must stay disabled.
    if (record.Kind == kControlKindPopupButton) {
      if (auto* popup = dynamic_cast<pdk::PopUpButton*>(row.control)) popup->autoenablesItems = false;
    }
  }
  return kNoErr;
}

void CTblRelease(PDEControlDataTblRef* table) {
  if (!table) return;
  delete *table;
  *table = nullptr;
}

int32_t CTblGetID(const PDEControlDataTbl* table, const pdk::View* control) {
  if (!table) return 0;
  for (const auto& record : table->records) {
    if (record.Control == control) return record.ID;
  }
  return -1;
}

void CTblUISetByPPD(PDEControlDataTbl* table, ppd_file_s* ppd, const UIConstraintsKeyEntry* keyTable) {
  if (!table) return;
  for (auto& record : table->records) {
    if (record.Kind == kControlKindCheckBox && record.Key) {
      initTxtTitleByPPD(ppd, record.Control, record.Key, false);
    } else if (record.Kind == kControlKindIcon) {
      CCControlSetHidden(record.Control, true);
    } else if (record.Kind == kControlKindPopupButton && record.Key) {
      initPopupByPPD(ppd, dynamic_cast<pdk::PopUpButton*>(record.Control), record.Key);
    } else if (record.Kind == kControlKindStaticText && record.Key) {
      initTxtTitleByPPD(ppd, record.Control, record.Key, true);
    }
    if (record.InitEnable) continue;
    CCControlSetHidden(record.Control, true);
    if (record.ID == 0) continue;
    if (const UIConstraintsKeyEntry* entry = keyEntryFor(keyTable, record.ID)) hideRelatedControls(table, entry->related);
  }
}

int16_t PDEControlDataTblGetCount(const PDEControlDataTbl* table) {
  return table ? static_cast<int16_t>(table->records.size()) : 0;
}

PDEControlData* PDEControlDataGetByID(PDEControlDataTbl* table, int32_t ID) {
  if (!table) return nullptr;
  for (auto& record : table->records) {
    if (record.ID == ID) return &record;
  }
  return nullptr;
}

PDEControlData* PDEControlDataGetByIndex(PDEControlDataTbl* table, int32_t index) {
  if (!table || index < 0 || static_cast<size_t>(index) >= table->records.size()) return nullptr;
  return &table->records[static_cast<size_t>(index)];
}

int32_t PDEControlDataID(const PDEControlData* record) { return record ? record->ID : 0; }
const char* PDEControlDataKey(const PDEControlData* record) { return record ? record->Key : nullptr; }
_PPDUIOption* PDEControlDataPPDInfo(const PDEControlData* record) { return record ? record->PPDInfo.get() : nullptr; }
int32_t PDEControlDataKind(const PDEControlData* record) { return record ? record->Kind : -1; }
pdk::View* PDEControlDataControl(const PDEControlData* record) { return record ? record->Control : nullptr; }
bool PDEControlDataInitEnable(const PDEControlData* record) { return record ? record->InitEnable : false; }
int32_t PDEControlDataMinValue(const PDEControlData* record) { return record ? record->MinValue : -1; }
int32_t PDEControlDataMaxValue(const PDEControlData* record) { return record ? record->MaxValue : -1; }
int32_t PDEControlDataDefValue(const PDEControlData* record) { return record ? record->DefValue : -1; }
int32_t PDEControlDataValue(const PDEControlData* record) { return record ? record->Value : -1; }
void* PDEControlDataData(const PDEControlData* record) { return record ? record->Data : nullptr; }

const std::optional<std::string>* PDEControlDataDefString(const PDEControlData* record) {
  return record && isEditTextKind(record->Kind) ? &record->DefString : nullptr;
}

const std::optional<std::string>* PDEControlDataString(const PDEControlData* record) {
  return record && isEditTextKind(record->Kind) ? &record->String : nullptr;
}

const std::optional<std::string>* PDEControlDataGetEditTextString(const PDEControlData* record) {
  return record && isEditTextKind(record->Kind) ? &record->EditTextString : nullptr;
}

SECURITY_FRAMEWORK_NAMESPACE_END
