// One update pass of the UI constraints over a panel's control data table.
#include "securitypane/framework/ui_constraints.h"

#include <algorithm>
#include <cstring>

#include "securitypane/framework/debug_log.h"
#include "securitypane/framework/job_ticket.h"
#include "securitypane/framework/ppd_access.h"
#include "securitypane/framework/status.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

constexpr const char* kPageSize = "PageSize";

const std::string* cachedChoice(const UIConstraintsChoiceCache& cache, const char* keyword) {
  for (const auto& entry : cache) {
    if (entry.keyword == keyword) return &entry.choice;
  }
  return nullptr;
}

// Option1's current choice: the cache, the job ticket, the document's paper
// for "PageSize", and last the PPD's mark or default. What the ticket or the
// paper gave goes into the cache.
std::string currentChoice(const _PPDUIOption& option, const char* keyword, UIConstraintsChoiceCache* cache,
                          ZNPDECoreSession* session) {
  if (const std::string* cached = cachedChoice(*cache, keyword)) return *cached;
  std::string value;
  std::optional<std::string> found;
  if (PDECustomGetJobTicketPPDDict(session, keyword, &value) == kNoErr) {
    found = value;
  } else if (std::strcmp(keyword, kPageSize) == 0) {
    found = GetPaperNameByStandardTicketArgument(session);
  }
  if (found) {
    cache->insert(cache->begin(), UIConstraintsCachedChoice{keyword, *found});
    return *found;
  }
  const std::string* marked = PPDUIOptionIndexToKey(&option, option.curIndex);
  return marked ? *marked : std::string();
}

PDEControlData* recordForOption(PDEControlDataTbl* table, const char* option) {
  if (!table) return nullptr;
  for (auto& record : table->records) {
    if (record.Kind != kControlKindStaticText && record.Key && std::strcmp(record.Key, option) == 0) return &record;
  }
  return nullptr;
}

// Move a pop-up or radio group to its first enabled item; with none, to
// item 1, and disable it.
void selectFirstEnabledItem(PDEControlData* record) {
  const int32_t count = PDEControlDataItemGetCount(record);
  for (int32_t item = 1; item <= count; ++item) {
    if (PDEControlDataItemIsEnabled(record, item)) {
      PDEControlDataSetIntValue(record, item, false);
      return;
    }
  }
  PDEControlDataSetIntValue(record, 1, false);
  PDEControlDataSetEnabled(record, false);
}

// The choice of option2 that `choice2` excludes is index `index`; move the
// record off it when the job ticket holds it.
void leaveExcludedChoice(PDEControlData* record, const _PPDUIOption& option, int32_t index, const char* choice2,
                         ZNPDECoreSession* session) {
  std::string stored;
  if (PDECustomGetJobTicketPPDDict(session, record->Key, &stored) != kNoErr || stored != choice2) return;
  if (record->Kind == kControlKindCheckBox) {
    // The box takes the state of the other choice.
    const int32_t excludedState = PPDUIOptionIndexToCheckBoxState(&option, index);
    PDEControlDataSetIntValue(record, excludedState == 0 ? 1 : 0, true);
  } else {
    selectFirstEnabledItem(record);
  }
  PDECustomSetJobTicketWithArgument(record, session);
}

}  // namespace

int32_t UpdateUIConstraintsPPDArgument(const UIConstraintRecord* constraints, int32_t count,
                                       const UIConstraintsKeyEntry* keyTable, int32_t keyCount,
                                       PDEControlDataTbl* table, ZNPDECoreSession* session) {
  UIConstraintsChoiceCache cache;
  UpdateUIConstraintsPPDImplementArgument(constraints, count, table, &cache, session);
  if (table) {
    for (auto& record : table->records) {
      if (record.Kind == kControlKindStaticText) continue;
      vDisableBody(&record);
      UIConstraintsPPDDisableRelatedControl(table, &record, keyTable, keyCount);
    }
  }
  return kNoErr;
}

