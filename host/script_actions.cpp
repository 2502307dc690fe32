#include "script_actions.h"

#include <iostream>
#include <sstream>

#include "dialog_script.h"
#include "json_report.h"
#include "text_actions.h"
#include "user_events.h"

namespace {

const char kHelp[] =
    "  select P.OUTLET INDEX      choose item INDEX of a pop-up menu (then its action runs)\n"
    "  check P.OUTLET on|off      set a check box as a click would\n"
    "  click P.OUTLET             click a push button or check box\n"
    "  tab P.OUTLET INDEX         choose a tab of a tab view\n"
    "  radio P.OUTLET ROW [COL]   click the radio cell at ROW (column COL, default 0)\n"
    "  row P.OUTLET N             click row N of a table (-1: empty space); a click the\n"
    "                             table refuses changes nothing and is not an error\n"
    "  cell P.OUTLET ROW COLUMN   click the check box in a table cell (COLUMN: identifier)\n"
    "  type P.OUTLET TEXT         type TEXT (the rest of the action after one space, may be\n"
    "                             empty) into a text field, one keystroke per character;\n"
    "                             \\u{HEX} is any character, \\\\ a backslash\n"
    "  paste P.OUTLET TEXT        paste TEXT into a text field as one change\n"
    "  backspace P.OUTLET [N]     press backspace N times (default 1) in a text field\n"
    "  clear P.OUTLET             select all of a text field's text and delete it\n"
    "  choose PATH|cancel         the answer to the next open panel (when it runs)\n"
    "  state                      print the state of every control now, as one line of JSON\n"
    "  show P                     the dialog shows pane P (willShow)\n"
    "  hide P                     the dialog hides pane P (shouldHide)\n"
    "  save P                     saveValuesAndReturnError:\n"
    "  restore P                  restoreValuesAndReturnError:\n"
    "  print P                    shouldPrint\n"
    "  paper NAME                 the user chooses another paper (a PPD page size name); every\n"
    "                             pane hears that the destination paper changed\n"
    "P is a pane name (the bundle name without \"pane\": color); OUTLET is a control's outlet name,\n"
    "also of a control in a window of the pane. A disabled or hidden control (one in a closed\n"
    "window too) is refused. While a pane runs a window modally, the actions that follow go to\n"
    "that window until it closes; when they run out, it closes as with its close box (a cancel).\n"
    "Every text edit begins editing the field (caret at the end), then ends it.\n";

// One scripted action: its words, and the text after the verb and one space.
struct ParsedAction {
  std::string text;
  std::vector<std::string> words;
  std::string rest;
};

LoadedPane* findPane(std::vector<LoadedPane>& panes, const std::string& name) {
  for (auto& p : panes)
    if (p.name == name) return &p;
  return nullptr;
}

bool parseIndex(const std::string& text, int* out) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 6) return false;
  *out = std::stoi(text);
  return true;
}

// An index among `count` things called `noun` ("item", "tab", "row") of the
// control `address`; false with a message when `text` is not an index or
// there is no such thing.
bool parseIndexBelow(const std::string& text, int count, const std::string& address, const std::string& noun,
                     int* out, std::string* error) {
  if (!parseIndex(text, out)) {
    *error = "'" + text + "' is not " + (noun[0] == 'i' ? "an " : "a ") + noun + " index";
    return false;
  }
  if (*out >= count) {
    *error = address + " has " + std::to_string(count) + " " + noun + "s, no " + noun + " " + text;
    return false;
  }
  return true;
}

// A control the action addresses, with its pane.
struct Target {
  LoadedPane* pane = nullptr;
  pdk::ViewRef view;
};

// Resolve "P.OUTLET" to a view of pane P.
bool findControl(DialogScript& dialog, const std::string& address, Target* target, std::string* error) {
  auto dot = address.find('.');
  if (dot == std::string::npos) {
    *error = "expected PANE.OUTLET, got '" + address + "'";
    return false;
  }
  LoadedPane* pane = findPane(dialog.panes(), address.substr(0, dot));
  if (!pane) {
    *error = "unknown pane '" + address.substr(0, dot) + "'";
    return false;
  }
  std::string outlet = address.substr(dot + 1);
  pdk::ViewRef view;
  for (auto& v : dialog.call(*pane, [&] { return pane->panel->scriptableViews(); }))
    if (v->identifier == outlet) view = v;
  if (!view) {
    *error = "pane '" + pane->name + "' has no control '" + outlet + "'";
    return false;
  }
  *target = Target{pane, view};
  return true;
}

// The control of `address` as a T the user can reach; false with a message
// naming `what` when it is another kind.
template <class T>
T* findControlOf(DialogScript& dialog, const std::string& address, const char* what, Target* target,
                 std::string* error) {
  if (!findControl(dialog, address, target, error)) return nullptr;
  auto* typed = dynamic_cast<T*>(target->view.get());
  if (!typed) {
    *error = address + " is a " + target->view->kind() + ", not " + what;
    return nullptr;
  }
  return isReachable(*typed, address, error) ? typed : nullptr;
}

