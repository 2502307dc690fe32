// View descriptions: objects created from a file, placed in their parents
// (tab items included), actions sent to the owner or another object, and
// outlets bound by name through static outlet tables; broken files refused
// with a message.
#include "pdk/view_description.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pdk/plist.h"
#include "temp_dir.h"

namespace {

using pdk::Value;
using pdktest::TempDir;

// A controller the file creates through the factory; it has an outlet and
// an action of its own.
class Helper : public pdk::Object, public pdk::NibObject {
 public:
  const char* className() const override { return "ZNHelper"; }
  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override {
    if (selector != "helperAction:") return {};
    return [this](pdk::Control* sender) { senders.push_back(sender); };
  }
  void awakeFromNib() override { ++awakened; }

  std::shared_ptr<pdk::TextField> text_Status;
  std::vector<pdk::Control*> senders;
  int awakened = 0;
};

const pdk::OutletBinding<Helper> kHelperOutlets[] = {
    pdk::outlet("text_Status", &Helper::text_Status),
};

bool Helper::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kHelperOutlets, *this, name, value);
}

// The owner of the file, as a pane's panel object is.
class Owner : public pdk::NibObject {
 public:
  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override {
    if (selector == "selectMode:") return [this](pdk::Control* sender) { modeSenders.push_back(sender); };
    if (selector == "switchTab:") return [this](pdk::Control*) { ++tabSwitches; };
    return {};
  }

  std::shared_ptr<pdk::View> view_Main;
  std::shared_ptr<pdk::PopUpButton> menu_Mode;
  std::shared_ptr<pdk::Button> check_Economy;
  std::shared_ptr<pdk::TabView> tab_Pages;
  std::shared_ptr<Helper> helper;
  std::vector<pdk::Control*> modeSenders;
  int tabSwitches = 0;
};

const pdk::OutletBinding<Owner> kOwnerOutlets[] = {
    pdk::outlet("view_Main", &Owner::view_Main),
    pdk::outlet("menu_Mode", &Owner::menu_Mode),
    pdk::outlet("check_Economy", &Owner::check_Economy),
    pdk::outlet("tab_Pages", &Owner::tab_Pages),
    pdk::outlet("helper", &Owner::helper),
};

bool Owner::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOwnerOutlets, *this, name, value);
}

pdk::ObjectRef makeObject(const std::string& cls) {
  if (cls == "ZNHelper") return std::make_shared<Helper>();
  return nullptr;
}

Value object(std::initializer_list<std::pair<const char*, Value>> entries) {
  Value d = Value::dictionary();
  for (auto& [k, v] : entries) d.set(k, v);
  return d;
}

Value strings(std::initializer_list<const char*> items) {
  Value a = Value::array();
  for (const char* s : items) a.append(s);
  return a;
}

Value connection(const char* source, const char* outlet, const char* destination) {
  return object({{"source", source}, {"outlet", outlet}, {"destination", destination}});
}

// A small pane: a main view with a pop-up, a check box, a tab view with a
// static text on its second tab, and a helper controller.
Value sampleDescription() {
  Value objects = Value::array();
  objects.append(object({{"id", "main"}, {"class", "NSView"}, {"frame", "0 0 400 300"}}));
  objects.append(object({{"id", "mode"},
                         {"class", "NSPopUpButton"},
                         {"parent", "main"},
                         {"frame", "20 250 150 26"},
                         {"items", strings({"Auto", "Vivid", "Photo"})},
                         {"action", "selectMode:"},
                         {"tag", 7}}));
  objects.append(object({{"id", "economy"},
                         {"class", "NSButton"},
                         {"buttonType", "checkbox"},
                         {"parent", "main"},
                         {"title", "Toner Save"},
                         {"state", 1},
                         {"enabled", false},
                         {"action", "helperAction:"},
                         {"target", "helper"}}));
  objects.append(object({{"id", "pages"},
                         {"class", "NSTabView"},
                         {"parent", "main"},
                         {"tabs", strings({"Basic", "Advanced"})},
                         {"action", "switchTab:"}}));
  objects.append(object({{"id", "basicPage"}, {"class", "NSView"}, {"parent", "pages#0"}}));
  objects.append(object({{"id", "advancedPage"}, {"class", "NSView"}, {"parent", "pages#1"}}));
  objects.append(object({{"id", "status"},
                         {"class", "NSTextField"},
                         {"parent", "advancedPage"},
                         {"text", "Ready"},
                         {"hidden", true}}));
  objects.append(object({{"id", "helper"}, {"class", "ZNHelper"}}));

  Value connections = Value::array();
  connections.append(connection("owner", "view_Main", "main"));
  connections.append(connection("owner", "menu_Mode", "mode"));
  connections.append(connection("owner", "check_Economy", "economy"));
  connections.append(connection("owner", "tab_Pages", "pages"));
  connections.append(connection("owner", "helper", "helper"));
  connections.append(connection("helper", "text_Status", "status"));

  Value root = Value::dictionary();
  root.set("objects", objects);
  root.set("connections", connections);
  return root;
}

