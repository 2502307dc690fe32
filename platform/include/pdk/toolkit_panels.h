// Alerts and the open panel: modal requests the application's front end
// answers (see toolkit_window.h). Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdk/object.h"
#include "pdk/toolkit_window.h"

namespace pdk {

// Answer of an alert dismissed by its first button; the N-th button answers
// kAlertFirstButtonReturn + N.
inline constexpr int kAlertFirstButtonReturn = 1000;

// A message shown modally until the user dismisses it with a button.
class Alert : public Object {
 public:
  const char* className() const override { return "NSAlert"; }
  void setMessageText(const std::string& t) { messageText_ = t; }
  const std::string& messageText() const { return messageText_; }
  void setInformativeText(const std::string& t) { informativeText_ = t; }
  const std::string& informativeText() const { return informativeText_; }
  void addButtonWithTitle(const std::string& title) { buttons_.push_back(title); }
  // The button titles in order; an alert given none has the one button "OK".
  std::vector<std::string> buttons() const;

  // Show the alert through the front end and answer
  // kAlertFirstButtonReturn + the index of the button that dismissed it.
  int runModal();

 private:
  std::string messageText_, informativeText_;
  std::vector<std::string> buttons_;
};

// A panel in which the user chooses a file to open.
class OpenPanel : public Object {
 public:
  static std::shared_ptr<OpenPanel> openPanel() { return std::make_shared<OpenPanel>(); }
  const char* className() const override { return "NSOpenPanel"; }

  // The folder the panel starts in.
  std::string directory;
  // The file preselected in that folder, or empty.
  std::string nameFieldStringValue;
  // File-name extensions the user may choose; empty for any file.
  std::vector<std::string> allowedFileTypes;
  bool canChooseFiles = true;
  bool canChooseDirectories = false;
  bool allowsMultipleSelection = false;
  std::string title, message, prompt;

  // Show the panel through the front end: kModalResponseOK with the chosen
  // path in filename(), or kModalResponseCancel (filename() empty).
  int runModal();
  // Start in `dir` with `file` preselected, admitting `types` (empty: any
  // file), then runModal().
  int runModalForDirectory(const std::string& dir, const std::string& file, const std::vector<std::string>& types);
  // The chosen path after kModalResponseOK.
  const std::string& filename() const { return filename_; }

 private:
  std::string filename_;
};

}  // namespace pdk
