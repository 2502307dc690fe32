#include "script_actions.h"

#include <sstream>

namespace {

const char kHelp[] =
    "  select P.OUTLET INDEX   choose item INDEX of a pop-up menu (then its action runs)\n"
    "  check P.OUTLET on|off   set a check box as a click would\n"
    "  click P.OUTLET          click a push button or check box\n"
    "  tab P.OUTLET INDEX      choose a tab of a tab view\n"
    "  show P                  the dialog shows pane P (willShow)\n"
    "  hide P                  the dialog hides pane P (shouldHide)\n"
    "  save P                  saveValuesAndReturnError:\n"
    "  restore P               restoreValuesAndReturnError:\n"
    "  print P                 shouldPrint\n"
    "P is a pane name (the bundle name without \"pane\": color); OUTLET is a control's outlet name.\n";

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

// Resolve "P.OUTLET" to a view of pane P.
pdk::ViewRef findControl(std::vector<LoadedPane>& panes, const std::string& address, std::string* error) {
  auto dot = address.find('.');
  if (dot == std::string::npos) {
    *error = "expected PANE.OUTLET, got '" + address + "'";
    return nullptr;
  }
  LoadedPane* pane = findPane(panes, address.substr(0, dot));
  if (!pane) {
    *error = "unknown pane '" + address.substr(0, dot) + "'";
    return nullptr;
  }
  std::string outlet = address.substr(dot + 1);
  for (auto& view : pane->panel->scriptableViews())
    if (view->identifier == outlet) return view;
  *error = "pane '" + pane->name + "' has no control '" + outlet + "'";
  return nullptr;
}

bool requireEnabled(const pdk::Control* control, const std::string& address, std::string* error) {
  if (control->isEnabled()) return true;
  *error = address + " is disabled";
  return false;
}

}  // namespace

const char* actionHelp() { return kHelp; }

bool runAction(const std::string& action, std::vector<LoadedPane>& panes, std::string* error) {
  std::istringstream in(action);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words.empty()) {
    *error = "empty action";
    return false;
  }
  const std::string& verb = words[0];
  auto expect = [&](size_t n) {
    if (words.size() == n) return true;
    *error = "'" + verb + "' takes " + std::to_string(n - 1) + " argument(s): " + action;
    return false;
  };

  if (verb == "show" || verb == "hide" || verb == "save" || verb == "restore" || verb == "print") {
    if (!expect(2)) return false;
    LoadedPane* pane = findPane(panes, words[1]);
    if (!pane) {
      *error = "unknown pane '" + words[1] + "'";
      return false;
    }
    std::string ignored;
    if (verb == "show") pane->panel->willShow();
    if (verb == "hide") pane->panel->shouldHide();
    if (verb == "save") pane->panel->saveValuesAndReturnError(&ignored);
    if (verb == "restore") pane->panel->restoreValuesAndReturnError(&ignored);
    if (verb == "print") pane->panel->shouldPrint();
    return true;
  }

  if (verb == "select" || verb == "tab") {
    if (!expect(3)) return false;
    pdk::ViewRef view = findControl(panes, words[1], error);
    if (!view) return false;
    int index = 0;
    if (!parseIndex(words[2], &index)) {
      *error = "'" + words[2] + "' is not an item index";
      return false;
    }
    if (verb == "select") {
      auto* popup = dynamic_cast<pdk::PopUpButton*>(view.get());
      if (!popup) {
        *error = words[1] + " is a " + view->kind() + ", not a pop-up menu";
        return false;
      }
      if (!requireEnabled(popup, words[1], error)) return false;
      if (index >= popup->numberOfItems()) {
        *error = words[1] + " has " + std::to_string(popup->numberOfItems()) + " items, no item " + words[2];
        return false;
      }
      if (!popup->itemAtIndex(index)->enabled && !popup->autoenablesItems) {
        *error = "item " + words[2] + " of " + words[1] + " is disabled";
        return false;
      }
      popup->selectItemAtIndex(index);
      popup->sendAction();
      return true;
    }
    auto* tabs = dynamic_cast<pdk::TabView*>(view.get());
    if (!tabs) {
      *error = words[1] + " is a " + view->kind() + ", not a tab view";
      return false;
    }
    if (index >= tabs->numberOfTabViewItems()) {
      *error = words[1] + " has " + std::to_string(tabs->numberOfTabViewItems()) + " tabs, no tab " + words[2];
      return false;
    }
    tabs->selectTabViewItemAtIndex(index);
    if (tabs->onSelect) tabs->onSelect(nullptr);
    return true;
  }

  if (verb == "check" || verb == "click") {
    if (!expect(verb == "check" ? 3 : 2)) return false;
    pdk::ViewRef view = findControl(panes, words[1], error);
    if (!view) return false;
    auto* button = dynamic_cast<pdk::Button*>(view.get());
    if (!button || (verb == "check" && button->style() != pdk::Button::Style::CheckBox)) {
      *error = words[1] + " is a " + view->kind() + (verb == "check" ? ", not a check box" : ", not a button");
      return false;
    }
    if (!requireEnabled(button, words[1], error)) return false;
    if (verb == "check") {
      if (words[2] != "on" && words[2] != "off") {
        *error = "'check' takes on or off, not '" + words[2] + "'";
        return false;
      }
      int wanted = words[2] == "on" ? 1 : 0;
      if (button->state() == wanted) return true;  // already so: the user does not click
      button->setState(wanted);
    } else if (button->style() != pdk::Button::Style::Push) {
      button->setState(button->state() == 1 ? 0 : 1);
    }
    button->sendAction();
    return true;
  }

  *error = "unknown action '" + verb + "'";
  return false;
}
