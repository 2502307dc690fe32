// PDECommon: the added-profile entries of the profile pop-ups. A chosen
// profile is stored as the option's first PPD choice plus "<key>Custom" and
// "<key>CustomFilename". The pane does not read the profile list yet, so
// every list reads as empty: no profile items are added, a stored profile
// position writes an empty file name, and loading maps it to the default.
#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

bool isProfileRow(const PDEControlRow* row) { return row && row->profileType >= 1 && row->profileType <= 3; }

}  // namespace

pdk::Value PDECommon::commonGetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict) {
  if (!isProfileRow(row)) return pdk::Value();
  return dict.get(std::string(row->ppdKey) + "Custom");
}

int32_t PDECommon::commonSetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict,
                                                   const std::string& flag) {
  if (isProfileRow(row)) dict.set(std::string(row->ppdKey) + "Custom", pdk::Value(flag));
  return kStatusOK;
}

int32_t PDECommon::commonSetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict, int32_t select) {
  (void)select;  // no list entry can match while the list reads as empty
  if (!dict.isDictionary() || !isProfileRow(row)) return kStatusNotApplicable;
  if (row->choices && !row->choices->empty()) {
    const ChoiceEntry& first = row->choices->front();
    dict.set(first[kChoiceOption], pdk::Value(first[kChoiceKeyword]));
  }
  dict.set(std::string(row->ppdKey) + "CustomFilename", pdk::Value(""));
  commonSetTicketAddedProfileFlag(row, dict, "True");
  return kStatusOK;
}

int32_t PDECommon::commonGetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict) {
  if (!dict.isDictionary() || !isProfileRow(row)) return kStatusNotApplicable;
  return 0;
}

int32_t PDECommon::commonAddMenuFromProfilePlist(const PDEControlRow* table) {
  (void)table;
  return kStatusNotApplicable;  // the list cannot be read: no items added
}

COLORPANE_NAMESPACE_END