class ViewDescriptionTest : public ::testing::Test {
 protected:
  pdk::ViewDescriptionResult load(const Value& description, pdk::NibObject* owner) {
    std::string path = dir_.file("View.plist");
    EXPECT_TRUE(pdk::writePlistFile(path, description));
    return pdk::loadViewDescription(path, owner, makeObject);
  }

  TempDir dir_;
  Owner owner_;
};

TEST_F(ViewDescriptionTest, LoadsObjectsHierarchyOutletsAndActions) {
  auto result = load(sampleDescription(), &owner_);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.objects.size(), 8u);
  EXPECT_EQ(result.byId.size(), 8u);

  // Outlets of the owner are bound to the created objects.
  ASSERT_TRUE(owner_.view_Main && owner_.menu_Mode && owner_.check_Economy && owner_.tab_Pages && owner_.helper);
  EXPECT_EQ(owner_.menu_Mode, result.byId["mode"]);
  EXPECT_EQ(owner_.helper->text_Status, result.byId["status"]);
  EXPECT_EQ(owner_.helper->awakened, 1);

  // Properties from the file.
  auto& mode = *owner_.menu_Mode;
  EXPECT_EQ(mode.numberOfItems(), 3);
  EXPECT_EQ(mode.indexOfSelectedItem(), 0);
  EXPECT_EQ(mode.titleOfSelectedItem(), "Auto");
  EXPECT_EQ(mode.tag, 7);
  EXPECT_EQ(mode.frame().x, 20);
  EXPECT_EQ(mode.frame().width, 150);
  EXPECT_EQ(mode.bounds().height, 26);
  EXPECT_EQ(mode.identifier, "mode");
  auto& economy = *owner_.check_Economy;
  EXPECT_EQ(economy.style(), pdk::Button::Style::CheckBox);
  EXPECT_STREQ(economy.kind(), "checkbox");
  EXPECT_EQ(economy.title(), "Toner Save");
  EXPECT_EQ(economy.state(), 1);
  EXPECT_FALSE(economy.isEnabled());
  EXPECT_EQ(owner_.helper->text_Status->stringValue(), "Ready");
  EXPECT_TRUE(owner_.helper->text_Status->isHidden());

  // Hierarchy: tab items hold their pages, only the selected one shows.
  auto& main = *owner_.view_Main;
  EXPECT_EQ(main.subviews().size(), 3u);
  EXPECT_EQ(mode.superview(), &main);
  auto& pages = *owner_.tab_Pages;
  ASSERT_EQ(pages.numberOfTabViewItems(), 2);
  EXPECT_EQ(pages.tabs()[1].label, "Advanced");
  EXPECT_EQ(pages.tabs()[0].view, result.byId["basicPage"]);
  EXPECT_EQ(pages.tabs()[1].view, result.byId["advancedPage"]);
  EXPECT_FALSE(pages.tabs()[0].view->isHidden());
  EXPECT_TRUE(pages.tabs()[1].view->isHidden());
  EXPECT_TRUE(owner_.helper->text_Status->isDescendantOf(&main));

  // Actions reach the owner, or the object named as target, with the sender.
  mode.sendAction();
  ASSERT_EQ(owner_.modeSenders.size(), 1u);
  EXPECT_EQ(owner_.modeSenders[0], &mode);
  economy.sendAction();
  ASSERT_EQ(owner_.helper->senders.size(), 1u);
  EXPECT_EQ(owner_.helper->senders[0], &economy);
  EXPECT_EQ(owner_.modeSenders.size(), 1u);  // the check box did not reach the owner
  ASSERT_TRUE(pages.onSelect);
  pages.onSelect(nullptr);
  EXPECT_EQ(owner_.tabSwitches, 1);
}

