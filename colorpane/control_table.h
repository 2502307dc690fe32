// Control rows: one row binds a control of a colour view to its PPD option,
// its localized title and summary keys, its rule identifier and its profile
// type. A table is an array of rows ended by a terminator row (control null,
// kind kCtlTerminator). A view owns its table and the choice lists in it;
// a compound table copies rows and shares the views' choice lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "colorpane/namespace.h"
#include "pdk/toolkit.h"

COLORPANE_NAMESPACE_BEGIN

// Control kind codes.
inline constexpr int32_t kCtlTerminator = 1032;
inline constexpr int32_t kCtlStaticText = 1034;
inline constexpr int32_t kCtlPopUp = 1035;
inline constexpr int32_t kCtlCheckBox = 1036;
inline constexpr int32_t kCtlValue = 1037;
inline constexpr int32_t kCtlPushButton = 1039;
inline constexpr int32_t kCtlTabView = 1040;

// One PPD choice: option keyword, option default choice, choice keyword,
// translation text, and "ConflictTrue"/"ConflictFalse".
using ChoiceEntry = std::array<std::string, 5>;
inline constexpr size_t kChoiceOption = 0;
inline constexpr size_t kChoiceDefault = 1;
inline constexpr size_t kChoiceKeyword = 2;
inline constexpr size_t kChoiceText = 3;
inline constexpr size_t kChoiceConflict = 4;
using ChoiceList = std::vector<ChoiceEntry>;

struct PDEControlRow {
  pdk::View* control;
  int32_t kind;
  const char* ppdKey;      // "" when not bound to a PPD option
  const char* titleKey;    // null: no localized title
  const char* summaryKey;  // null: not in the summary
  const char* identifier;  // "" when the rules do not address it
  int16_t profileType;     // 0 plain, 1 RGB source, 2 destination, 3 simulation
  ChoiceList* choices;     // owned by the view that built the table
};

using PDEControlTable = PDEControlRow*;

// The terminator row.
inline constexpr PDEControlRow kTerminatorRow = {nullptr, kCtlTerminator, "", nullptr, nullptr, "", 0, nullptr};

// Number of rows up to and including the terminator.
int32_t _DEBUGControlTable(const PDEControlRow* table);

COLORPANE_NAMESPACE_END
