#include "script_runner.h"

#include "gtk_actions.h"
#include "print_dialog_window.h"
#include "script_actions.h"

bool ScriptRunner::runNext() {
  if (failed() || steps_.empty() || dialog_.outcome() != PrintDialogWindow::Outcome::Open) return false;
  ScriptStep step = std::move(steps_.front());
  steps_.pop_front();
  std::string error;
  bool done = step.throughGtk ? runGtkAction(step.action, dialog_, &error)
                              : runAction(step.action, dialog_.session().dialog(), &error);
  PaneMirror::flushAll();
  if (!done) error_ = error.empty() ? "the action '" + step.action + "' failed" : error;
  return done;
}
