// Checks of printdialog-gtk's widgets (its --dump-widgets report) against
// the toolkit model: the model's own report of every control (--state) and
// the frames the panes' view descriptions give their controls.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

namespace gtktest {

// A view as a view description lists it.
struct DescribedView {
  double x = 0, y = 0, width = 0, height = 0;  // from the bottom left of the parent
  std::string parent;                          // "" at the top; "TABS#N" for tab N's page
};

// Every view of each pane's view description, by pane name and id.
const std::map<std::string, std::map<std::string, DescribedView>>& paneDescriptions();

// Expect every control the model reports in `state` that has a widget in
// `widgets` to show the model's state (title, enabled and hidden state,
// value), and every control on screen to stand at its frame.
void expectWidgetsMatchModel(const nlohmann::json& state, const nlohmann::json& widgets);

// The controls of `pane` whose widgets are on screen.
std::set<std::string> controlsOnScreen(const nlohmann::json& widgets, const std::string& pane);

}  // namespace gtktest
