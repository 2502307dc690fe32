// What a pane showed and answered during one dialog, for the reports.
#pragma once

#include <string>
#include <vector>

// One alert as the pane showed it.
struct AlertRecord {
  std::string message;
  std::string informative;
  std::vector<std::string> buttons;
};

struct PaneRecord {
  std::vector<AlertRecord> alerts;
  // Every shouldPrint answer, in order (scripted "print P", then the final one).
  std::vector<bool> shouldPrint;
};
