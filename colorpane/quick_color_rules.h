// The Quick Colour rule table: static rules that grey out controls whose
// setting has no effect under the current choices (the advanced button
// unless Quick Colour is "Custom", colour pop-ups under grayscale, and so
// on), evaluated against a control table. Controls are found by the
// identifier of their row. The evaluator allocates nothing. Main thread only.
#pragma once

#include <cstdint>

#include "colorpane/control_table.h"
#include "colorpane/namespace.h"

COLORPANE_NAMESPACE_BEGIN

// Codes of the rule language.
inline constexpr int32_t kCstAnd = 1003;        // "&"
inline constexpr int32_t kCstOr = 1004;         // "|"
inline constexpr int32_t kCstEqual = 1005;      // "="
inline constexpr int32_t kCstNotEqual = 1006;   // "!="
inline constexpr int32_t kCstSet = 1007;        // "->"
inline constexpr int32_t kCstLess = 1009;       // "<"
inline constexpr int32_t kCstGreater = 1010;    // ">"
inline constexpr int32_t kCstLessEq1 = 1011;    // "=<"
inline constexpr int32_t kCstLessEq2 = 1012;    // "<="
inline constexpr int32_t kCstGreaterEq1 = 1013; // ">="
inline constexpr int32_t kCstGreaterEq2 = 1014; // "=>"
inline constexpr int32_t kCstEndOfLogic = 1017;
inline constexpr int32_t kCstEndOfTable = 1019;
inline constexpr int32_t kCstValueChange = 1022;  // "VRCHG"
inline constexpr int32_t kCstGreyOut = 1027;      // "/GROUT"

inline constexpr int kCstMaxConditions = 20;
inline constexpr int kCstMaxLogicTokens = 40;

// A condition, and the shape of a rule's target records.
struct CSTCondition {
  char identifier[32];
  char choiceName[32];  // what the value stands for; documentation only
  int32_t value;        // compared in rule values: pop-up index + 1, check box 0/1
  int32_t ope;
};

struct CSTAction {
  int32_t code;
  int32_t reserved;
};

struct CSTRule {
  int32_t kind;
  int8_t conditionCount;
  const CSTCondition* conditions;
  int32_t logicLength;
  const int32_t* logic;  // postfix tokens ended by kCstEndOfLogic
  CSTCondition target;
  CSTCondition targetValue;
  int8_t actionCount;
  const CSTAction* actions;
};

// The rules, ended by an entry of kind kCstEndOfTable.
extern const CSTRule cstColorOption[];

// Apply every rule in order to the table.
void vColorPresetConstraints(const PDEControlRow* table);
// 1 when the rule's conditions and logic hold over the table, else 0.
int bMatchCondition(int ruleIndex, const PDEControlRow* table);
// Set the target to the target value when the rule says so ("->").
void vValueChange(int ruleIndex, const PDEControlRow* table);
// Disable / enable the rule's target for each grey-out action.
void vActOption(int ruleIndex, const PDEControlRow* table);
void vActReverseOption(int ruleIndex, const PDEControlRow* table);

COLORPANE_NAMESPACE_END