TEST_F(ViewDescriptionTest, OutletTableBindsByNameAndClass) {
  // An outlet table binding rejects an object of the wrong class but binds
  // a matching one; unknown names are not bound at all.
  auto button = std::make_shared<pdk::Button>();
  auto popup = std::make_shared<pdk::PopUpButton>();
  EXPECT_FALSE(pdk::bindOutlet(kOwnerOutlets, owner_, "menu_Mode", button));
  EXPECT_EQ(owner_.menu_Mode, nullptr);
  EXPECT_TRUE(pdk::bindOutlet(kOwnerOutlets, owner_, "menu_Mode", popup));
  EXPECT_EQ(owner_.menu_Mode, popup);
  EXPECT_TRUE(pdk::bindOutlet(kOwnerOutlets, owner_, "view_Main", popup));  // a pop-up is a view
  EXPECT_FALSE(pdk::bindOutlet(kOwnerOutlets, owner_, "menu_Missing", popup));
  // Binding null clears the outlet.
  EXPECT_TRUE(pdk::bindOutlet(kOwnerOutlets, owner_, "menu_Mode", nullptr));
  EXPECT_EQ(owner_.menu_Mode, nullptr);
}

struct BrokenCase {
  const char* name;
  std::function<void(Value& root)> breakIt;
  const char* errorFragment;
};

// Object `id` of a description.
Value objectWithId(const Value& root, const std::string& id) {
  Value objects = root.get("objects");
  for (size_t i = 0; i < objects.count(); ++i)
    if (objects.at(i).get("id").asString() == id) return objects.at(i);
  return Value();
}

const BrokenCase kBrokenCases[] = {
    {"unknown class", [](Value& r) { objectWithId(r, "mode").set("class", "NSWhatever"); }, "unknown class NSWhatever"},
    {"duplicate id", [](Value& r) { objectWithId(r, "status").set("id", "mode"); }, "duplicate id"},
    {"missing id", [](Value& r) { objectWithId(r, "status").remove("id"); }, "missing or duplicate id"},
    {"id named owner", [](Value& r) { objectWithId(r, "status").set("id", "owner"); }, "duplicate id"},
    {"object not a dictionary", [](Value& r) { r.get("objects").append("text"); }, "missing or duplicate id"},
    {"missing outlet",
     [](Value& r) { r.get("connections").append(connection("owner", "menu_NoSuch", "mode")); },
     "cannot connect owner.menu_NoSuch to mode"},
    {"wrong class for outlet",
     [](Value& r) { r.get("connections").append(connection("owner", "menu_Mode", "economy")); },
     "cannot connect owner.menu_Mode to economy"},
    {"missing destination",
     [](Value& r) { r.get("connections").append(connection("owner", "menu_Mode", "nowhere")); },
     "cannot connect owner.menu_Mode to nowhere"},
    {"source without outlets",
     [](Value& r) { r.get("connections").append(connection("mode", "menu_Mode", "mode")); },
     "cannot connect mode.menu_Mode"},
    {"action the owner lacks", [](Value& r) { objectWithId(r, "mode").set("action", "noSuchAction:"); },
     "no action noSuchAction: on owner"},
    {"action to a missing target", [](Value& r) { objectWithId(r, "economy").set("target", "ghost"); },
     "no action helperAction: on ghost"},
    {"action on a plain view", [](Value& r) { objectWithId(r, "main").set("action", "selectMode:"); },
     "no action selectMode:"},
    {"missing parent", [](Value& r) { objectWithId(r, "mode").set("parent", "nowhere"); }, "bad parent nowhere"},
    {"tab out of range", [](Value& r) { objectWithId(r, "advancedPage").set("parent", "pages#2"); },
     "bad tab parent pages#2"},
    {"tab of a non-tab view", [](Value& r) { objectWithId(r, "advancedPage").set("parent", "main#0"); },
     "bad tab parent main#0"},
    {"parent is not a view", [](Value& r) { objectWithId(r, "mode").set("parent", "helper"); },
     "parent helper is not a view"},
    {"parent of itself", [](Value& r) { objectWithId(r, "main").set("parent", "main"); }, "cycle"},
    {"tab view in its own tab", [](Value& r) { objectWithId(r, "pages").set("parent", "pages#1"); }, "cycle"},
    {"parents in a cycle", [](Value& r) { objectWithId(r, "main").set("parent", "status"); }, "cycle"},
};

