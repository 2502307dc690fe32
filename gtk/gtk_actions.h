// Actions through the GTK widgets (--gtk-do): the same verbs as the
// scripted actions, but each one acts on the control's widget the way GTK
// delivers a user's click or keystroke to it (a button's "clicked", a combo
// box's "changed", a mouse press on a table row, "insert-at-cursor" on an
// entry between focus in and out), so the mirror carries it to the model.
// A widget the user could not reach (not on screen, insensitive) refuses
// the action. Main thread only.
#pragma once

#include <string>

class PrintDialogWindow;

// Carry out one action; false with a message.
bool runGtkAction(const std::string& action, PrintDialogWindow& dialog, std::string* error);

// The text of --help describing these actions.
const char* gtkActionHelp();
