// Scripted user actions on the panes: parsing "select color.menu_QuickColor
// 3"-style texts and carrying them out the way a user's click would
// (change the control, then send its action).
#pragma once

#include <string>
#include <vector>

#include "pane_loader.h"

// Carry out one action; false with a message when the action is malformed,
// names an unknown pane or control, or does not fit the control.
bool runAction(const std::string& action, std::vector<LoadedPane>& panes, std::string* error);

// The text of --help describing the actions.
const char* actionHelp();