TEST_F(ViewDescriptionTest, BrokenDescriptionsAreRefusedWithAMessage) {
  for (const BrokenCase& c : kBrokenCases) {
    SCOPED_TRACE(c.name);
    Value root = sampleDescription();
    c.breakIt(root);
    Owner owner;
    auto result = load(root, &owner);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(c.errorFragment), std::string::npos) << result.error;
  }
}

TEST_F(ViewDescriptionTest, UnreadableFilesAreRefused) {
  const std::pair<const char*, std::string> files[] = {
      {"garbage", "this is not a property list"},
      {"empty", ""},
      {"truncated", pdk::plistToXml(sampleDescription()).substr(0, 300)},
      {"array root", "<plist><array/></plist>"},
  };
  for (auto& [name, content] : files) {
    std::string path = dir_.file(name);
    pdktest::writeFile(path, content);
    auto result = pdk::loadViewDescription(path, &owner_, makeObject);
    EXPECT_FALSE(result.ok) << name;
    EXPECT_NE(result.error.find("cannot read view description"), std::string::npos) << result.error;
  }
  auto missing = pdk::loadViewDescription(dir_.file("absent.plist"), &owner_, makeObject);
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.error.empty());
}

TEST_F(ViewDescriptionTest, WithoutOwnerOrFactory) {
  // Connections to "owner" fail cleanly when there is none.
  auto noOwner = load(sampleDescription(), nullptr);
  EXPECT_FALSE(noOwner.ok);
  EXPECT_FALSE(noOwner.error.empty());
  // A class only the factory knows is unknown without one.
  auto noFactory = pdk::loadViewDescription(dir_.file("View.plist"), &owner_, nullptr);
  EXPECT_FALSE(noFactory.ok);
  EXPECT_NE(noFactory.error.find("unknown class ZNHelper"), std::string::npos) << noFactory.error;
}

// The owner of a management window: its table's data source and delegate.
class WindowOwner : public pdk::NibObject, public pdk::TableViewDataSource, public pdk::TableViewDelegate {
 public:
  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override {
    if (selector == "userType:") return [this](pdk::Control*) { ++userTypeClicks; };
    return {};
  }
  int numberOfRowsInTableView(pdk::TableView*) override { return 2; }
  Value tableView(pdk::TableView*, pdk::TableColumn* column, int row) override {
    return column->identifier() + std::to_string(row);
  }

  std::shared_ptr<pdk::Window> window;
  std::shared_ptr<pdk::Matrix> radio_User;
  std::shared_ptr<pdk::TableView> table;
  std::shared_ptr<pdk::SecureTextField> password;
  std::shared_ptr<pdk::TextField> label;
  std::shared_ptr<pdk::ImageView> icon;
  std::shared_ptr<pdk::Box> group;
  int userTypeClicks = 0;
};

const pdk::OutletBinding<WindowOwner> kWindowOwnerOutlets[] = {
    pdk::outlet("window", &WindowOwner::window), pdk::outlet("radio_User", &WindowOwner::radio_User),
    pdk::outlet("table", &WindowOwner::table),   pdk::outlet("password", &WindowOwner::password),
    pdk::outlet("label", &WindowOwner::label),   pdk::outlet("icon", &WindowOwner::icon),
    pdk::outlet("group", &WindowOwner::group),
};

bool WindowOwner::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kWindowOwnerOutlets, *this, name, value);
}

// A data cell class only the pane knows, and a field delegate object.
class IconCell : public pdk::Cell {
 public:
  const char* className() const override { return "IconCell"; }
};
class FieldHelper : public pdk::Object, public pdk::NibObject, public pdk::TextFieldDelegate {};

pdk::ObjectRef makeWindowObject(const std::string& cls) {
  if (cls == "IconCell") return std::make_shared<IconCell>();
  if (cls == "FieldHelper") return std::make_shared<FieldHelper>();
  return nullptr;
}

Value cell(const char* title, bool enabled, int tag) {
  return object({{"title", title}, {"enabled", enabled}, {"tag", tag}});
}

