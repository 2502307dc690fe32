// Record operations on the bound control: values, choices, enabling, items,
// texts, defaults and the job ticket.
#include "securitypane/framework/control_data.h"

#include "pdk/syslog.h"
#include "securitypane/framework/job_ticket.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

constexpr const char* kTrueChoice = "True";
constexpr const char* kFalseChoice = "False";

pdk::PopUpButton* popupOf(const PDEControlData* record) {
  return record ? dynamic_cast<pdk::PopUpButton*>(record->Control) : nullptr;
}
pdk::Matrix* matrixOf(const PDEControlData* record) {
  return record ? dynamic_cast<pdk::Matrix*>(record->Control) : nullptr;
}
pdk::TextField* textFieldOf(const PDEControlData* record) {
  return record ? dynamic_cast<pdk::TextField*>(record->Control) : nullptr;
}

// A radio group's shape: true and the cell count along its single row or
// column, false for any other shape.
bool radioLine(const pdk::Matrix* matrix, bool* oneRow, int32_t* cells) {
  int32_t columns = 0, rows = 0;
  mGetRadioItemNum(matrix, &columns, &rows);
  if (columns == 0 && rows == 0) return false;
  *oneRow = rows == 1;
  *cells = *oneRow ? columns : rows;
  return true;
}

// The cell at a 0-based position along the group's row or column.
pdk::Cell* radioCellAt(const pdk::Matrix* matrix, int32_t position) {
  bool oneRow = false;
  int32_t cells = 0;
  if (!matrix || !radioLine(matrix, &oneRow, &cells) || position < 0 || position >= cells) return nullptr;
  return oneRow ? matrix->cellAtRow(0, position) : matrix->cellAtRow(position, 0);
}

// The integer value of any other control, as the toolkit reads it.
int32_t controlIntValue(const pdk::View* control) {
  if (auto* button = dynamic_cast<const pdk::Button*>(control)) return button->intValue();
  if (auto* field = dynamic_cast<const pdk::TextField*>(control)) return field->intValue();
  if (auto* popup = dynamic_cast<const pdk::PopUpButton*>(control)) return popup->indexOfSelectedItem();
  return 0;
}

void setControlIntValue(pdk::View* control, int32_t value) {
  if (auto* button = dynamic_cast<pdk::Button*>(control)) {
    button->setIntValue(value);
  } else if (auto* field = dynamic_cast<pdk::TextField*>(control)) {
    field->setStringValue(std::to_string(value));
  } else if (auto* popup = dynamic_cast<pdk::PopUpButton*>(control)) {
    popup->selectItemAtIndex(value);
  }
}

void setControlText(PDEControlData* record, const std::string& text) {
  if (pdk::TextField* field = textFieldOf(record)) field->setStringValue(text);
}

}  // namespace

int32_t PDEControlDataGetIntValue(const PDEControlData* record, bool zeroBased) {
  if (!record) return -1;
  const int32_t offset = zeroBased ? 0 : 1;
  if (record->Kind == kControlKindRadioGroup) {
    const pdk::Matrix* matrix = matrixOf(record);
    bool oneRow = false;
    int32_t cells = 0;
    if (!matrix || !radioLine(matrix, &oneRow, &cells)) return -1;
    return (oneRow ? matrix->selectedColumn() : matrix->selectedRow()) + offset;
  }
  if (record->Kind == kControlKindPopupButton) {
    const pdk::PopUpButton* popup = popupOf(record);
    if (!popup || !record->PPDInfo) return -1;
    return popup->indexOfSelectedItem() + offset;
  }
  return controlIntValue(record->Control);
}

void PDEControlDataSetIntValue(PDEControlData* record, int32_t value, bool zeroBased) {
  if (!record) return;
  const int32_t position = zeroBased ? value : value - 1;
  if (record->Kind == kControlKindRadioGroup) {
    pdk::Matrix* matrix = matrixOf(record);
    bool oneRow = false;
    int32_t cells = 0;
    if (!matrix || !radioLine(matrix, &oneRow, &cells)) return;
    if (oneRow) {
      matrix->selectCellAtRow(0, position);
    } else {
      matrix->selectCellAtRow(position, 0);
    }
  } else if (record->Kind == kControlKindPopupButton) {
    if (pdk::PopUpButton* popup = popupOf(record); popup && record->PPDInfo) popup->selectItemAtIndex(position);
  } else {
    setControlIntValue(record->Control, value);
  }
}

