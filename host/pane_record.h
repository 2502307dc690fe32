// What a pane showed and answered during one dialog, for the reports.
#pragma once

#include <string>
#include <vector>

#include "pdk/toolkit_view.h"

// One alert as the pane showed it.
struct AlertRecord {
  std::string message;
  std::string informative;
  std::vector<std::string> buttons;
};

struct PaneRecord {
  // The pane's view, as panelView answered when the dialog opened the pane.
  pdk::ViewRef panelView;
  std::vector<AlertRecord> alerts;
  // Every shouldPrint answer, in order (scripted "print P", then the final one).
  std::vector<bool> shouldPrint;
};