// A modal window with a radio group, a table, a secure field, a gray label,
// an image and a box.
Value windowDescription() {
  Value cells = Value::array();
  cells.append(cell("Public", true, 1));
  cells.append(cell("Private", false, 2));
  Value columns = Value::array();
  columns.append(object({{"identifier", "icon"}, {"kind", "image"}, {"cellClass", "IconCell"}, {"width", 20.0}}));
  columns.append(object({{"identifier", "filename"}, {"title", "File Name"}}));
  columns.append(object({{"identifier", "inmenu"}, {"title", "Menu"}, {"kind", "checkbox"}}));

  Value objects = Value::array();
  objects.append(object({{"id", "window"}, {"class", "NSWindow"}, {"title", "Profiles"}, {"frame", "0 0 500 400"}}));
  objects.append(object({{"id", "group"}, {"class", "NSBox"}, {"parent", "window"}, {"title", "Edit"}}));
  objects.append(object({{"id", "radio"},
                         {"class", "NSMatrix"},
                         {"parent", "window"},
                         {"cells", cells},
                         {"selectedRow", 1},
                         {"action", "userType:"}}));
  objects.append(object({{"id", "table"}, {"class", "NSTableView"}, {"parent", "window"}, {"columns", columns},
                         {"allowsEmptySelection", false}}));
  objects.append(object({{"id", "password"}, {"class", "NSSecureTextField"}, {"parent", "group"}, {"text", "pw"}}));
  objects.append(object({{"id", "label"}, {"class", "NSTextField"}, {"parent", "group"}, {"text", "Password:"},
                         {"textColor", "gray"}}));
  objects.append(object({{"id", "icon"}, {"class", "NSImageView"}, {"parent", "window"}, {"image", "icon.icns"}}));
  objects.append(object({{"id", "helper"}, {"class", "FieldHelper"}}));

  Value connections = Value::array();
  for (const char* name : {"window", "table", "password", "label", "icon", "group"})
    connections.append(connection("owner", name, name));
  connections.append(connection("owner", "radio_User", "radio"));
  connections.append(connection("table", "dataSource", "owner"));
  connections.append(connection("table", "delegate", "owner"));
  connections.append(connection("password", "delegate", "helper"));

  Value root = Value::dictionary();
  root.set("objects", objects);
  root.set("connections", connections);
  return root;
}

class WindowDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override { pdktest::writeFile(dir_.file("icon.icns"), "icns"); }
  pdk::ViewDescriptionResult load(const Value& description, WindowOwner* owner) {
    std::string path = dir_.file("Window.plist");
    EXPECT_TRUE(pdk::writePlistFile(path, description));
    return pdk::loadViewDescription(path, owner, makeWindowObject);
  }
  TempDir dir_;
};

TEST_F(WindowDescriptionTest, DeclaresAWindowAndItsControls) {
  WindowOwner owner;
  auto result = load(windowDescription(), &owner);
  ASSERT_TRUE(result.ok) << result.error;

  // The window starts closed and holds its content.
  ASSERT_TRUE(owner.window);
  EXPECT_EQ(owner.window->title(), "Profiles");
  EXPECT_FALSE(owner.window->isVisible());
  EXPECT_EQ(owner.window->frame().width, 500);
  EXPECT_EQ(owner.password->window(), owner.window.get());
  EXPECT_EQ(owner.group->title(), "Edit");

  // Radio cells with their titles, enabled states and tags.
  auto& radio = *owner.radio_User;
  EXPECT_EQ(radio.numberOfRows(), 2);
  EXPECT_EQ(radio.numberOfColumns(), 1);
  EXPECT_EQ(radio.selectedRow(), 1);
  EXPECT_EQ(radio.cellAtRow(0, 0)->title(), "Public");
  EXPECT_FALSE(radio.cellAtRow(1, 0)->isEnabled());
  EXPECT_EQ(radio.cellAtRow(1, 0)->tag(), 2);
  EXPECT_TRUE(radio.clickCellAtRow(0, 0));
  EXPECT_EQ(owner.userTypeClicks, 1);

  // The table's columns, its cell class, and the owner as its data source.
  auto& table = *owner.table;
  ASSERT_EQ(table.tableColumns().size(), 3u);
  EXPECT_EQ(table.tableColumns()[1]->title(), "File Name");
  EXPECT_EQ(table.tableColumnWithIdentifier("inmenu")->kind(), pdk::CellKind::CheckBox);
  EXPECT_EQ(table.tableColumnWithIdentifier("filename")->kind(), pdk::CellKind::Text);
  EXPECT_STREQ(table.tableColumnWithIdentifier("icon")->dataCell()->className(), "IconCell");
  EXPECT_EQ(table.tableColumnWithIdentifier("icon")->width(), 20);
  EXPECT_EQ(table.dataSource(), &owner);
  EXPECT_EQ(table.delegate(), &owner);
  EXPECT_FALSE(table.allowsEmptySelection);
  table.reloadData();
  EXPECT_EQ(table.preparedCell(table.tableColumnWithIdentifier("filename"), 1)->objectValue().asString(), "filename1");

  // Fields: secure, coloured, with a delegate.
  EXPECT_TRUE(owner.password->isSecure());
  EXPECT_EQ(owner.password->stringValue(), "pw");
  EXPECT_EQ(owner.password->delegate, dynamic_cast<pdk::TextFieldDelegate*>(result.byId["helper"].get()));
  EXPECT_EQ(owner.label->textColor(), pdk::TextColor::Gray);
  EXPECT_FALSE(owner.label->isEditable());
  ASSERT_TRUE(owner.icon->image());
  EXPECT_EQ(owner.icon->image()->path(), dir_.file("icon.icns"));  // relative to the description
}

