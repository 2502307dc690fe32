// Scripted user actions on the panes: parsing "select color.menu_QuickColor
// 3"-style texts and carrying them out the way a user's click or keystrokes
// would (change the control, then send its action; edit a text field
// through its field editor).
#pragma once

#include <string>

class DialogScript;

// Carry out one action; false with a message when the action is malformed,
// names an unknown pane or control, does not fit the control, or addresses
// a control the user cannot reach (disabled, hidden, behind a modal window).
bool runAction(const std::string& action, DialogScript& dialog, std::string* error);

// The text of --help describing the actions.
const char* actionHelp();
