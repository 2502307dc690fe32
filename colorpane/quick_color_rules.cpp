#include "colorpane/quick_color_rules.h"

#include <cstring>

#include "colorpane/pde_common.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

constexpr CSTCondition kQuickColorNotCustom = {"QuickColorPopup", "Custom", 4, kCstNotEqual};
constexpr CSTCondition kGrayChecked = {"ColorAsGrayCheckBox", "Checked", 1, kCstEqual};
constexpr CSTCondition kEconoChecked = {"EconoModeCheckBox", "Checked", 1, kCstEqual};
constexpr CSTCondition kEdgeTypeOff = {"EdgeTypePopup", "Off", 1, kCstEqual};

constexpr CSTCondition kRule0[] = {kQuickColorNotCustom};
constexpr CSTCondition kGrayOnly[] = {kGrayChecked};
constexpr CSTCondition kImageIntent[] = {kGrayChecked, {"ImageRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CSTCondition kImageGray[] = {kGrayChecked, {"ImageDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CSTCondition kTextIntent[] = {kGrayChecked, {"TextRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CSTCondition kTextGray[] = {kGrayChecked, {"TextDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CSTCondition kGraphicsIntent[] = {kGrayChecked, {"GraphicsRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CSTCondition kGraphicsGray[] = {kGrayChecked,
                                          {"GraphicsDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CSTCondition kSimulation[] = {kGrayChecked, {"SimulationSourcePopup", "None", 1, kCstEqual}};
constexpr CSTCondition kEdgeEconoOrOff[] = {kEconoChecked, kEdgeTypeOff};
// The text edge enhancement has one condition although its logic names two.
constexpr CSTCondition kTextEdge[] = {kEdgeTypeOff};

constexpr int32_t kLogicC0[] = {kCstEndOfLogic};
constexpr int32_t kLogicC0OrC1[] = {0, 1, kCstOr, kCstEndOfLogic};
constexpr CSTAction kGreyOut[] = {{kCstGreyOut, 0}};

constexpr CSTCondition target(const char (&id)[32], int32_t value = -1) {
  CSTCondition c{};
  for (int i = 0; i < 32; ++i) c.identifier[i] = id[i];
  c.value = value;
  c.ope = kCstEndOfLogic;
  return c;
}

template <size_t N>
constexpr CSTRule rule(const CSTCondition (&conditions)[N], bool orLogic, const char (&id)[32], int32_t value = -1) {
  return CSTRule{kCstValueChange,
                 static_cast<int8_t>(N),
                 conditions,
                 orLogic ? 3 : 0,
                 orLogic ? kLogicC0OrC1 : kLogicC0,
                 target(id, value),
                 target(id, value),
                 1,
                 kGreyOut};
}

// Fixed-size names so the records keep their 32-byte identifier fields.
using Id = char[32];
constexpr Id kGoToAdvanced = "GoToAdvancedOptionsButton";
constexpr Id kImageSource = "ImageRGBSourcePopup", kImageIntentId = "ImageRenderIntentPopup",
             kImageGrayId = "ImageGrayTreatmentPopup", kImageDest = "ImageDestinationProfilePopup";
constexpr Id kTextSource = "TextRGBSourcePopup", kTextIntentId = "TextRenderIntentPopup",
             kTextGrayId = "TextGrayTreatmentPopup", kTextDest = "TextDestinationProfilePopup";
constexpr Id kGraphicsSource = "GraphicsRGBSourcePopup", kGraphicsIntentId = "GraphicsRenderIntentPopup",
             kGraphicsGrayId = "GraphicsGrayTreatmentPopup", kGraphicsDest = "GraphicsDestinationProfilePopup";
constexpr Id kSimSource = "SimulationSourcePopup", kSimIntent = "SimulationRenderIntentPopup",
             kSimGray = "SimulationGrayTreatmentPopup";
constexpr Id kImageEdge = "ImageEdgeEnhancePopup", kTextEdgeId = "TextEdgeEnhancePopup",
             kGraphicsEdge = "GraphicsEdgeEnhancePopup";

// Find the row whose identifier equals `name` (same length, same bytes).
const PDEControlRow* findRow(const PDEControlRow* table, const char* name) {
  size_t len = strnlen(name, sizeof(CSTCondition::identifier));
  for (const PDEControlRow* row = table; row && row->kind != kCtlTerminator && row->control; ++row)
    if (row->identifier && std::strlen(row->identifier) == len && std::memcmp(row->identifier, name, len) == 0)
      return row;
  return nullptr;
}

bool compare(int32_t value, int32_t ope, int32_t constant) {
  switch (ope) {
    case kCstEqual: return value == constant;
    case kCstNotEqual: return value != constant;
    case kCstLess: return value < constant;
    case kCstGreater: return value > constant;
    case kCstLessEq1:
    case kCstLessEq2: return value <= constant;
    case kCstGreaterEq1:
    case kCstGreaterEq2: return value >= constant;
    default: return false;
  }
}

void setTargetEnabled(int ruleIndex, const PDEControlRow* table, bool enabled) {
  const CSTRule& r = cstColorOption[ruleIndex];
  const PDEControlRow* row = findRow(table, r.target.identifier);
  if (!row) return;
  for (int a = 0; a < r.actionCount; ++a) {
    if (r.actions[a].code != kCstGreyOut) continue;
    if (auto* control = dynamic_cast<pdk::Control*>(row->control)) control->setEnabled(enabled);
  }
}

}  // namespace

const CSTRule cstColorOption[] = {
    rule(kRule0, false, kGoToAdvanced),                 // 0
    rule(kGrayOnly, false, kImageSource),               // 1
    rule(kImageIntent, true, kImageIntentId),           // 2
    rule(kImageGray, true, kImageGrayId),               // 3
    rule(kGrayOnly, false, kImageDest),                 // 4
    rule(kGrayOnly, false, kTextSource),                // 5
    rule(kTextIntent, true, kTextIntentId),             // 6
    rule(kTextGray, true, kTextGrayId),                 // 7
    rule(kGrayOnly, false, kTextDest),                  // 8
    rule(kGrayOnly, false, kGraphicsSource),            // 9
    rule(kGraphicsIntent, true, kGraphicsIntentId),     // 10
    rule(kGraphicsGray, true, kGraphicsGrayId),         // 11
    rule(kGrayOnly, false, kGraphicsDest),              // 12
    rule(kGrayOnly, false, kSimSource),                 // 13
    rule(kSimulation, true, kSimIntent),                // 14
    rule(kSimulation, true, kSimGray),                  // 15
    rule(kEdgeEconoOrOff, true, kImageEdge),            // 16
    rule(kTextEdge, true, kTextEdgeId, 0),              // 17
    rule(kEdgeEconoOrOff, true, kGraphicsEdge),         // 18
    CSTRule{kCstEndOfTable, 0, nullptr, 0, nullptr, {}, {}, 0, nullptr},
};

int bMatchCondition(int ruleIndex, const PDEControlRow* table) {
  const CSTRule& r = cstColorOption[ruleIndex];
  unsigned char results[kCstMaxConditions] = {};
  int count = r.conditionCount < kCstMaxConditions ? r.conditionCount : kCstMaxConditions;
  for (int c = 0; c < count; ++c) {
    const CSTCondition& cond = r.conditions[c];
    const PDEControlRow* row = findRow(table, cond.identifier);
    if (!row) continue;
    int32_t value = PDECommon::commonConvertToCSTValue(row, PDECommon::commonGetControlValueWithSInt32(row));
    if (compare(value, cond.ope, cond.value)) results[c] = 1;
  }
  int accumulator = results[0];
  int operand = 0;
  for (int t = 0; r.logic && t < kCstMaxLogicTokens && r.logic[t] != kCstEndOfLogic; ++t) {
    int32_t token = r.logic[t];
    if (token <= 999)
      operand = token >= 0 && token < kCstMaxConditions ? results[token] : 0;
    else if (token == kCstAnd)
      accumulator = accumulator && operand;
    else if (token == kCstOr)
      accumulator = accumulator || operand;
  }
  return accumulator ? 1 : 0;
}

void vValueChange(int ruleIndex, const PDEControlRow* table) {
  const CSTRule& r = cstColorOption[ruleIndex];
  if (r.targetValue.ope != kCstSet) return;
  const PDEControlRow* row = findRow(table, r.target.identifier);
  if (!row) return;
  PDECommon::commonSetControlValueWithSInt32(row, PDECommon::commonConvertFromCSTValue(row, r.targetValue.value));
}

void vActOption(int ruleIndex, const PDEControlRow* table) { setTargetEnabled(ruleIndex, table, false); }

void vActReverseOption(int ruleIndex, const PDEControlRow* table) { setTargetEnabled(ruleIndex, table, true); }

void vColorPresetConstraints(const PDEControlRow* table) {
  for (int i = 0; cstColorOption[i].kind != kCstEndOfTable; ++i) {
    if (bMatchCondition(i, table)) {
      vValueChange(i, table);
      vActOption(i, table);
    } else {
      vActReverseOption(i, table);
    }
  }
}

COLORPANE_NAMESPACE_END
