#include "pdk/view_description.h"

#include <sstream>

#include "pdk/plist.h"

namespace pdk {

namespace {

ObjectRef makeToolkitObject(const std::string& cls, const Value& spec) {
  if (cls == "NSView") return std::make_shared<View>();
  if (cls == "NSPopUpButton") return std::make_shared<PopUpButton>();
  if (cls == "NSTabView") return std::make_shared<TabView>();
  if (cls == "NSTextField") return std::make_shared<TextField>(spec.get("editable").asBool());
  if (cls == "NSButton") {
    const std::string& type = spec.get("buttonType").asString();
    Button::Style style = type == "checkbox" ? Button::Style::CheckBox
                          : type == "radio"  ? Button::Style::Radio
                                             : Button::Style::Push;
    return std::make_shared<Button>(style);
  }
  return nullptr;
}

bool parseFrame(const std::string& text, Rect& r) {
  std::istringstream in(text);
  return static_cast<bool>(in >> r.x >> r.y >> r.width >> r.height);
}

void applyProperties(const ObjectRef& obj, const Value& spec) {
  auto* view = dynamic_cast<View*>(obj.get());
  if (!view) return;
  Rect frame;
  if (parseFrame(spec.get("frame").asString(), frame)) {
    view->setFrame(frame);
    view->setBounds(Rect{0, 0, frame.width, frame.height});
  }
  if (spec.get("hidden").asBool()) view->setHidden(true);
  if (auto* control = dynamic_cast<Control*>(view)) {
    if (spec.contains("title")) control->setTitle(spec.get("title").asString());
    if (spec.contains("enabled")) control->setEnabled(spec.get("enabled").asBool(true));
    control->tag = static_cast<int>(spec.get("tag").asInteger());
  }
  if (auto* text = dynamic_cast<TextField*>(view)) text->setStringValue(spec.get("text").asString());
  if (auto* button = dynamic_cast<Button*>(view)) button->setState(static_cast<int>(spec.get("state").asInteger()));
  if (auto* popup = dynamic_cast<PopUpButton*>(view)) {
    Value items = spec.get("items");
    for (size_t i = 0; i < items.count(); ++i) popup->addItemWithTitle(items.at(i).asString());
  }
  if (auto* tabs = dynamic_cast<TabView*>(view)) {
    Value labels = spec.get("tabs");
    for (size_t i = 0; i < labels.count(); ++i) tabs->addTab(labels.at(i).asString());
  }
}

}  // namespace

ViewDescriptionResult loadViewDescription(const std::string& path, NibObject* owner,
                                          const ObjectFactory& factory) {
  ViewDescriptionResult result;
  Value root = readPlistFile(path);
  if (!root.isDictionary()) {
    result.error = "cannot read view description " + path;
    return result;
  }
  Value objects = root.get("objects");
  auto nibOf = [&](const std::string& id) -> NibObject* {
    if (id == "owner") return owner;
    auto it = result.byId.find(id);
    return it == result.byId.end() ? nullptr : dynamic_cast<NibObject*>(it->second.get());
  };

  // 1. Create every object.
  for (size_t i = 0; i < objects.count(); ++i) {
    Value spec = objects.at(i);
    std::string cls = spec.get("class").asString();
    std::string id = spec.get("id").asString();
    if (id.empty() || id == "owner" || result.byId.count(id)) {
      result.error = "object " + std::to_string(i) + " has a missing or duplicate id";
      return result;
    }
    ObjectRef obj = makeToolkitObject(cls, spec);
    if (!obj && factory) obj = factory(cls);
    if (!obj) {
      result.error = "unknown class " + cls + " for object " + id;
      return result;
    }
    applyProperties(obj, spec);
    if (auto* view = dynamic_cast<View*>(obj.get())) view->identifier = id;
    result.byId[id] = obj;
    result.objects.push_back(obj);
  }

  // 2. Build the view hierarchy: "parent" names a view, or "TABVIEW#N" the
  //    N-th tab of a tab view.
  for (size_t i = 0; i < objects.count(); ++i) {
    Value spec = objects.at(i);
    std::string parent = spec.get("parent").asString();
    if (parent.empty()) continue;
    auto view = std::dynamic_pointer_cast<View>(result.byId[spec.get("id").asString()]);
    std::string parentId = parent.substr(0, parent.find('#'));
    auto it = result.byId.find(parentId);
    if (!view || it == result.byId.end()) {
      result.error = "bad parent " + parent + " of " + spec.get("id").asString();
      return result;
    }
    if (parent.find('#') != std::string::npos) {
      auto tabs = std::dynamic_pointer_cast<TabView>(it->second);
      int index = std::atoi(parent.c_str() + parent.find('#') + 1);
      if (!tabs || index < 0 || index >= tabs->numberOfTabViewItems()) {
        result.error = "bad tab parent " + parent;
        return result;
      }
      if (tabs->isDescendantOf(view.get())) {
        result.error = "parent " + parent + " of " + spec.get("id").asString() + " makes a cycle";
        return result;
      }
      tabs->setTabView(index, view);
    } else if (auto parentView = std::dynamic_pointer_cast<View>(it->second)) {
      if (parentView->isDescendantOf(view.get())) {
        result.error = "parent " + parent + " of " + spec.get("id").asString() + " makes a cycle";
        return result;
      }
      parentView->addSubview(view);
    } else {
      result.error = "parent " + parent + " is not a view";
      return result;
    }
  }

  // 3. Actions: "action" is a selector sent to "target" (default: owner).
  for (size_t i = 0; i < objects.count(); ++i) {
    Value spec = objects.at(i);
    std::string selector = spec.get("action").asString();
    if (selector.empty()) continue;
    std::string targetId = spec.get("target").asString();
    if (targetId.empty()) targetId = "owner";
    NibObject* target = nibOf(targetId);
    Action action = target ? target->actionNamed(selector) : Action();
    auto control = std::dynamic_pointer_cast<Control>(result.byId[spec.get("id").asString()]);
    auto tabs = std::dynamic_pointer_cast<TabView>(result.byId[spec.get("id").asString()]);
    if (!action || (!control && !tabs)) {
      result.error = "no action " + selector + " on " + targetId;
      return result;
    }
    if (control) control->setAction(action);
    if (tabs) tabs->onSelect = action;
  }

  // 4. Outlet connections.
  Value connections = root.get("connections");
  for (size_t i = 0; i < connections.count(); ++i) {
    Value c = connections.at(i);
    std::string source = c.get("source").asString();
    std::string name = c.get("outlet").asString();
    std::string destination = c.get("destination").asString();
    NibObject* src = nibOf(source);
    auto dst = result.byId.find(destination);
    if (!src || dst == result.byId.end() || !src->setOutlet(name, dst->second)) {
      result.error = "cannot connect " + source + "." + name + " to " + destination;
      return result;
    }
  }

  for (auto& obj : result.objects)
    if (auto* nib = dynamic_cast<NibObject*>(obj.get())) nib->awakeFromNib();
  result.ok = true;
  return result;
}

}  // namespace pdk