bool expectWords(const ParsedAction& a, size_t least, size_t most, std::string* error) {
  if (a.words.size() >= least && a.words.size() <= most) return true;
  std::string count =
      least == most ? std::to_string(least - 1) : std::to_string(least - 1) + " or " + std::to_string(most - 1);
  *error = "'" + a.words[0] + "' takes " + count + " argument(s): " + a.text;
  return false;
}

bool panelCall(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 2, 2, error)) return false;
  LoadedPane* pane = findPane(dialog.panes(), a.words[1]);
  if (!pane) {
    *error = "unknown pane '" + a.words[1] + "'";
    return false;
  }
  if (pdk::Window* modal = pdk::Application::shared().modalWindow()) {
    *error = "the dialog is blocked by the modal window '" + modal->title() + "'";
    return false;
  }
  const std::string& verb = a.words[0];
  if (verb == "print") {
    dialog.shouldPrint(*pane);
    return true;
  }
  dialog.call(*pane, [&] {
    std::string ignored;
    if (verb == "show") pane->panel->willShow();
    if (verb == "hide") pane->panel->shouldHide();
    if (verb == "save") pane->panel->saveValuesAndReturnError(&ignored);
    if (verb == "restore") pane->panel->restoreValuesAndReturnError(&ignored);
  });
  return true;
}

bool changePaper(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 2, 2, error)) return false;
  if (pdk::Window* modal = pdk::Application::shared().modalWindow()) {
    *error = "the dialog is blocked by the modal window '" + modal->title() + "'";
    return false;
  }
  if (!dialog.changePaper || !dialog.changePaper(a.words[1], error)) {
    if (!dialog.changePaper) *error = "this dialog cannot change the paper";
    return false;
  }
  pdk::NotificationCenter::defaultCenter().post(pdk::kPMPrintDestinationPaperDidChangeNotification, nullptr);
  return true;
}

bool selectItem(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 3, 3, error)) return false;
  Target t;
  auto* popup = findControlOf<pdk::PopUpButton>(dialog, a.words[1], "a pop-up menu", &t, error);
  if (!popup) return false;
  int index = 0;
  if (!parseIndexBelow(a.words[2], popup->numberOfItems(), a.words[1], "item", &index, error)) return false;
  return userSelectItem(UserTarget{dialog, *t.pane, a.words[1]}, *popup, index, error);
}

bool selectTab(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 3, 3, error)) return false;
  Target t;
  auto* tabs = findControlOf<pdk::TabView>(dialog, a.words[1], "a tab view", &t, error);
  if (!tabs) return false;
  int index = 0;
  if (!parseIndexBelow(a.words[2], tabs->numberOfTabViewItems(), a.words[1], "tab", &index, error)) return false;
  return userSelectTab(UserTarget{dialog, *t.pane, a.words[1]}, *tabs, index, error);
}

bool clickButton(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  const bool check = a.words[0] == "check";
  if (!expectWords(a, check ? 3 : 2, check ? 3 : 2, error)) return false;
  Target t;
  auto* button = findControlOf<pdk::Button>(dialog, a.words[1], check ? "a check box" : "a button", &t, error);
  if (!button) return false;
  if (check && button->style() != pdk::Button::Style::CheckBox) {
    *error = a.words[1] + " is a " + button->kind() + ", not a check box";
    return false;
  }
  if (check) {
    if (a.words[2] != "on" && a.words[2] != "off") {
      *error = "'check' takes on or off, not '" + a.words[2] + "'";
      return false;
    }
    int wanted = a.words[2] == "on" ? 1 : 0;
    if (button->state() == wanted) return true;  // already so: the user does not click
  }
  return userClickButton(UserTarget{dialog, *t.pane, a.words[1]}, *button, error);
}

bool clickRadio(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 3, 4, error)) return false;
  Target t;
  auto* matrix = findControlOf<pdk::Matrix>(dialog, a.words[1], "a radio group", &t, error);
  if (!matrix) return false;
  int row = 0, column = 0;
  if (!parseIndex(a.words[2], &row) || (a.words.size() == 4 && !parseIndex(a.words[3], &column))) {
    *error = "'" + a.text.substr(a.text.find(a.words[2])) + "' is not a cell address";
    return false;
  }
  return userClickRadio(UserTarget{dialog, *t.pane, a.words[1]}, *matrix, row, column, error);
}

bool clickRow(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 3, 3, error)) return false;
  Target t;
  auto* table = findControlOf<pdk::TableView>(dialog, a.words[1], "a table", &t, error);
  if (!table) return false;
  int row = -1;  // -1: a click on empty space
  if (a.words[2] != "-1" && !parseIndexBelow(a.words[2], table->numberOfRows(), a.words[1], "row", &row, error))
    return false;
  return userClickRow(UserTarget{dialog, *t.pane, a.words[1]}, *table, row, error);
}

