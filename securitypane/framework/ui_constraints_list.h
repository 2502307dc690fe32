// The PPD's UI constraints as the security pane keeps them: the copy of
// every constraint, and the per-pane lists of the constraints that involve
// a pane's own PPD keys. One list header lives in the panel's core context.
// Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

inline constexpr size_t kConstraintFieldSize = 41;

// One constraint, as the PPD record holds it: option1 at choice1 excludes
// option2 at choice2; keywords without the asterisk; an empty choice stands
// for any choice. Every field is NUL-terminated.
struct UIConstraintRecord {
  char option1[kConstraintFieldSize];
  char choice1[kConstraintFieldSize];
  char option2[kConstraintFieldSize];
  char choice2[kConstraintFieldSize];
};
static_assert(sizeof(UIConstraintRecord) == 164, "four 41-byte fields");

// One per-pane list, a node of the chain that owns it.
struct _UIConstraintsListLocalCtrl {
  _UIConstraintsListLocalCtrl* self = nullptr;
  _UIConstraintsListLocalCtrl* previous = nullptr;
  _UIConstraintsListLocalCtrl* next = nullptr;
  std::vector<UIConstraintRecord> constraints;
};

struct _UIConstraintsList {
  _UIConstraintsList() = default;
  _UIConstraintsList(const _UIConstraintsList&) = delete;
  _UIConstraintsList& operator=(const _UIConstraintsList&) = delete;
  // Frees any per-pane lists still in the chain.
  ~_UIConstraintsList();

  int32_t iNumOfUIConstraints = 0;
  std::vector<UIConstraintRecord> ppdConstT;
  int32_t iNumOfLocalAlloc = 0;
  _UIConstraintsListLocalCtrl* pTopOfLocalCtrl = nullptr;
};

SECURITY_FRAMEWORK_NAMESPACE_END
