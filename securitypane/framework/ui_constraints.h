// Applying the PPD's UI constraints to a panel: the constraints are copied
// once, those that involve the panel's own PPD keys are picked, and each
// update pass disables the controls and items the current choices exclude,
// moves a control off an excluded choice (writing the new choice into the
// job ticket), disables pop-ups and radio groups left with one choice, and
// disables the controls that follow a disabled one. A pass only disables:
// the panel enables everything before it. Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "securitypane/framework/control_data.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/namespace.h"
#include "securitypane/framework/ui_constraints_list.h"

struct ppd_file_s;

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// Constraints beyond this many are not considered for a pane's list.
inline constexpr int32_t kMaxPaneConstraints = 8192;

// Current choices found during one pass, newest first.
struct UIConstraintsCachedChoice {
  std::string keyword;
  std::string choice;
};
using UIConstraintsChoiceCache = std::vector<UIConstraintsCachedChoice>;

// Copy every constraint of the PPD into `list`. Return 0, or 206 for a
// missing argument.
int32_t UIConstraintsPPDInitializeArgument(ppd_file_s* ppd, _UIConstraintsList* list);
// Drop the copied constraints. Return 0, or -50 for a missing list.
int32_t UIConstraintsPPDFinalize(_UIConstraintsList* list);
// The constraints whose option1 or option2 is one of the key table's keys,
// in PPD order, as a new array owned by a node of `list`'s chain; `count`
// := their number. Null for a missing list.
const UIConstraintRecord* CreateUIConstrainstPPDListForEveryUserPaneArgument(const UIConstraintsKeyEntry* keyTable,
                                                                             int32_t* count, _UIConstraintsList* list);
// Free every per-pane array of `list`. Return 0.
int32_t ReleaseUIConstrainstPPDListForEveryUserPaneArgument(_UIConstraintsList* list);
// One update pass over the panel's table. Return 0.
int32_t UpdateUIConstraintsPPDArgument(const UIConstraintRecord* constraints, int32_t count,
                                       const UIConstraintsKeyEntry* keyTable, int32_t keyCount,
                                       PDEControlDataTbl* table, ZNPDECoreSession* session);
// The constraint step of a pass: option1's current choice comes from the
// cache, else the per-printer settings, else (for "PageSize") the document's
// paper, else the PPD's mark or default; a constraint whose choice1 equals it
// exactly applies to the first non-label record of option2. Return 0.
int32_t UpdateUIConstraintsPPDImplementArgument(const UIConstraintRecord* constraints, int32_t count,
                                                PDEControlDataTbl* table, UIConstraintsChoiceCache* cache,
                                                ZNPDECoreSession* session);
// Apply one triggered constraint to the record of its option2.
void UIConstraintsPPDDisableSingleControlOrItemArgument(PDEControlData* record, ppd_file_s* ppd,
                                                        const UIConstraintRecord* constraint,
                                                        ZNPDECoreSession* session);
// The "PageSize" choice of the document's paper: the PPD paper of its size;
// else, outside the custom size range, the PPD default; else the paper's own
// name. When the job scales to the destination paper: the PPD paper whose
// text is the destination's name, or that name. None when the paper cannot
// be read.
std::optional<std::string> GetPaperNameByStandardTicketArgument(ZNPDECoreSession* session);
// Disable a pop-up or radio group that has exactly one enabled item.
void vDisableBody(PDEControlData* record);
// Disable the related controls (key table) of a disabled record.
void UIConstraintsPPDDisableRelatedControl(PDEControlDataTbl* table, PDEControlData* record,
                                           const UIConstraintsKeyEntry* keyTable, int32_t keyCount);

SECURITY_FRAMEWORK_NAMESPACE_END