int32_t UpdateUIConstraintsPPDImplementArgument(const UIConstraintRecord* constraints, int32_t count,
                                                PDEControlDataTbl* table, UIConstraintsChoiceCache* cache,
                                                ZNPDECoreSession* session) {
  ppd_file_s* ppd = nullptr;
  if (!constraints || !cache || GetPPDReference(session, &ppd) != kNoErr) return kNoErr;
  for (int32_t i = 0; i < count; ++i) {
    const UIConstraintRecord& c = constraints[i];
    PPDUIOptionRef option1 = CreatePPDUIOption(ppd, c.option1);
    if (!option1) continue;
    // An empty choice1 therefore triggers only for an empty current choice.
    if (currentChoice(*option1, c.option1, cache, session) != c.choice1) continue;
    _DebugLog("Constraints [%s]:[%s] vs [%s]:[%s]", c.option1, c.choice1, c.option2, c.choice2);
    if (PDEControlData* record = recordForOption(table, c.option2)) {
      UIConstraintsPPDDisableSingleControlOrItemArgument(record, ppd, &c, session);
    }
  }
  FreePPDReference(ppd);
  return kNoErr;
}

void UIConstraintsPPDDisableSingleControlOrItemArgument(PDEControlData* record, ppd_file_s* ppd,
                                                        const UIConstraintRecord* constraint,
                                                        ZNPDECoreSession* session) {
  if (!record || !constraint) return;
  if (record->Kind == kControlKindIcon) return;
  if (!isChoiceKind(record->Kind)) {
    _DebugLog("Undifined ControlType");
    PDEControlDataSetEnabled(record, false);
    return;
  }
  if (!constraint->choice2[0]) {
    _DebugLog("No choice2 (CST ALL)");
    PDEControlDataSetEnabled(record, false);
    return;
  }
  if (PPDUIOptionRef option = record->Key ? CreatePPDUIOption(ppd, record->Key) : nullptr) {
    const auto& choices = option->choices;
    const auto excluded = std::find_if(choices.begin(), choices.end(),
                                       [&](const _PPDUIChoice& choice) { return choice.keyword == constraint->choice2; });
    if (excluded != choices.end()) {
      const int32_t index = static_cast<int32_t>(excluded - choices.begin());
      PDEControlDataItemSetEnabled(record, index + 1, false);
      leaveExcludedChoice(record, *option, index, constraint->choice2, session);
    }
  }
  if (record->Kind == kControlKindCheckBox) PDEControlDataSetEnabled(record, false);
}

void vDisableBody(PDEControlData* record) {
  const int32_t count = PDEControlDataItemGetCount(record);
  if (count <= 0) return;
  int32_t enabled = 0;
  for (int32_t item = 1; item <= count; ++item) {
    if (PDEControlDataItemIsEnabled(record, item)) ++enabled;
  }
  if (enabled == 1) PDEControlDataSetEnabled(record, false);
}

void UIConstraintsPPDDisableRelatedControl(PDEControlDataTbl* table, PDEControlData* record,
                                           const UIConstraintsKeyEntry* keyTable, int32_t keyCount) {
  if (!record) {
    _DebugLog("control is NULL.");
    return;
  }
  if (PDEControlDataIsEnabled(record)) {
    _DebugLog("Base control is enable.");
    return;
  }
  const UIConstraintsKeyEntry* entry = nullptr;
  for (int32_t i = 0; keyTable && i < keyCount; ++i) {
    if (keyTable[i].controlID == record->ID) {
      entry = &keyTable[i];
      break;
    }
  }
  if (!entry || !entry->related || !entry->related->controlIDs) {
    _DebugLog("no related controls.");
    return;
  }
  const int32_t count = std::min(entry->related->count, kMaxRelatedControls);
  _DebugLog("related control table count=%d", count);
  for (int32_t i = 0; i < count && entry->related->controlIDs[i] != -1; ++i) {
    _DebugLog("related control cid=%d", entry->related->controlIDs[i]);
    PDEControlDataSetEnabled(PDEControlDataGetByID(table, entry->related->controlIDs[i]), false);
  }
}

SECURITY_FRAMEWORK_NAMESPACE_END
