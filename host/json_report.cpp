#include "json_report.h"

namespace {

nlohmann::ordered_json scalar(const pdk::Value& v) {
  switch (v.type()) {
    case pdk::Value::Type::Boolean: return v.asBool();
    case pdk::Value::Type::Integer: return v.asInteger();
    case pdk::Value::Type::Real: return v.asReal();
    case pdk::Value::Type::String: return v.asString();
    default: return nullptr;
  }
}

nlohmann::ordered_json controlState(pdk::View& view) {
  nlohmann::ordered_json j;
  j["kind"] = view.kind();
  if (auto* control = dynamic_cast<pdk::Control*>(&view)) j["enabled"] = control->isEnabled();
  j["hidden"] = view.isHidden();
  if (auto* popup = dynamic_cast<pdk::PopUpButton*>(&view)) {
    j["title"] = popup->titleOfSelectedItem();
    j["selected"] = popup->indexOfSelectedItem();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (auto& item : popup->items())
      items.push_back({{"title", item.title}, {"represented", scalar(item.representedObject)}, {"enabled", item.enabled}});
    j["items"] = items;
  } else if (auto* button = dynamic_cast<pdk::Button*>(&view)) {
    j["title"] = button->title();
    j["state"] = button->state();
  } else if (auto* text = dynamic_cast<pdk::TextField*>(&view)) {
    j["title"] = text->stringValue();
  } else if (auto* tabs = dynamic_cast<pdk::TabView*>(&view)) {
    j["selected"] = tabs->indexOfSelectedTabViewItem();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (auto& tab : tabs->tabs()) items.push_back({{"title", tab.label}});
    j["items"] = items;
  }
  return j;
}

}  // namespace

nlohmann::ordered_json summaryReport(const std::vector<std::pair<std::string, pdk::Value>>& summaries) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (auto& [pane, info] : summaries) {
    nlohmann::ordered_json order = nlohmann::ordered_json::array();
    nlohmann::ordered_json items = nlohmann::ordered_json::object();
    pdk::Value names = info.get("Summary Display Order");
    for (size_t i = 0; i < names.count(); ++i) {
      std::string name = names.at(i).asString();
      order.push_back(name);
      items[name] = scalar(info.get(name));
    }
    out[pane] = {{"order", order}, {"items", items}};
  }
  return out;
}

nlohmann::ordered_json stateReport(std::vector<LoadedPane>& panes) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (auto& pane : panes) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    pdk::Value extra = pane.panel->scriptingState();
    for (auto& key : extra.keys()) j[key] = scalar(extra.get(key));
    for (auto& view : pane.panel->scriptableViews()) j[view->identifier] = controlState(*view);
    out[pane.name] = j;
  }
  return out;
}
