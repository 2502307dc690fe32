// While the mirror sets a widget from the model, the widget's signals (a
// combo box's "changed", a check button's "toggled") come from the mirror
// itself and must not reach the model as a user's event. Main thread only.
#pragma once

// Whether a SyncScope is open: signal handlers return at once.
bool mirrorIsSyncing();

// Marks the mirror as setting widgets for its lifetime; scopes nest.
class SyncScope {
 public:
  SyncScope();
  ~SyncScope();
  SyncScope(const SyncScope&) = delete;
  SyncScope& operator=(const SyncScope&) = delete;
};
