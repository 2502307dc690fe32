// PDECommon: reading and setting control values, PPD defaults, and the
// integer form the rule table compares.
#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

pdk::PopUpButton* popUpOf(const PDEControlRow* row) {
  return row && row->kind == kCtlPopUp ? dynamic_cast<pdk::PopUpButton*>(row->control) : nullptr;
}

pdk::Button* checkBoxOf(const PDEControlRow* row) {
  return row && row->kind == kCtlCheckBox ? dynamic_cast<pdk::Button*>(row->control) : nullptr;
}

// Index in the row's choices of its "True" (checked) or "False" choice.
int32_t checkBoxChoiceIndex(const PDEControlRow* row, const pdk::Button* box) {
  return PDECommon::commonFindPPDKeyPairsMatch(row->choices, row->ppdKey, box->intValue() ? "True" : "False");
}

}  // namespace

int32_t PDECommon::commonGetControlValueWithSInt32(const PDEControlRow* row) {
  if (auto* box = checkBoxOf(row)) return box->intValue();
  if (auto* popup = popUpOf(row)) return popup->indexOfSelectedItem();
  return 0;
}

void PDECommon::commonSetControlValueWithSInt32(const PDEControlRow* row, int32_t value) {
  if (auto* box = checkBoxOf(row)) {
    box->setIntValue(value);
  } else if (auto* popup = popUpOf(row)) {
    if (value < popup->numberOfItems()) popup->selectItemAtIndex(value);
  }
}

int32_t PDECommon::commonGetControlValueFromPPDWithSInt32(const PDEControlRow* row) {
  if (auto* popup = popUpOf(row)) return popup->indexOfSelectedItem();
  if (auto* box = checkBoxOf(row)) return checkBoxChoiceIndex(row, box);
  return 0;
}

std::optional<std::string> PDECommon::commonGetControlValueFromPPDWithNSString(const PDEControlRow* row) {
  // A pop-up without a selection reads as an empty title, as menus answer;
  // one without any item has no value.
  if (auto* popup = popUpOf(row)) {
    if (popup->numberOfItems() == 0) return std::nullopt;
    return popup->titleOfSelectedItem();
  }
  if (auto* box = checkBoxOf(row)) {
    int32_t index = checkBoxChoiceIndex(row, box);
    if (index < 0) return std::nullopt;
    return (*row->choices)[static_cast<size_t>(index)][kChoiceText];
  }
  return std::nullopt;
}

int32_t PDECommon::commonGetDefualtValueFromPPDWithSInt32(const PDEControlRow* row) {
  if (!row || !row->choices || row->choices->empty()) return 0;
  return commonGetTicketValueWithSInt32(row, row->ppdKey, pdk::Value((*row->choices)[0][kChoiceDefault]));
}

int32_t PDECommon::commonGetTicketValueWithSInt32(const PDEControlRow* row, const char* option,
                                                  const pdk::Value& choice) {
  if (!row) return 0;
  switch (row->kind) {
    case kCtlPopUp:
      if (!choice.isString()) return -1;
      return commonFindPPDKeyPairsMatch(row->choices, option, choice.asString());
    case kCtlCheckBox: {
      const std::string& s = choice.asString();
      return choice.isString() && (s == "True" || s == "TRUE" || s == "true") ? 1 : 0;
    }
    case kCtlValue:
      if (auto* control = dynamic_cast<pdk::Button*>(row->control)) control->setIntValue(0);
      return 0;
    default:
      return 0;
  }
}

int32_t PDECommon::commonFindPPDKeyPairsMatch(const ChoiceList* choices, const char* option,
                                              const std::string& choice) {
  if (!choices || !option) return -1;
  for (size_t i = 0; i < choices->size(); ++i) {
    const ChoiceEntry& e = (*choices)[i];
    if (e[kChoiceOption] == option && e[kChoiceKeyword] == choice) return static_cast<int32_t>(i);
  }
  return -1;
}

void PDECommon::commonDefaultFromPPDInfo(const PDEControlRow* table) {
  for (const PDEControlRow* row = table; row && row->control; ++row)
    if (row->ppdKey && *row->ppdKey) commonSetControlValueWithSInt32(row, commonGetDefualtValueFromPPDWithSInt32(row));
}

int32_t PDECommon::commonConvertToCSTValue(const PDEControlRow* row, int32_t value) {
  if (row && row->kind == kCtlPopUp) return value < 0 ? 0 : value + 1;
  return value;
}

int32_t PDECommon::commonConvertFromCSTValue(const PDEControlRow* row, int32_t value) {
  if (row && row->kind == kCtlPopUp) return value < 1 ? 0 : value - 1;
  return value;
}

COLORPANE_NAMESPACE_END
