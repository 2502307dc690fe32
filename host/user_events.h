// What a user does to a pane's controls, whoever reports it: a scripted
// action of printdialog or an event of a windowed front end. Each operation
// checks that the user can reach the control, changes it as a click does and
// sends its action, all as one call into the pane. False with a message that
// names the control by its address ("color.menu_QuickColor") when the user
// could not have done it. Main thread only.
#pragma once

#include <functional>
#include <string>

#include "pdk/toolkit.h"

class DialogScript;
struct LoadedPane;

// A control of a pane, as the user acts on it.
struct UserTarget {
  DialogScript& dialog;
  LoadedPane& pane;
  std::string address;  // for messages
};

// Whether the user can reach `view` now: not when it is hidden (or inside
// something hidden, such as a closed window), behind the running modal
// window, or a disabled control.
bool isReachable(const pdk::View& view, const std::string& address, std::string* error);

// Choose item `index` (in range) of a pop-up menu; a disabled item is
// refused when the menu does not enable its items itself.
bool userSelectItem(const UserTarget& target, pdk::PopUpButton& popup, int index, std::string* error);
// Click a push button, check box or radio button (a check box toggles).
bool userClickButton(const UserTarget& target, pdk::Button& button, std::string* error);
// Choose tab `index` (in range); the tab view's onSelect hears it.
bool userSelectTab(const UserTarget& target, pdk::TabView& tabs, int index, std::string* error);
// Click the radio cell at (row, column), which must exist; a disabled cell
// is refused.
bool userClickRadio(const UserTarget& target, pdk::Matrix& matrix, int row, int column, std::string* error);
// Click row `row` of a table (-1: empty space). A click the table itself
// refuses changes nothing and is no error.
bool userClickRow(const UserTarget& target, pdk::TableView& table, int row, std::string* error);
// Click the check box of `column` (a check-box column) at `row` (in range).
bool userClickCheckBoxCell(const UserTarget& target, pdk::TableView& table, pdk::TableColumn& column, int row,
                           std::string* error);
// One edit of an editable field: editing begins (caret at the end), `keys`
// runs with the field editor, editing ends.
bool userEditText(const UserTarget& target, pdk::TextField& field,
                  const std::function<void(pdk::FieldEditor&)>& keys, std::string* error);
