// Copying the PPD's constraints and picking a pane's own.
#include <algorithm>
#include <cstring>

#include "securitypane/framework/cups_ppd.h"
#include "securitypane/framework/debug_log.h"
#include "securitypane/framework/status.h"
#include "securitypane/framework/ui_constraints.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

static_assert(sizeof(ppd_const_t::option1) == kConstraintFieldSize, "libcups keeps the same field size");

// Byte for byte, with the terminator made sure of.
void copyField(char (&field)[kConstraintFieldSize], const char (&source)[kConstraintFieldSize]) {
  std::memcpy(field, source, kConstraintFieldSize);
  field[kConstraintFieldSize - 1] = '\0';
}

void releaseChain(_UIConstraintsList* list) {
  for (_UIConstraintsListLocalCtrl* node = list->pTopOfLocalCtrl; node;) {
    _UIConstraintsListLocalCtrl* next = node->next;
    delete node;
    node = next;
  }
  list->pTopOfLocalCtrl = nullptr;
  list->iNumOfLocalAlloc = 0;
}

// A key-table key (a fixed field) equals a constraint's option exactly.
bool keyEquals(const UIConstraintsKeyEntry& entry, const char* option) {
  const size_t length = strnlen(entry.key, kKeyTableKeySize);
  return length == std::strlen(option) && std::memcmp(entry.key, option, length) == 0;
}

}  // namespace

_UIConstraintsList::~_UIConstraintsList() { releaseChain(this); }

int32_t UIConstraintsPPDInitializeArgument(ppd_file_s* ppd, _UIConstraintsList* list) {
  if (!ppd || !list) {
    _ErrorLog("Invalid Parameter");
    return kInvalidParameter;
  }
  list->ppdConstT.clear();
  list->iNumOfUIConstraints = 0;
  if (ppd->num_consts <= 0) return kNoErr;
  list->ppdConstT.resize(static_cast<size_t>(ppd->num_consts));
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t& source = ppd->consts[i];
    UIConstraintRecord& copy = list->ppdConstT[static_cast<size_t>(i)];
    copyField(copy.option1, source.option1);
    copyField(copy.choice1, source.choice1);
    copyField(copy.option2, source.option2);
    copyField(copy.choice2, source.choice2);
  }
  list->iNumOfUIConstraints = ppd->num_consts;
  return kNoErr;
}

int32_t UIConstraintsPPDFinalize(_UIConstraintsList* list) {
  if (!list) {
    _ErrorLog("Invalid Parameter");
    return kParamErr;
  }
  list->ppdConstT.clear();
  list->iNumOfUIConstraints = 0;
  return kNoErr;
}

const UIConstraintRecord* CreateUIConstrainstPPDListForEveryUserPaneArgument(const UIConstraintsKeyEntry* keyTable,
                                                                             int32_t* count, _UIConstraintsList* list) {
  if (!list || !count) {
    _ErrorLog("Invalid Parameter");
    return nullptr;
  }
  const size_t considered = static_cast<size_t>(
      std::min({list->iNumOfUIConstraints, kMaxPaneConstraints, static_cast<int32_t>(list->ppdConstT.size())}));
  std::vector<bool> marked(considered, false);
  for (const UIConstraintsKeyEntry* entry = keyTable; entry && entry->key[0]; ++entry) {
    for (size_t i = 0; i < considered; ++i) {
      const UIConstraintRecord& c = list->ppdConstT[i];
      if (keyEquals(*entry, c.option1) || keyEquals(*entry, c.option2)) marked[i] = true;
    }
  }
  auto* node = new _UIConstraintsListLocalCtrl();
  node->self = node;
  for (size_t i = 0; i < considered; ++i) {
    if (marked[i]) node->constraints.push_back(list->ppdConstT[i]);
  }
  *count = static_cast<int32_t>(node->constraints.size());
  _UIConstraintsListLocalCtrl** link = &list->pTopOfLocalCtrl;
  _UIConstraintsListLocalCtrl* previous = nullptr;
  while (*link) {
    previous = *link;
    link = &(*link)->next;
  }
  node->previous = previous;
  *link = node;
  ++list->iNumOfLocalAlloc;
  return node->constraints.data();
}

int32_t ReleaseUIConstrainstPPDListForEveryUserPaneArgument(_UIConstraintsList* list) {
  if (list) releaseChain(list);
  return kNoErr;
}

SECURITY_FRAMEWORK_NAMESPACE_END
