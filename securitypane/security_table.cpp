#include "securitypane/security_table.h"

#include "pdk/bundle.h"
#include "pdk/syslog.h"
#include "securitypane/framework/ppd_ui_option.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace sf = securityframework;

namespace {

bool isLabel(const SecurityRow* row) { return row->kind == kSecurityKindStaticText; }

// The default of a row whose key is no PPD option.
std::optional<std::string> defaultByKind(int16_t kind) {
  switch (kind) {
    case kSecurityKindEditText: return std::string();
    case kSecurityKindRadioGroup: return std::string(kUserTypePublic);
    case kSecurityKindCheckBox: return std::string(kValueFalse);
    default: return std::nullopt;
  }
}

// A check box's display text: the PPD's text of its choice, or On / Off.
std::optional<std::string> checkBoxText(const SecurityRow* row, ppd_file_s* ppd, int state) {
  if (state != 0 && state != 1) return std::nullopt;
  const char* choice = state == 1 ? kValueTrue : kValueFalse;
  if (auto text = getLocalizeValueFromPPD(ppd, row->key, choice)) return text;
  return std::string(state == 1 ? "On" : "Off");
}

}  // namespace

void setDefaults(ppd_file_s* ppd, SecurityRow* table) {
  for (SecurityRow* row = table; row && row->kind != kSecurityKindEnd; ++row) {
    std::optional<std::string> value = getDefaultValueFromPPD(ppd, row->key);
    if (!value) value = defaultByKind(row->kind);
    row->value = value;
    setPPDValueToControl(row, row->value);
  }
}

std::optional<std::string> getDefaultValueFromPPD(ppd_file_s* ppd, const char* key) {
  if (!ppd || !key) return std::nullopt;
  return sf::PDECustomGetPPDDefaultItemByCStringKey(ppd, key);
}

int32_t setPPDValueToControl(SecurityRow* row, const std::optional<std::string>& value) {
  if (!row || !value) return 0;
  const std::string& v = *value;
  switch (row->kind) {
    case kSecurityKindPopUp: {
      auto* popup = dynamic_cast<pdk::PopUpButton*>(row->control);
      for (int i = 0; popup && i < popup->numberOfItems(); ++i) {
        const pdk::Value& represented = popup->itemAtIndex(i)->representedObject;
        if (represented.isString() && represented.asString() == v) {
          popup->selectItemAtIndex(i);
          return 0;
        }
      }
      pdk::systemLog(pdk::LogPriority::Error, "[PopUp] index is Not Found");
      return 1;
    }
    case kSecurityKindCheckBox: {
      auto* box = dynamic_cast<pdk::Button*>(row->control);
      if (!box || (v != kValueTrue && v != kValueFalse)) {
        pdk::systemLog(pdk::LogPriority::Error, "[CheckBox] Error!");
        return 1;
      }
      box->setState(v == kValueTrue ? 1 : 0);
      return 0;
    }
    case kSecurityKindRadioGroup: {
      auto* matrix = dynamic_cast<pdk::Matrix*>(row->control);
      const int cell = v == kUserTypePublic ? 0 : v == kUserTypePrivate ? 1 : -1;
      if (!matrix || cell < 0) {
        pdk::systemLog(pdk::LogPriority::Error, "[RadioButton] Error!");
        return 1;
      }
      matrix->selectCellAtRow(cell, matrix->selectedColumn() < 0 ? 0 : matrix->selectedColumn());
      return 0;
    }
    case kSecurityKindEditText:
      if (auto* field = dynamic_cast<pdk::TextField*>(row->control)) field->setStringValue(v);
      return 0;
    default: return 0;
  }
}

std::optional<std::string> getPPDValueFromControl(const SecurityRow* row) {
  if (!row) return std::nullopt;
  switch (row->kind) {
    case kSecurityKindPopUp: {
      auto* popup = dynamic_cast<pdk::PopUpButton*>(row->control);
      const pdk::MenuItem* item = popup ? popup->itemAtIndex(popup->indexOfSelectedItem()) : nullptr;
      if (!item || !item->representedObject.isString()) return std::nullopt;
      return item->representedObject.asString();
    }
    case kSecurityKindCheckBox: {
      auto* box = dynamic_cast<const pdk::Button*>(row->control);
      if (!box) return std::nullopt;
      if (box->state() == 0) return std::string(kValueFalse);
      if (box->state() == 1) return std::string(kValueTrue);
      if (box->state() != -1) pdk::systemLog(pdk::LogPriority::Error, "Error!(%d)", box->state());
      return std::nullopt;
    }
    case kSecurityKindRadioGroup: {
      auto* matrix = dynamic_cast<const pdk::Matrix*>(row->control);
      if (!matrix) return std::nullopt;
      if (matrix->selectedRow() == 1) return std::string(kUserTypePrivate);
      if (matrix->selectedRow() <= 0) return std::string(kUserTypePublic);
      return std::nullopt;
    }
    case kSecurityKindEditText: {
      auto* field = dynamic_cast<const pdk::TextField*>(row->control);
      return field ? std::optional<std::string>(field->stringValue()) : std::nullopt;
    }
    default: return std::nullopt;
  }
}

std::optional<std::string> getLocalizeValueFromPPD(ppd_file_s* ppd, const char* key, const std::string& choice) {
  if (!ppd || !key) return std::nullopt;
  return sf::PDECustomGetPPDAliasItem(key, choice, ppd);
}