int32_t PDEControlDataGetChoiceIndex(const PDEControlData* record, const _PPDUIOption* option) {
  if (!record) return -1;
  if (!option) option = record->PPDInfo.get();
  const int32_t value = PDEControlDataGetIntValue(record, true);
  return record->Kind == kControlKindCheckBox ? PPDUIOptionCheckBoxStateToIndex(option, value) : value;
}

void PDEControlDataSetEnabled(PDEControlData* record, bool enabled) {
  if (!record) return;
  if (record->Kind == kControlKindStaticText) {
    if (pdk::TextField* label = textFieldOf(record)) label->setTextColor(enabled ? pdk::TextColor::Black : pdk::TextColor::Gray);
  } else if (record->Kind != kControlKindDataBrowser && record->Kind != kControlKindGroupBox) {
    if (auto* control = dynamic_cast<pdk::Control*>(record->Control)) control->setEnabled(enabled);
  }
}

bool PDEControlDataIsEnabled(const PDEControlData* record) {
  if (!record || !record->Control) return false;
  auto* control = dynamic_cast<const pdk::Control*>(record->Control);
  return control ? control->isEnabled() : true;  // a plain view cannot be disabled
}

void PDEControlDataSetHidden(PDEControlData* record, bool hidden) {
  if (record) CCControlSetHidden(record->Control, hidden);
}

bool PDEControlDataIsHidden(const PDEControlData* record) {
  return record && record->Control && record->Control->isHidden();
}

int32_t PDEControlDataItemGetCount(const PDEControlData* record) {
  if (!record) return -1;
  if (record->Kind == kControlKindRadioGroup) {
    const pdk::Matrix* matrix = matrixOf(record);
    bool oneRow = false;
    int32_t cells = 0;
    return matrix && radioLine(matrix, &oneRow, &cells) ? cells : -1;
  }
  if (record->Kind == kControlKindPopupButton) {
    const pdk::PopUpButton* popup = popupOf(record);
    return popup ? popup->numberOfItems() : -1;
  }
  return -1;
}

bool PDEControlDataItemIsEnabled(const PDEControlData* record, int32_t item) {
  if (!record) return false;
  const int32_t index = (item == 0 ? 1 : item) - 1;
  if (record->Kind == kControlKindRadioGroup) {
    const pdk::Cell* cell = radioCellAt(matrixOf(record), index);
    return cell && cell->isEnabled();
  }
  if (record->Kind == kControlKindPopupButton) {
    pdk::PopUpButton* popup = popupOf(record);
    const pdk::MenuItem* menuItem = popup ? popup->itemAtIndex(index) : nullptr;
    return menuItem && menuItem->enabled;
  }
  return false;
}

void PDEControlDataItemSetEnabled(PDEControlData* record, int32_t item, bool enabled) {
  if (!record) return;
  const int32_t index = (item == 0 ? 1 : item) - 1;
  if (record->Kind == kControlKindRadioGroup) {
    if (pdk::Cell* cell = radioCellAt(matrixOf(record), index)) cell->setEnabled(enabled);
  } else if (record->Kind == kControlKindPopupButton) {
    if (pdk::PopUpButton* popup = popupOf(record); popup && popup->itemAtIndex(index)) {
      popup->setItemEnabled(index, enabled);
    }
  }
}

void PDEControlDataSetStringValue(PDEControlData* record, const std::string& text) {
  if (record && record->Kind == kControlKindStaticText) setControlText(record, text);
}

void PDEControlDataSetEditTextString(PDEControlData* record, const std::string& text) {
  if (record && isEditTextKind(record->Kind)) record->EditTextString = text;
}

void PDEControlDataDefSetString(PDEControlData* record, const std::optional<std::string>& text) {
  if (record && isEditTextKind(record->Kind) && text) record->DefString = *text;
}

void PDEControlDataSetDefault(PDEControlData* record) {
  if (!record) return;
  if (isChoiceKind(record->Kind)) {
    PDEControlDataSetIntValue(record, record->DefValue, false);
  } else if (isEditTextKind(record->Kind)) {
    setControlText(record, record->DefString.value_or(std::string()));
  }
}

