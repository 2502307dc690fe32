// ScriptRunner: the user actions given on the command line, in order:
// scripted actions on the model (--do, as printdialog carries them out) and
// actions through the GTK widgets (--gtk-do, see gtk_actions.h). The first
// failing action stops the script. Main thread only.
#pragma once

#include <deque>
#include <string>
#include <vector>

class PrintDialogWindow;

struct ScriptStep {
  std::string action;
  bool throughGtk = false;  // --gtk-do
};

class ScriptRunner {
 public:
  ScriptRunner(std::vector<ScriptStep> steps, PrintDialogWindow& dialog)
      : steps_(steps.begin(), steps.end()), dialog_(dialog) {}

  // Carry out the next action; false when none is left, one failed, or the
  // dialog is done (printed or cancelled).
  bool runNext();
  bool failed() const { return !error_.empty(); }
  // The failing action's message.
  const std::string& error() const { return error_; }
  // Actions not carried out because the dialog was done before them.
  size_t left() const { return steps_.size(); }

 private:
  std::deque<ScriptStep> steps_;
  PrintDialogWindow& dialog_;
  std::string error_;
};