std::optional<std::string> getLocalizeValueFromControl(const SecurityRow* row, ppd_file_s* ppd) {
  if (!row) return std::nullopt;
  if (row->kind == kSecurityKindPopUp) {
    auto* popup = dynamic_cast<const pdk::PopUpButton*>(row->control);
    if (!popup || popup->indexOfSelectedItem() < 0) return std::nullopt;
    return popup->titleOfSelectedItem();
  }
  if (row->kind == kSecurityKindCheckBox) {
    auto* box = dynamic_cast<const pdk::Button*>(row->control);
    return box ? checkBoxText(row, ppd, box->state()) : std::nullopt;
  }
  if (row->kind == kSecurityKindEditText) return getPPDValueFromControl(row);
  return std::nullopt;
}

pdk::Value CustomSupportedPPDOptionKeys(const SecurityRow* table) {
  pdk::Value keys = pdk::Value::array();
  for (const SecurityRow* row = table; row && row->kind != kSecurityKindEnd; ++row) {
    if (!isLabel(row) && row->titleKey) keys.append(pdk::Value(row->titleKey));
  }
  return keys;
}

int32_t searchTableIndex(const SecurityRow* table, const pdk::View* control) {
  if (!table || !control) return -1;
  for (int32_t i = 0; table[i].kind != kSecurityKindEnd; ++i) {
    if (table[i].control == control) return i;
  }
  return -1;
}

std::optional<std::string> localizedString(const std::string& identifier, const std::string& key) {
  pdk::BundleRef bundle = pdk::Bundle::bundleWithIdentifier(identifier);
  if (!bundle) return std::nullopt;
  return bundle->localizedString(key);
}

void initializeUI(ppd_file_s* ppd, SecurityRow* table, const std::string& bundleIdentifier) {
  for (SecurityRow* row = table; row && row->kind != kSecurityKindEnd; ++row) {
    switch (row->kind) {
      case kSecurityKindStaticText: initializeStaticText(row, bundleIdentifier); break;
      case kSecurityKindPopUp: initializePopup(ppd, row); break;
      case kSecurityKindCheckBox: initializeCheckBox(row, bundleIdentifier); break;
      case kSecurityKindRadioGroup: initializeRadioButton(row, bundleIdentifier); break;
      case kSecurityKindEditText: initializeEditText(row); break;
      default: break;
    }
  }
}

void initializePopup(ppd_file_s* ppd, SecurityRow* row) {
  auto* popup = row ? dynamic_cast<pdk::PopUpButton*>(row->control) : nullptr;
  if (!popup || !row->key) return;
  popup->removeAllItems();
  sf::PPDUIOptionRef option = ppd ? sf::CreatePPDUIOption(ppd, row->key) : nullptr;
  if (!option) {
    pdk::systemLog(pdk::LogPriority::Error, "init Popup Error!");
    popup->setHidden(true);
    return;
  }
  for (const sf::_PPDUIChoice& choice : option->choices) popup->addItem(choice.alias, pdk::Value(choice.keyword));
}

void initializeCheckBox(SecurityRow* row, const std::string& bundleIdentifier) {
  auto* box = row ? dynamic_cast<pdk::Button*>(row->control) : nullptr;
  if (!box) return;
  std::optional<std::string> title = row->titleKey ? localizedString(bundleIdentifier, row->titleKey) : std::nullopt;
  if (!title) {
    pdk::systemLog(pdk::LogPriority::Error, "init CheckBox Error!");
    box->setHidden(true);
    return;
  }
  box->setTitle(*title);
}

void initializeRadioButton(SecurityRow* row, const std::string& bundleIdentifier) {
  auto* matrix = row ? dynamic_cast<pdk::Matrix*>(row->control) : nullptr;
  if (!matrix) return;
  const std::optional<std::string> titles[] = {localizedString(bundleIdentifier, "UserTypePublic"),
                                               localizedString(bundleIdentifier, "UserTypePrivate")};
  for (int cell = 0; cell < 2; ++cell) {
    pdk::Cell* radio = matrix->cellAtRow(cell, 0);
    if (!radio || !titles[cell]) {
      pdk::systemLog(pdk::LogPriority::Error, "init RadioButton Error!");
      return;
    }
    radio->setTitle(*titles[cell]);
  }
}

void initializeStaticText(SecurityRow* row, const std::string& bundleIdentifier) {
  auto* label = row ? dynamic_cast<pdk::TextField*>(row->control) : nullptr;
  if (!label) return;
  std::optional<std::string> title = row->titleKey ? localizedString(bundleIdentifier, row->titleKey) : std::nullopt;
  if (!title) {
    pdk::systemLog(pdk::LogPriority::Error, "init StaticText Error!");
    return;
  }
  label->setStringValue(row->appendColon ? *title + ":" : *title);
}

void initializeEditText(SecurityRow* row) {
  if (auto* field = row ? dynamic_cast<pdk::TextField*>(row->control) : nullptr) field->setStringValue("");
}

void mEnableALL(sf::PDEControlDataTbl* table) {
  const int16_t count = sf::PDEControlDataTblGetCount(table);
  for (int32_t i = 0; i < count; ++i) {
    sf::PDEControlData* record = sf::PDEControlDataGetByIndex(table, i);
    sf::PDEControlDataSetEnabled(record, true);
    if (sf::PDEControlDataKind(record) != sf::kControlKindPopupButton) continue;
    const int32_t items = sf::PDEControlDataItemGetCount(record);
    for (int32_t item = 1; item <= items; ++item) sf::PDEControlDataItemSetEnabled(record, item, true);
  }
}

SECURITYPANE_NAMESPACE_END
