#include "pdk/pde.h"

namespace pdk {

namespace {

void collectNamed(const ViewRef& view, std::vector<ViewRef>& out) {
  if (!view) return;
  if (!view->identifier.empty()) out.push_back(view);
  for (auto& sub : view->subviews()) collectNamed(sub, out);
}

}  // namespace

std::vector<ViewRef> PDEPanel::scriptableViews() {
  std::vector<ViewRef> out;
  collectNamed(panelView(), out);
  for (auto& window : windows()) collectNamed(window, out);
  return out;
}

}  // namespace pdk
