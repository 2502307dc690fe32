// DialogFrontEnd: the windowed dialog's answer to the toolkit's modal
// requests (pdk::FrontEnd). A modal session first takes the scripted steps
// still queued, then waits for GTK events (a nested main loop) until the
// model ends the session; alerts become GtkMessageDialogs and the open panel
// a GtkFileChooserDialog. In a batch run nobody sits at the screen: once the
// script has run out every session ends as a cancel, and alerts and panels
// are drawn, then answered as the headless dialog answers them (the first
// button; the scripted "choose" answer). Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>

#include "dialog_script.h"

class DialogFrontEnd {
 public:
  // What the front end asks of the program that runs it.
  struct Hooks {
    // Run the next scripted step; false when none is left or one failed.
    std::function<bool()> runScriptedStep;
    // The script has run out or failed: true when the run is over, so that
    // nothing waits any more (a batch run, a failure, the dialog closed).
    std::function<bool()> runIsOver;
  };

  explicit DialogFrontEnd(bool batch) : batch_(batch) {}
  void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
  // Become the toolkit's front end for the panes of `dialog`; alerts and
  // panels are shown over `parent` (or the modal window in front).
  void install(DialogScript& dialog, GtkWindow* parent);

  // Show a message of the dialog's own (a job the server refused).
  void showMessage(const std::string& message, const std::string& detail);

  bool batch() const { return batch_; }

 private:
  bool runNextEvent();
  int presentAlert(const pdk::Alert& alert);
  std::optional<std::string> presentOpenPanel(const pdk::OpenPanel& panel);
  // The window alerts and panels belong to: the modal window, or the dialog.
  GtkWindow* frontWindow() const;
  // Run `dialog` until the user answers; in a batch run, until it is drawn,
  // then answer `batchResponse`. The response.
  int runDialog(GtkDialog* dialog, int batchResponse);

  bool batch_;
  Hooks hooks_;
  DialogScript* dialog_ = nullptr;
  GtkWindow* parent_ = nullptr;
};
