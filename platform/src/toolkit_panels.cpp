#include "pdk/toolkit_panels.h"

namespace pdk {

std::vector<std::string> Alert::buttons() const {
  return buttons_.empty() ? std::vector<std::string>{"OK"} : buttons_;
}

int Alert::runModal() {
  const FrontEnd& frontEnd = Application::shared().frontEnd();
  int index = frontEnd.presentAlert ? frontEnd.presentAlert(*this) : 0;
  int count = static_cast<int>(buttons().size());
  // A front end answering a button the alert lacks means its first one.
  if (index < 0 || index >= count) index = 0;
  return kAlertFirstButtonReturn + index;
}

int OpenPanel::runModal() {
  filename_.clear();
  const FrontEnd& frontEnd = Application::shared().frontEnd();
  std::optional<std::string> chosen;
  if (frontEnd.presentOpenPanel) chosen = frontEnd.presentOpenPanel(*this);
  if (!chosen) return kModalResponseCancel;
  filename_ = *chosen;
  return kModalResponseOK;
}

int OpenPanel::runModalForDirectory(const std::string& dir, const std::string& file,
                                    const std::vector<std::string>& types) {
  directory = dir;
  nameFieldStringValue = file;
  allowedFileTypes = types;
  return runModal();
}

}  // namespace pdk
