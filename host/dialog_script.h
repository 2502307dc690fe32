// DialogScript: the scripted user of one dialog. It holds the queue of user
// actions, the answers waiting for open panels, and what each pane showed
// (alerts) and answered (shouldPrint). While it lives it is the toolkit's
// front end, so a modal session that a pane runs takes its events from the
// same queue, and ends as a cancel when the queue runs out. Every call into a
// pane goes through call(), so an alert is listed under the pane that showed
// it. Main thread only.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pane_loader.h"
#include "pane_record.h"

class DialogScript {
 public:
  DialogScript(std::vector<LoadedPane>& panes, std::vector<std::string> actions);
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // The dialog opens each pane: supportedPPDOptionKeys, restoreValues,
  // panelView, willShow.
  void openPanes();
  // Carry out the queued actions in order, modal sessions included; false
  // with the first failing action's message.
  bool runActions(std::string* error);
  // The user prints: per pane saveValues, summaryInfo and shouldPrint.
  // Answers whether every pane agreed to print.
  bool printPanes(std::vector<std::pair<std::string, pdk::Value>>* summaries);

  // Run `f` as a call into `pane`.
  template <class F>
  auto call(LoadedPane& pane, F&& f) {
    Scope scope(*this, &pane);
    return f();
  }
  // Ask `pane` shouldPrint and record the answer.
  bool shouldPrint(LoadedPane& pane);
  // The answer for the next open panel: a path, or nullopt for Cancel.
  void chooseForOpenPanel(std::optional<std::string> answer) { openPanelAnswers_.push_back(std::move(answer)); }
  // Take the oldest answer for an open panel (nullopt, Cancel, when none is
  // left).
  std::optional<std::string> takeOpenPanelAnswer();
  // List `alert` under the pane being called, for the reports.
  void recordAlert(const pdk::Alert& alert);

  std::vector<LoadedPane>& panes() { return panes_; }
  // Put the dialog on another paper (a PPD size name); false with a message.
  std::function<bool(const std::string& name, std::string* error)> changePaper;
  const PaneRecord& record(const LoadedPane& pane) const;

 private:
  class Scope {
   public:
    Scope(DialogScript& script, LoadedPane* pane) : script_(script), previous_(script.current_) {
      script.current_ = pane;
    }
    ~Scope() { script_.current_ = previous_; }

   private:
    DialogScript& script_;
    LoadedPane* previous_;
  };

  // Run the next queued action; false when none is left or one failed.
  bool runNextAction();
  int presentAlert(const pdk::Alert& alert);

  std::vector<LoadedPane>& panes_;
  std::vector<PaneRecord> records_;
  std::deque<std::string> actions_;
  std::deque<std::optional<std::string>> openPanelAnswers_;
  LoadedPane* current_ = nullptr;
  std::optional<std::string> failure_;
};
