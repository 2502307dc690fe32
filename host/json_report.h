// The JSON reports of printdialog: every pane's summary, and every
// control's state, in the formats scripts rely on.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "dialog_script.h"

// {"PANE": {"order": [names...], "items": {name: value...}}}
nlohmann::ordered_json summaryReport(const std::vector<std::pair<std::string, pdk::Value>>& summaries);
// {"PANE": {pane-level state..., "panelKind", "supportedPPDOptionKeys",
// "alerts", "shouldPrint", "OUTLET": {"kind": ..., ...}}}. Secure text
// fields report their length and a mask, never their text.
nlohmann::ordered_json stateReport(DialogScript& dialog);