TEST_F(WindowDescriptionTest, MatrixShapes) {
  struct Shape {
    const char* name;
    std::vector<std::pair<const char*, int>> keys;
    int cells;
    int rows, columns;  // 0, 0: refused
  } shapes[] = {
      {"cells only: one column", {}, 3, 3, 1},
      {"one row", {{"rows", 1}}, 4, 1, 4},
      {"columns given", {{"columns", 2}}, 4, 2, 2},
      {"both, untitled cells", {{"rows", 2}, {"columns", 3}}, 0, 2, 3},
      {"cells do not fill", {{"rows", 2}, {"columns", 2}}, 3, 0, 0},
      {"no cells at all", {}, 0, 0, 0},
      {"negative", {{"rows", -1}, {"columns", 2}}, 0, 0, 0},
      {"too many", {{"rows", 100000}, {"columns", 100000}}, 0, 0, 0},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    Value root = windowDescription();
    Value radio = objectWithId(root, "radio");
    Value cells = Value::array();
    for (int i = 0; i < shape.cells; ++i) cells.append("cell");
    radio.set("cells", cells);
    radio.set("selectedRow", 0);
    for (auto& [key, value] : shape.keys) radio.set(key, value);
    WindowOwner owner;
    auto result = load(root, &owner);
    if (shape.rows == 0) {
      EXPECT_FALSE(result.ok);
      EXPECT_NE(result.error.find("radio matrix radio"), std::string::npos) << result.error;
      continue;
    }
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(owner.radio_User->numberOfRows(), shape.rows);
    EXPECT_EQ(owner.radio_User->numberOfColumns(), shape.columns);
  }
}

const BrokenCase kBrokenWindowCases[] = {
    {"unknown colour", [](Value& r) { objectWithId(r, "label").set("textColor", "controlTextColor"); },
     "unknown text colour 'controlTextColor'"},
    {"duplicate column",
     [](Value& r) { objectWithId(r, "table").get("columns").append(object({{"identifier", "icon"}})); },
     "missing or duplicate identifier"},
    {"column without identifier",
     [](Value& r) { objectWithId(r, "table").get("columns").append(object({{"title", "x"}})); },
     "missing or duplicate identifier"},
    {"unknown column kind",
     [](Value& r) { objectWithId(r, "table").get("columns").at(1).set("kind", "slider"); },
     "unknown kind 'slider'"},
    {"unknown cell class",
     [](Value& r) { objectWithId(r, "table").get("columns").at(0).set("cellClass", "FieldHelper"); },
     "unknown cell class FieldHelper"},
    {"missing image", [](Value& r) { objectWithId(r, "icon").set("image", "nope.icns"); }, "cannot read image"},
    {"window with a parent", [](Value& r) { objectWithId(r, "window").set("parent", "group"); },
     "window window cannot have a parent"},
    {"data source that is none",
     [](Value& r) { r.get("connections").append(connection("table", "dataSource", "helper")); },
     "cannot connect table.dataSource to helper"},
    {"delegate of a view without one",
     [](Value& r) { r.get("connections").append(connection("group", "delegate", "owner")); },
     "cannot connect group.delegate to owner"},
};

TEST_F(WindowDescriptionTest, BadValuesAreRefusedWithAMessage) {
  for (const BrokenCase& c : kBrokenWindowCases) {
    SCOPED_TRACE(c.name);
    Value root = windowDescription();
    c.breakIt(root);
    WindowOwner owner;
    auto result = load(root, &owner);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(c.errorFragment), std::string::npos) << result.error;
  }
}

}  // namespace