bool clickCell(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 4, 4, error)) return false;
  Target t;
  auto* table = findControlOf<pdk::TableView>(dialog, a.words[1], "a table", &t, error);
  if (!table) return false;
  int row = 0;
  if (!parseIndexBelow(a.words[2], table->numberOfRows(), a.words[1], "row", &row, error)) return false;
  pdk::TableColumn* column = table->tableColumnWithIdentifier(a.words[3]);
  if (!column) {
    *error = a.words[1] + " has no column '" + a.words[3] + "'";
    return false;
  }
  return userClickCheckBoxCell(UserTarget{dialog, *t.pane, a.words[1]}, *table, *column, row, error);
}

// The editable text field of `address`.
pdk::TextField* findEditableField(DialogScript& dialog, const std::string& address, Target* t, std::string* error) {
  auto* field = findControlOf<pdk::TextField>(dialog, address, "a text field", t, error);
  if (field && !field->isEditable()) {
    *error = address + " is a " + field->kind() + ", not an editable text field";
    return nullptr;
  }
  return field;
}

bool typeText(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  // The text is the rest after the address and one space, verbatim.
  std::string address = a.rest.substr(0, a.rest.find(' '));
  std::string raw = a.rest.size() > address.size() ? a.rest.substr(address.size() + 1) : "";
  std::string text;
  if (address.empty()) {
    *error = "'" + a.words[0] + "' takes P.OUTLET and a text: " + a.text;
    return false;
  }
  if (!decodeTypedText(raw, &text, error)) return false;
  Target t;
  pdk::TextField* field = findEditableField(dialog, address, &t, error);
  if (!field) return false;
  const bool paste = a.words[0] == "paste";
  return userEditText(UserTarget{dialog, *t.pane, address}, *field, [&](pdk::FieldEditor& editor) {
    if (paste) {
      editor.insertText(text);
      return;
    }
    for (const std::string& key : keystrokes(text)) {
      if (!field->isEditing()) break;
      editor.insertText(key);
    }
  }, error);
}

bool deleteText(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  const bool clear = a.words[0] == "clear";
  if (!expectWords(a, 2, clear ? 2 : 3, error)) return false;
  int count = 1;
  if (a.words.size() == 3 && (!parseIndex(a.words[2], &count) || count == 0)) {
    *error = "'" + a.words[2] + "' is not a number of keystrokes";
    return false;
  }
  Target t;
  pdk::TextField* field = findEditableField(dialog, a.words[1], &t, error);
  if (!field) return false;
  return userEditText(UserTarget{dialog, *t.pane, a.words[1]}, *field, [&](pdk::FieldEditor& editor) {
    if (clear) {
      editor.selectAll();
      editor.deleteBackward();
      return;
    }
    for (int i = 0; i < count && field->isEditing(); ++i) editor.deleteBackward();
  }, error);
}

bool choose(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (a.rest.empty()) {
    *error = "'choose' takes a path or cancel";
    return false;
  }
  dialog.chooseForOpenPanel(a.rest == "cancel" ? std::nullopt : std::optional<std::string>(a.rest));
  return true;
}

bool printState(DialogScript& dialog, const ParsedAction& a, std::string* error) {
  if (!expectWords(a, 1, 1, error)) return false;
  std::cout << stateReport(dialog).dump() << std::endl;
  return true;
}

struct Verb {
  const char* name;
  bool (*run)(DialogScript&, const ParsedAction&, std::string*);
};

constexpr Verb kVerbs[] = {
    {"select", selectItem}, {"tab", selectTab},        {"check", clickButton}, {"click", clickButton},
    {"radio", clickRadio},  {"row", clickRow},         {"cell", clickCell},    {"type", typeText},
    {"paste", typeText},    {"backspace", deleteText}, {"clear", deleteText},  {"choose", choose},
    {"state", printState},  {"show", panelCall},       {"hide", panelCall},    {"save", panelCall},
    {"restore", panelCall}, {"print", panelCall},      {"paper", changePaper},
};

}  // namespace

const char* actionHelp() { return kHelp; }

bool runAction(const std::string& action, DialogScript& dialog, std::string* error) {
  ParsedAction a;
  a.text = action;
  std::istringstream in(action);
  for (std::string w; in >> w;) a.words.push_back(w);
  if (a.words.empty()) {
    *error = "empty action";
    return false;
  }
  size_t afterVerb = action.find(a.words[0]) + a.words[0].size();
  a.rest = afterVerb < action.size() ? action.substr(afterVerb + 1) : "";
  for (const Verb& verb : kVerbs)
    if (a.words[0] == verb.name) return verb.run(dialog, a, error);
  *error = "unknown action '" + a.words[0] + "'";
  return false;
}
