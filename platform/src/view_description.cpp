#include "pdk/view_description.h"

#include <sstream>

#include "pdk/plist.h"

namespace pdk {

namespace {

// Limit on a matrix's rows and columns, so a broken file cannot ask for
// millions of cells.
constexpr int64_t kMaxMatrixSide = 256;

ObjectRef makeToolkitObject(const std::string& cls, const Value& spec) {
  if (cls == "NSView") return std::make_shared<View>();
  if (cls == "NSBox") return std::make_shared<Box>();
  if (cls == "NSWindow") return std::make_shared<Window>();
  if (cls == "NSPopUpButton") return std::make_shared<PopUpButton>();
  if (cls == "NSTabView") return std::make_shared<TabView>();
  if (cls == "NSTextField") return std::make_shared<TextField>(spec.get("editable").asBool());
  if (cls == "NSSecureTextField") return std::make_shared<SecureTextField>();
  if (cls == "NSMatrix") return std::make_shared<Matrix>();
  if (cls == "NSTableView") return std::make_shared<TableView>();
  if (cls == "NSImageView") return std::make_shared<ImageView>();
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

// What the properties of one object are read with.
struct LoadContext {
  std::string folder;  // of the description, for relative image paths
  const ObjectFactory& factory;
};

// Give a matrix the cells of `spec`; false with a message when the cells do
// not fill the rows and columns.
bool applyMatrix(Matrix& matrix, const Value& spec, const std::string& id, std::string* error) {
  Value cells = spec.get("cells");
  int64_t count = static_cast<int64_t>(cells.count());
  int64_t rows = spec.get("rows").asInteger(0);
  int64_t columns = spec.get("columns").asInteger(0);
  if (!spec.contains("rows") && !spec.contains("columns")) {
    rows = count;
    columns = 1;
  } else if (!spec.contains("rows") && columns > 0) {
    rows = count / columns;
  } else if (!spec.contains("columns") && rows > 0) {
    columns = count / rows;
  }
  bool shapeOk = rows > 0 && columns > 0 && rows <= kMaxMatrixSide && columns <= kMaxMatrixSide &&
                 (count == 0 || count == rows * columns);
  if (!shapeOk) {
    *error = "radio matrix " + id + ": " + std::to_string(count) + " cells do not fill " + std::to_string(rows) +
             " x " + std::to_string(columns);
    return false;
  }
  matrix.renewRows(static_cast<int>(rows), static_cast<int>(columns));
  for (int64_t i = 0; i < count; ++i) {
    Value c = cells.at(static_cast<size_t>(i));
    Cell* cell = matrix.cellAtRow(static_cast<int>(i / columns), static_cast<int>(i % columns));
    if (c.isDictionary()) {
      cell->setTitle(c.get("title").asString());
      cell->setEnabled(c.get("enabled").asBool(true));
      cell->setTag(static_cast<int>(c.get("tag").asInteger()));
    } else {
      cell->setTitle(c.asString());
    }
  }
  matrix.selectCellAtRow(static_cast<int>(spec.get("selectedRow").asInteger(0)),
                         static_cast<int>(spec.get("selectedColumn").asInteger(0)));
  return true;
}

// Give a table its columns; false with a message on a bad column.
bool applyTable(TableView& table, const Value& spec, const std::string& id, const LoadContext& context,
                std::string* error) {
  Value columns = spec.get("columns");
  for (size_t i = 0; i < columns.count(); ++i) {
    Value c = columns.at(i);
    std::string identifier = c.get("identifier").asString();
    CellKind kind = CellKind::Text;
    if (identifier.empty() || table.tableColumnWithIdentifier(identifier)) {
      *error = "table " + id + ": column " + std::to_string(i) + " has a missing or duplicate identifier";
      return false;
    }
    if (c.contains("kind") && !cellKindFromName(c.get("kind").asString(), &kind)) {
      *error = "table " + id + ": column " + identifier + " has an unknown kind '" + c.get("kind").asString() + "'";
      return false;
    }
    auto column = std::make_shared<TableColumn>(identifier, c.get("title").asString(), kind);
    if (c.contains("width")) column->setWidth(c.get("width").asReal());
    if (c.contains("cellClass")) {
      std::string cls = c.get("cellClass").asString();
      CellRef cell = cls == "NSCell"
                         ? std::make_shared<Cell>()
                         : std::dynamic_pointer_cast<Cell>(context.factory ? context.factory(cls) : nullptr);
      if (!cell) {
        *error = "table " + id + ": column " + identifier + " has an unknown cell class " + cls;
        return false;
      }
      column->setDataCell(cell);
    }
    table.addTableColumn(column);
  }
  if (spec.contains("allowsEmptySelection")) table.allowsEmptySelection = spec.get("allowsEmptySelection").asBool(true);
  return true;
}

// Set the properties of `spec` on `obj`; false with a message on a bad value.
bool applyProperties(const ObjectRef& obj, const Value& spec, const LoadContext& context, std::string* error) {
  auto* view = dynamic_cast<View*>(obj.get());
  if (!view) return true;
  const std::string id = spec.get("id").asString();
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
  if (auto* window = dynamic_cast<Window*>(view)) window->setTitle(spec.get("title").asString());
  if (auto* box = dynamic_cast<Box*>(view)) box->setTitle(spec.get("title").asString());
  if (auto* text = dynamic_cast<TextField*>(view)) {
    if (spec.contains("editable") && !text->isSecure()) text->setEditable(spec.get("editable").asBool());
    text->setStringValue(spec.get("text").asString());
    if (spec.contains("textColor")) {
      TextColor color;
      if (!textColorFromName(spec.get("textColor").asString(), &color)) {
        *error = "text field " + id + " has an unknown text colour '" + spec.get("textColor").asString() + "'";
        return false;
      }
      text->setTextColor(color);
    }
  }
  if (auto* button = dynamic_cast<Button*>(view)) button->setState(static_cast<int>(spec.get("state").asInteger()));
  if (auto* popup = dynamic_cast<PopUpButton*>(view)) {
    Value items = spec.get("items");
    for (size_t i = 0; i < items.count(); ++i) popup->addItemWithTitle(items.at(i).asString());
  }
  if (auto* tabs = dynamic_cast<TabView*>(view)) {
    Value labels = spec.get("tabs");
    for (size_t i = 0; i < labels.count(); ++i) tabs->addTab(labels.at(i).asString());
  }
  if (auto* matrix = dynamic_cast<Matrix*>(view); matrix && !applyMatrix(*matrix, spec, id, error)) return false;
  if (auto* table = dynamic_cast<TableView*>(view); table && !applyTable(*table, spec, id, context, error))
    return false;
  if (auto* imageView = dynamic_cast<ImageView*>(view); imageView && spec.contains("image")) {
    std::string path = spec.get("image").asString();
    if (!path.empty() && path[0] != '/') path = context.folder + "/" + path;
    ImageRef image = Image::imageWithContentsOfFile(path);
    if (!image) {
      *error = "image view " + id + ": cannot read image " + path;
      return false;
    }
    imageView->setImage(image);
  }
  return true;
}

// Connect a toolkit object's "dataSource" or "delegate" outlet to `target`
// (the owner or a loaded object); false when the source has no such outlet
// or the target does not answer its protocol.
template <class Target>
bool connectToolkitOutlet(Object* source, const std::string& name, Target* target) {
  if (auto* table = dynamic_cast<TableView*>(source)) {
    if (name == "dataSource") {
      auto* dataSource = dynamic_cast<TableViewDataSource*>(target);
      if (dataSource) table->setDataSource(dataSource);
      return dataSource != nullptr;
    }
    if (name == "delegate") {
      auto* delegate = dynamic_cast<TableViewDelegate*>(target);
      if (delegate) table->setDelegate(delegate);
      return delegate != nullptr;
    }
  }
  if (auto* text = dynamic_cast<TextField*>(source); text && name == "delegate") {
    text->delegate = dynamic_cast<TextFieldDelegate*>(target);
    return text->delegate != nullptr;
  }
  if (auto* window = dynamic_cast<Window*>(source); window && name == "delegate") {
    window->delegate = dynamic_cast<WindowDelegate*>(target);
    return window->delegate != nullptr;
  }
  return false;
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
  const LoadContext context{path.find('/') == std::string::npos ? "." : path.substr(0, path.find_last_of('/')),
                            factory};
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
    if (!applyProperties(obj, spec, context, &result.error)) return result;
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
    if (dynamic_cast<Window*>(view.get())) {
      result.error = "window " + spec.get("id").asString() + " cannot have a parent";
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
    auto toolkitSource = result.byId.find(source);
    bool connected = false;
    if (src && dst != result.byId.end()) connected = src->setOutlet(name, dst->second);
    if (!connected && toolkitSource != result.byId.end()) {
      // A table's data source or delegate, a field's or window's delegate.
      Object* from = toolkitSource->second.get();
      if (destination == "owner") connected = owner && connectToolkitOutlet(from, name, owner);
      else if (dst != result.byId.end()) connected = connectToolkitOutlet(from, name, dst->second.get());
    }
    if (!connected) {
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
