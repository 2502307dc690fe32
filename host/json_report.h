// The JSON reports of printdialog: every pane's summary, and every
// control's state, in the formats scripts rely on.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "pane_loader.h"

// {"PANE": {"order": [names...], "items": {name: value...}}}
nlohmann::ordered_json summaryReport(const std::vector<std::pair<std::string, pdk::Value>>& summaries);
// {"PANE": {pane-level state..., "OUTLET": {"kind": ..., ...}}}
nlohmann::ordered_json stateReport(std::vector<LoadedPane>& panes);
