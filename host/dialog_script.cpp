#include "dialog_script.h"

#include <cstdio>

#include "script_actions.h"

DialogScript::DialogScript(std::vector<LoadedPane>& panes, std::vector<std::string> actions)
    : panes_(panes), records_(panes.size()), actions_(actions.begin(), actions.end()) {
  pdk::FrontEnd frontEnd;
  frontEnd.runNextEvent = [this] { return runNextAction(); };
  frontEnd.presentAlert = [this](const pdk::Alert& alert) { return presentAlert(alert); };
  frontEnd.presentOpenPanel = [this](const pdk::OpenPanel&) { return takeOpenPanelAnswer(); };
  pdk::Application::shared().setFrontEnd(std::move(frontEnd));
}

DialogScript::~DialogScript() { pdk::Application::shared().setFrontEnd({}); }

void DialogScript::openPanes() {
  for (auto& pane : panes_)
    call(pane, [&] {
      std::string ignored;
      pane.panel->supportedPPDOptionKeys();
      pane.panel->restoreValuesAndReturnError(&ignored);
      records_[static_cast<size_t>(&pane - panes_.data())].panelView = pane.panel->panelView();
      pane.panel->willShow();
    });
}

bool DialogScript::runActions(std::string* error) {
  while (runNextAction()) {
  }
  if (!failure_) return true;
  *error = *failure_;
  return false;
}

bool DialogScript::runNextAction() {
  // After a failure every modal session ends at once, so the run unwinds.
  if (failure_ || actions_.empty()) return false;
  std::string action = std::move(actions_.front());
  actions_.pop_front();
  std::string error;
  if (runAction(action, *this, &error)) return true;
  failure_ = error;
  return false;
}

bool DialogScript::printPanes(std::vector<std::pair<std::string, pdk::Value>>* summaries) {
  bool all = true;
  for (auto& pane : panes_) {
    call(pane, [&] {
      std::string ignored;
      pane.panel->saveValuesAndReturnError(&ignored);
      summaries->emplace_back(pane.name, pane.panel->summaryInfo());
    });
    if (!shouldPrint(pane)) all = false;
  }
  return all;
}

bool DialogScript::shouldPrint(LoadedPane& pane) {
  bool answer = call(pane, [&] { return pane.panel->shouldPrint(); });
  records_[static_cast<size_t>(&pane - panes_.data())].shouldPrint.push_back(answer);
  return answer;
}

const PaneRecord& DialogScript::record(const LoadedPane& pane) const {
  return records_[static_cast<size_t>(&pane - panes_.data())];
}

int DialogScript::presentAlert(const pdk::Alert& alert) {
  std::string text = alert.messageText();
  if (!alert.informativeText().empty()) text += "\n" + alert.informativeText();
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::fprintf(stderr, "printdialog: alert: %s\n", text.c_str());
  recordAlert(alert);
  return 0;  // dismissed by its first (only) button
}

void DialogScript::recordAlert(const pdk::Alert& alert) {
  if (current_)
    records_[static_cast<size_t>(current_ - panes_.data())].alerts.push_back(
        AlertRecord{alert.messageText(), alert.informativeText(), alert.buttons()});
}

std::optional<std::string> DialogScript::takeOpenPanelAnswer() {
  if (openPanelAnswers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(openPanelAnswers_.front());
  openPanelAnswers_.pop_front();
  return answer;
}