void PDEControlDataSetDefaultSetting(PDEControlData* record) {
  if (!record || !record->PPDInfo) return;
  const _PPDUIOption* option = record->PPDInfo.get();
  if (record->Kind == kControlKindCheckBox) {
    PDEControlDataSetIntValue(record, PPDUIOptionIndexToCheckBoxState(option, option->defIndex), true);
  } else if (isChoiceKind(record->Kind)) {
    PDEControlDataSetIntValue(record, option->defIndex, true);
  } else if (record->Kind == kControlKindEditUnicodeText) {
    if (const std::string* alias = PPDUIOptionGetDefaultAlias(option)) setControlText(record, *alias);
  }
}

std::optional<std::string> PDEControlDataGetPPDValueString(const PDEControlData* record) {
  if (!record) return std::nullopt;
  const _PPDUIOption* option = record->PPDInfo.get();
  if (record->Kind == kControlKindCheckBox && !option) {
    return PDEControlDataGetIntValue(record, true) != 0 ? kTrueChoice : kFalseChoice;
  }
  if (isChoiceKind(record->Kind)) {
    const std::string* key = PPDUIOptionIndexToKey(option, PDEControlDataGetChoiceIndex(record));
    return key ? std::optional<std::string>(*key) : std::nullopt;
  }
  if (isEditTextKind(record->Kind)) {
    const pdk::TextField* field = textFieldOf(record);
    return field ? field->stringValue() : std::string("NULL");
  }
  pdk::systemLog(pdk::LogPriority::Error, "unsupported type kind:%d", static_cast<int>(record->Kind));
  return std::nullopt;
}

void PDEControlDataSetPPDValueString(PDEControlData* record, const std::string& key) {
  if (!record) return;
  const _PPDUIOption* option = record->PPDInfo.get();
  if (record->Kind == kControlKindCheckBox && !option) {
    PDEControlDataSetIntValue(record, key == kTrueChoice ? 1 : 0, true);
  } else if (isChoiceKind(record->Kind) && option) {
    int32_t index = PPDUIOptionKeyToIndex(option, key);
    if (index < 0) index = option->defIndex;
    if (record->Kind == kControlKindCheckBox) index = PPDUIOptionIndexToCheckBoxState(option, index);
    PDEControlDataSetIntValue(record, index, true);
  } else if (isEditTextKind(record->Kind)) {
    setControlText(record, key);
  }
}

void UpdateTicketWithPDEControl(PDEControlData* record, ZNPDECoreSession* session) {
  if (!record || isEditTextKind(record->Kind)) return;
  UpdateTicketWithPPDOption(session, record->PPDInfo.get(), PDEControlDataGetChoiceIndex(record));
}

void PDEControlDataSetIconByURL(PDEControlData* record, const std::string& url) {
  if (record) CCControlSetIconWithPath(record->Control, url);
}

void mInitControlDetailInfo(PDEControlData* record, bool keepCurrent) {
  if (!record) return;
  const _PPDUIOption* option = record->PPDInfo.get();
  if (record->Kind == kControlKindCheckBox) {
    if (!keepCurrent && option) record->DefValue = PPDUIOptionIndexToCheckBoxState(option, option->defIndex);
    record->DefValue = record->DefValue != 0 ? 1 : 0;
    record->Value = record->DefValue;
  } else if (record->Kind == kControlKindPopupButton || record->Kind == kControlKindRadioGroup) {
    // DefValue becomes a 1-based choice number; one kept from before already is.
    if (!keepCurrent) record->DefValue = (option ? option->defIndex : record->DefValue) + 1;
    record->Value = record->DefValue;
  } else if (record->Kind == kControlKindEditUnicodeText) {
    record->String = std::string();
    if (!keepCurrent && !record->DefString) record->DefString = std::string();
    record->String = record->DefString.value_or(std::string());
  }
}

void mGetRadioItemNum(const pdk::Matrix* matrix, int32_t* columns, int32_t* rows) {
  if (!columns || !rows) return;
  *columns = 0;
  *rows = 0;
  if (!matrix) return;
  const int32_t c = matrix->numberOfColumns();
  const int32_t r = matrix->numberOfRows();
  if (c == 1 || r == 1) {
    *columns = c;
    *rows = r;
  }
}

SECURITY_FRAMEWORK_NAMESPACE_END
