#include "widget_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "pdk/plist.h"

namespace gtktest {

using nlohmann::json;

namespace {

std::map<std::string, DescribedView> readDescription(const std::string& path) {
  std::map<std::string, DescribedView> views;
  pdk::Value objects = pdk::readPlistFile(path).get("objects");
  for (size_t i = 0; i < objects.count(); ++i) {
    pdk::Value object = objects.at(i);
    DescribedView view;
    std::istringstream(object.get("frame").asString()) >> view.x >> view.y >> view.width >> view.height;
    view.parent = object.get("parent").asString();
    views[object.get("id").asString()] = view;
  }
  return views;
}

// The widget's geometry as the view description places the control: left
// and top within the parent (whose height turns the bottom-up frame round),
// width and height.
void expectAtFrame(const std::string& pane, const std::string& id, const json& widget) {
  const auto& views = paneDescriptions().at(pane);
  auto it = views.find(id);
  if (it == views.end() || it->second.parent.empty() || it->second.parent.find('#') != std::string::npos) return;
  auto parent = views.find(it->second.parent);
  if (parent == views.end()) return;
  const DescribedView& v = it->second;
  json expected = {std::lround(v.x), std::lround(parent->second.height - v.y - v.height), std::lround(v.width),
                   std::lround(v.height)};
  EXPECT_EQ(widget["frame"], expected) << pane << "." << id;
}

void expectValue(const std::string& name, const json& control, const json& widget) {
  const std::string kind = control["kind"];
  if (kind == "popup") {
    EXPECT_EQ(widget["title"], control["title"]) << name;
    EXPECT_EQ(widget["selected"], control["selected"]) << name;
    ASSERT_EQ(widget["items"].size(), control["items"].size()) << name;
    for (size_t i = 0; i < control["items"].size(); ++i) {
      EXPECT_EQ(widget["items"][i]["title"], control["items"][i]["title"]) << name;
      // A menu may enable every item itself; an item the model enables is
      // never greyed out.
      if (control["items"][i]["enabled"] == true) {
        EXPECT_EQ(widget["items"][i]["enabled"], true) << name << " " << i;
      }
    }
  } else if (kind == "checkbox" || kind == "button" || kind == "radio") {
    EXPECT_EQ(widget["title"], control["title"]) << name;
    if (kind != "button") {
      EXPECT_EQ(widget["state"], control["state"]) << name;
    }
  } else if (kind == "statictext") {
    EXPECT_EQ(widget["title"], control["title"]) << name;
    EXPECT_EQ(widget["color"], control["textColor"] == "gray" ? "#808080" : "#000000") << name;
  } else if (kind == "textfield") {
    EXPECT_EQ(widget["text"], control["text"]) << name;  // a secure field's mask
    EXPECT_EQ(widget["secure"], control.contains("secure")) << name;
  } else if (kind == "radiogroup") {
    EXPECT_EQ(widget["rows"], control["rows"]) << name;
    EXPECT_EQ(widget["columns"], control["columns"]) << name;
    EXPECT_EQ(widget["selectedRow"], control["selectedRow"]) << name;
    EXPECT_EQ(widget["selectedColumn"], control["selectedColumn"]) << name;
    ASSERT_EQ(widget["cells"].size(), control["cells"].size()) << name;
    for (size_t i = 0; i < control["cells"].size(); ++i) {
      EXPECT_EQ(widget["cells"][i]["title"], control["cells"][i]["title"]) << name;
      EXPECT_EQ(widget["cells"][i]["enabled"], control["cells"][i]["enabled"]) << name;
    }
  } else if (kind == "table") {
    EXPECT_EQ(widget["selectedRow"], control["selectedRow"]) << name;
    ASSERT_EQ(widget["columns"].size(), control["columns"].size()) << name;
    for (size_t c = 0; c < control["columns"].size(); ++c)
      EXPECT_EQ(widget["columns"][c]["title"], control["columns"][c]["title"]) << name;
    ASSERT_EQ(widget["rows"].size(), control["rows"].size()) << name;
    for (size_t r = 0; r < control["rows"].size(); ++r)
      for (const json& column : control["columns"]) {
        const std::string id = column["identifier"];
        const json& value = control["rows"][r][id];
        if (column["kind"] == "image") {
          EXPECT_EQ(widget["rows"][r][id], !value.is_null()) << name << " " << id;
        } else if (!value.is_null()) {
          EXPECT_EQ(widget["rows"][r][id], value) << name << " " << id;
        }
      }
  } else if (kind == "tabview") {
    EXPECT_EQ(widget["selected"], control["selected"]) << name;
    ASSERT_EQ(widget["tabs"].size(), control["items"].size()) << name;
    for (size_t i = 0; i < control["items"].size(); ++i) EXPECT_EQ(widget["tabs"][i], control["items"][i]["title"]);
  } else if (kind == "window" || kind == "box") {
    EXPECT_EQ(widget["title"], control["title"]) << name;
  } else if (kind == "image") {
    EXPECT_EQ(widget["image"] != "none", !control["image"].is_null()) << name;
  }
}

}  // namespace

const std::map<std::string, std::map<std::string, DescribedView>>& paneDescriptions() {
  static const std::map<std::string, std::map<std::string, DescribedView>> panes = {
      {"color", readDescription(std::string(TLQ_SOURCE_DIR) + "/resources/colorpane/PDEMain.plist")},
      {"security", readDescription(std::string(TLQ_SOURCE_DIR) + "/resources/securitypane/SecurityPDE.plist")},
      {"fixture", readDescription(std::string(TLQ_SOURCE_DIR) + "/tests/host/fixturepane/Resources/FixturePane.plist")},
  };
  return panes;
}

void expectWidgetsMatchModel(const json& state, const json& widgets) {
  ASSERT_TRUE(state.is_object());
  ASSERT_TRUE(widgets.is_object());
  for (const auto& [pane, controls] : state.items()) {
    ASSERT_TRUE(widgets["panes"].contains(pane)) << pane;
    for (const auto& [id, control] : controls.items()) {
      if (!control.is_object() || !control.contains("kind")) continue;  // pane-level entries
      const json& widget = widgets["panes"][pane][id];
      if (widget["widget"].is_null()) continue;  // not in the dialog now
      const std::string name = pane + "." + id;
      if (control.contains("enabled")) {
        EXPECT_EQ(widget["sensitive"], control["enabled"]) << name;
      }
      bool shown = control["kind"] == "window" ? control["open"] == true : control["hidden"] == false;
      EXPECT_EQ(widget["visible"], shown) << name;
      expectValue(name, control, widget);
      if (widget["mapped"] == true && control["kind"] != "window") expectAtFrame(pane, id, widget);
    }
  }
}

std::set<std::string> controlsOnScreen(const json& widgets, const std::string& pane) {
  std::set<std::string> names;
  for (const auto& [id, widget] : widgets["panes"][pane].items())
    if (widget["mapped"] == true) names.insert(id);
  return names;
}

}  // namespace gtktest
