// The colour pane's profile management window against the real relay and
// service under a temporary root: the window edits the user's three lists
// as a user would, its OK writes them through the relay (read back with
// Python's plistlib) and rebuilds the profile pop-ups, its Cancel writes
// nothing. The last test drives the same window through printdialog.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "colorpane/pde_plugin_interface.h"
#include "pane_fixture.h"
#include "pdk/plist.h"
#include "pdk/system_root.h"
#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"
#include "test_support.h"

namespace integration {
namespace {

using colorpane::ProfileControl;
using profiles::ProfileEntry;
using profiles::ProfileList;

constexpr int RGB = profiles::kListClassRGB;
constexpr int SIM = profiles::kListClassSIM;
constexpr int DST = profiles::kListClassDST;

ProfileEntry entry(const char* file, const char* name, int32_t location, int32_t inMenu, int32_t index = 1) {
  ProfileEntry e{};
  e.IndexOnDevice = index;
  e.InMenu = inMenu;
  e.ProfileClass = 1;
  profiles::setFieldText(e.FileName, file);
  profiles::setFieldText(e.ProfileName, name);
  e.Location = location;
  return e;
}

// One used (or named) slot of a list as plistlib reads the written file.
struct FileSlot {
  int index, inMenu, profileClass, location;
  std::string file, name;
};
struct FileList {
  int iNum = -1;
  std::map<int, FileSlot> slots;  // by slot number
};

// The lists of the file at `path` as Python's plistlib reads them: per class
// the count and every slot that is used or still holds a name.
std::map<std::string, FileList> readWithPlistlib(const std::string& path) {
  static const char* kScript = R"(
import plistlib, sys
root = plistlib.load(open(sys.argv[1], 'rb'))
for c in ('RGB', 'SIM', 'DST'):
    d = root[c]
    print(c, 'iNum', d['iNum'], sep='\t')
    for n in range(500):
        k = lambda f: '%s%04d' % (f, n)
        fields = [d[f][k(f)] for f in ('IndexOnDevice', 'InMenu', 'ProfileClass', 'Location')]
        names = [d[f].get(k(f), '') for f in ('FileName', 'ProfileName')]
        if fields[1] or names[0] or names[1]:
            print(c, n, *fields, *names, sep='\t')
)";
  pdk::TaskResult run = pdk::runTask("/usr/bin/python3", {"-c", kScript, path});
  std::map<std::string, FileList> lists;
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> f;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
    if (f.size() == 3) lists[f[0]].iNum = std::stoi(f[2]);
    if (f.size() == 8)
      lists[f[0]].slots[std::stoi(f[1])] = {std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), f[6],
                                             f[7]};
  }
  return lists;
}

// A slot written for a profile the window added at the disk.
void expectAddedAtDisk(const FileSlot& slot, const std::string& file, const std::string& name, int index) {
  EXPECT_EQ(slot.file, file);
  EXPECT_EQ(slot.name, name);
  EXPECT_EQ(slot.index, index);
  EXPECT_EQ(slot.inMenu, 6);
  EXPECT_EQ(slot.profileClass, 2);
  EXPECT_EQ(slot.location, 4);
}

class ProfileWindowTest : public ::testing::Test {
 protected:
  ProfileWindowTest() : service_(root_, root_.path() + "/run/helper.sock") {}

  void SetUp() override {
    ASSERT_TRUE(service_.ready());
    setenv("TLQ770_ROOT", root_.path().c_str(), 1);
    setenv("TLQ770_HELPER_SOCKET", service_.socketPath().c_str(), 1);
    // The relay and the file-exists icon where the pane looks for them.
    const std::string helper = pdk::systemPath(pdk::kHelperProgram);
    std::filesystem::create_directories(std::filesystem::path(helper).parent_path());
    std::filesystem::create_symlink(binaryPath("TLQ770-1Helper"), helper);
    iconPath_ = pdk::systemPath(colorpane::kFileExistIconPath);
    std::filesystem::create_directories(std::filesystem::path(iconPath_).parent_path());
    std::filesystem::copy_file(panetest::sourcePath("resources/colorpane/fileExistTLQ770-1.icns"), iconPath_);
    colorpane::pluginBundle = panetest::paneBundle();
    ASSERT_TRUE(colorpane::pluginBundle) << "the colorpane bundle is not built";
    listPath_ = root_.listPath(getpwuid(getuid())->pw_name);
  }
  void TearDown() override {
    pdk::Application::shared().setFrontEnd({});
    if (panel_) panel_->terminate();
    unsetenv("TLQ770_ROOT");
    unsetenv("TLQ770_HELPER_SOCKET");
  }

  // Write the user's list as the service would have written it.
  void writeList(std::initializer_list<ProfileEntry> rgb, std::initializer_list<ProfileEntry> sim = {},
                 std::initializer_list<ProfileEntry> dst = {}) {
    pdk::Value file = pdk::Value::dictionary();
    const char* keys[] = {"RGB", "SIM", "DST"};
    const std::initializer_list<ProfileEntry>* sources[] = {&rgb, &sim, &dst};
    for (int cls = 0; cls < 3; ++cls) {
      auto list = std::make_unique<ProfileList>();
      for (const ProfileEntry& e : *sources[cls]) list->entry[list->iNum++] = e;
      file.set(keys[cls], profiles::CreatePropsDictionary(cls, list.get(), nullptr).get(keys[cls]));
    }
    file.set("PlistVersion", pdk::Value(1));
    ASSERT_TRUE(pdk::writePlistFile(listPath_, file));
    profiles::dropProfileListCache();
  }

  // The colour panel of a printer on `uri`, loaded and restored as a dialog does.
  void openPanel(const std::string& uri = "") {
    host_ = std::make_shared<panetest::TestHost>(panetest::mainPPD());
    host_->session.currentPrinter->deviceURI = uri;
    panel_ = std::make_shared<colorpane::PDEPlugInInterface>();
    panel_->initWithCallback(host_);
    std::string ignored;
    panel_->restoreValuesAndReturnError(&ignored);
    ASSERT_TRUE(panel_->profileControl);
  }

  // The user clicks the profile button; `steps` are the user's events in the
  // window's modal session, which ends with a close box when they run out.
  void runWindow(std::vector<std::function<void()>> steps) {
    std::deque<std::function<void()>> events(steps.begin(), steps.end());
    pdk::FrontEnd frontEnd;
    frontEnd.runNextEvent = [&events] {
      if (events.empty()) return false;
      std::function<void()> event = std::move(events.front());
      events.pop_front();
      event();
      return true;
    };
    frontEnd.presentOpenPanel = [this](const pdk::OpenPanel& panel) {
      openPanelFolders_.push_back(panel.directory);
      return browseAnswer_;
    };
    pdk::Application::shared().setFrontEnd(frontEnd);
    pdk::Button& manage = *panel_->onAdvancedView->button_ManageProfile;
    ASSERT_TRUE(manage.isEnabled());
    manage.sendAction();
    pdk::Application::shared().setFrontEnd({});
    EXPECT_FALSE(window().isVisible());
  }

  ProfileControl& pc() { return *panel_->profileControl; }
  // The window's own OK or Cancel, by the name scripts use.
  std::shared_ptr<pdk::Button> windowButton(const std::string& id) {
    for (const pdk::ViewRef& view : panel_->scriptableViews())
      if (view->identifier == id) return std::dynamic_pointer_cast<pdk::Button>(view);
    return nullptr;
  }
  pdk::Window& window() { return *pc()._profileManagementWindow; }
  pdk::TableView& table() { return *pc()._profileTableView; }

  // The user's acts in the window.
  void click(const std::shared_ptr<pdk::Button>& button) {
    ASSERT_TRUE(button && button->isEnabled()) << (button ? button->identifier : "no button");
    button->sendAction();
  }
  void type(const std::shared_ptr<colorpane::ZNTextField>& field, const std::string& text) {
    ASSERT_TRUE(field->beginEditing()) << field->identifier;
    for (char c : text) field->currentEditor()->insertText(std::string(1, c));
    field->endEditing();
  }
  void retype(const std::shared_ptr<colorpane::ZNTextField>& field, const std::string& text) {
    ASSERT_TRUE(field->beginEditing()) << field->identifier;
    field->currentEditor()->selectAll();
    field->currentEditor()->deleteBackward();
    field->endEditing();
    type(field, text);
  }
  void chooseList(int listClass) {
    ASSERT_TRUE(pc()._profileMenu->isEnabled());
    pc()._profileMenu->selectItemAtIndex(listClass);
    pc()._profileMenu->sendAction();
  }
  void toggleInMenu(int row) { ASSERT_TRUE(table().clickCheckBox(table().tableColumnWithIdentifier("inmenu"), row)); }
  // Select `row`, edit it, put `text` into `field` and accept.
  void editRow(int row, const std::shared_ptr<colorpane::ZNTextField>& field, const std::string& text) {
    table().clickRow(row);
    click(pc()._editButton);
    retype(field, text);
    click(pc()._localOK);
  }
  // Add a profile at the disk as the user does.
  void add(const std::string& file, const std::string& name) {
    click(pc()._addButton);
    type(pc()._fileNameEdit, file);
    type(pc()._profileNameEdit, name);
    click(pc()._localOK);
  }

  // What the table shows in `column` at `row`.
  std::string cellText(const char* column, int row) {
    return table().preparedCell(table().tableColumnWithIdentifier(column), row)->objectValue().asString();
  }
  std::string iconAt(int row) {
    pdk::Cell* cell = table().preparedCell(table().tableColumnWithIdentifier("icon"), row);
    return cell && cell->image() ? cell->image()->path() : "";
  }
  std::vector<std::string> fileNames() {
    std::vector<std::string> names;
    for (int r = 0; r < table().numberOfRows(); ++r) names.push_back(cellText("filename", r));
    return names;
  }

  TempRoot root_;
  HelperService service_;
  std::string listPath_, iconPath_;
  std::shared_ptr<panetest::TestHost> host_;
  std::shared_ptr<colorpane::PDEPlugInInterface> panel_;
  std::optional<std::string> browseAnswer_;
  std::vector<std::string> openPanelFolders_;
};

TEST_F(ProfileWindowTest, CheckBoxTogglesInMenuPairsAndOKWritesThem) {
  writeList({entry("A.icc", "Walked", 4, 4), entry("B.icc", "Printer", 5, 3), entry("C.icc", "Mine", 4, 6, 500)});
  openPanel("lpd://192.0.2.20:515/queue");
  runWindow({[&] {
    EXPECT_EQ(window().title(), "Manage Profiles");
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"A.icc", "B.icc", "C.icc"}));
    EXPECT_EQ(cellText("location", 1), "Card");
    // A profile the walk found shows the file-exists icon, in the menus or not.
    EXPECT_EQ(iconAt(0), iconPath_);
    EXPECT_EQ(iconAt(1), "");
    toggleInMenu(0);
    EXPECT_EQ(pc().workingList(RGB).entry[0].InMenu, 2);
    EXPECT_EQ(iconAt(0), iconPath_);
    toggleInMenu(0);
    EXPECT_EQ(pc().workingList(RGB).entry[0].InMenu, 4);
    toggleInMenu(0);
    toggleInMenu(1);
    toggleInMenu(2);
    click(windowButton("_windowOK"));
  }});
  auto file = readWithPlistlib(listPath_);
  EXPECT_EQ(file["RGB"].iNum, 3);
  EXPECT_EQ(file["RGB"].slots[0].inMenu, 2);
  EXPECT_EQ(file["RGB"].slots[1].inMenu, 1);
  EXPECT_EQ(file["RGB"].slots[2].inMenu, 5);
  // None of them is in the menus any more: the pop-ups hold the PPD's choices only.
  const size_t ppdChoices = panel_->onAdvancedView->getControlData()[0].choices->size();
  EXPECT_EQ(panel_->onAdvancedView->menu_iRGBSource->numberOfItems(), static_cast<int>(ppdChoices));
}

TEST_F(ProfileWindowTest, PrinterProfilesAreEditedByNameOnlyAndWalkedOnesNotDeleted) {
  writeList({entry("WALK.icc", "Walked", 4, 2), entry("PRN.icc", "Printer", 5, 3), entry("MINE.icc", "Mine", 4, 6, 502)});
  openPanel();
  runWindow({[&] {
    // A profile the latest walk found can be edited but not deleted.
    table().clickRow(0);
    EXPECT_TRUE(pc()._editButton->isEnabled());
    EXPECT_FALSE(pc()._deleteButton->isEnabled());
    EXPECT_EQ(pc()._fileNameEdit->stringValue(), "WALK.icc");

    // A printer profile: only its profile name can change.
    table().clickRow(1);
    EXPECT_TRUE(pc()._deleteButton->isEnabled());
    click(pc()._editButton);
    EXPECT_FALSE(pc()._fileNameEdit->isEnabled());
    EXPECT_FALSE(pc()._locationMenu->isEnabled());
    EXPECT_FALSE(pc()._browse->isEnabled());
    EXPECT_TRUE(pc()._profileNameEdit->isEnabled());
    EXPECT_FALSE(pc()._profileMenu->isEnabled());
    // The selection cannot change while an edit is open.
    EXPECT_FALSE(table().clickRow(2));
    retype(pc()._profileNameEdit, "Renamed");
    click(pc()._localOK);
    EXPECT_EQ(pc().editMode(), colorpane::kEditNone);

    // A registered profile: file name and location change too.
    editRow(2, pc()._fileNameEdit, "MINE2.icc");
    click(windowButton("_windowOK"));
  }});
  auto rgb = readWithPlistlib(listPath_)["RGB"];
  EXPECT_EQ(rgb.slots[1].file, "PRN.icc");
  EXPECT_EQ(rgb.slots[1].name, "Renamed");
  EXPECT_EQ(rgb.slots[1].location, 5);
  EXPECT_EQ(rgb.slots[2].file, "MINE2.icc");
  EXPECT_EQ(rgb.slots[2].name, "Mine");
  EXPECT_EQ(rgb.slots[2].index, 502);
}

TEST_F(ProfileWindowTest, EditingARegisteredCardProfileKeepsItOnTheCard) {
  // A walk's reset can leave a registered profile on the memory card; the
  // location menu offers the disk only.
  writeList({entry("CARD.icc", "On card", 5, 6, 7)});
  openPanel();
  runWindow({[&] {
    editRow(0, pc()._profileNameEdit, "Still on card");
    click(windowButton("_windowOK"));
  }});
  auto rgb = readWithPlistlib(listPath_)["RGB"];
  EXPECT_EQ(rgb.slots[0].name, "Still on card");
  EXPECT_EQ(rgb.slots[0].location, 5);
}

TEST_F(ProfileWindowTest, DeleteShiftsTheRowsUpAndClearsTheFreedSlot) {
  writeList({entry("A.icc", "a", 4, 6), entry("B.icc", "b", 4, 6), entry("C.icc", "c", 4, 6)});
  openPanel();
  runWindow({[&] {
    table().clickRow(1);
    click(pc()._deleteButton);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"A.icc", "C.icc"}));
    EXPECT_EQ(table().selectedRow(), -1);
    EXPECT_FALSE(pc()._deleteButton->isEnabled());
    const ProfileList& rgb = pc().workingList(RGB);
    EXPECT_EQ(rgb.iNum, 2);
    EXPECT_EQ(rgb.entry[2].InMenu, 0);
    EXPECT_EQ(rgb.entry[2].FileName[0], '\0');
    // Not a printer without walk: nothing is remembered for a merge.
    EXPECT_EQ(pc().deletedList(RGB).iNum, 0);
    click(windowButton("_windowOK"));
  }});
  auto rgb = readWithPlistlib(listPath_)["RGB"];
  EXPECT_EQ(rgb.iNum, 2);
  ASSERT_EQ(rgb.slots.size(), 2u);  // the freed slot keeps no names in the file
  EXPECT_EQ(rgb.slots[1].file, "C.icc");
}

TEST_F(ProfileWindowTest, UsbPrinterDeletionsSurviveTheMergeOfTheOK) {
  // WALK was found by a walk on another connection: hidden here, kept by
  // the merge. SHOWN (4) reads as a registered profile.
  writeList({entry("WALK.icc", "hidden", 4, 2), entry("SHOWN.icc", "shown", 4, 4), entry("MINE.icc", "mine", 4, 6)},
            {entry("SIM.icc", "sim", 4, 4)});
  openPanel("usb://Quorlin/TLQ770-1?serial=42");
  runWindow({[&] {
    EXPECT_EQ(pc().protocol(), colorpane::kProtocolUSB);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"SHOWN.icc", "MINE.icc"}));
    EXPECT_EQ(pc().workingList(RGB).entry[0].InMenu, 6);
    EXPECT_EQ(iconAt(0), "");  // no walks, no icons
    table().clickRow(0);
    click(pc()._deleteButton);
    EXPECT_EQ(pc().deletedList(RGB).iNum, 1);
    // Renaming a profile remembers its old form too.
    chooseList(SIM);
    editRow(0, pc()._profileNameEdit, "renamed");
    EXPECT_EQ(pc().deletedList(SIM).iNum, 1);
    click(windowButton("_windowOK"));
  }});
  auto file = readWithPlistlib(listPath_);
  ASSERT_EQ(file["RGB"].iNum, 2);
  EXPECT_EQ(file["RGB"].slots[0].file, "WALK.icc");
  EXPECT_EQ(file["RGB"].slots[0].inMenu, 2);
  EXPECT_EQ(file["RGB"].slots[1].file, "MINE.icc");
  ASSERT_EQ(file["SIM"].iNum, 1);
  EXPECT_EQ(file["SIM"].slots[0].name, "renamed");
  EXPECT_EQ(file["SIM"].slots[0].inMenu, 6);
}

TEST_F(ProfileWindowTest, DuplicatesAreRefusedByExactFileNameAndLocation) {
  writeList({entry("A.icc", "a", 4, 6)});
  openPanel();
  runWindow({[&] {
    click(pc()._addButton);
    type(pc()._fileNameEdit, "A.icc");
    type(pc()._profileNameEdit, "again");
    click(pc()._localOK);
    // Refused: the edit stays open and the list unchanged.
    EXPECT_EQ(pc().editMode(), colorpane::kEditAdding);
    EXPECT_EQ(pc().workingList(RGB).iNum, 1);
    retype(pc()._fileNameEdit, "a.icc");
    click(pc()._localOK);
    EXPECT_EQ(pc().editMode(), colorpane::kEditNone);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"A.icc", "a.icc"}));
    // A name beginning with a dot is no file name.
    click(pc()._addButton);
    type(pc()._fileNameEdit, ".icc");
    EXPECT_FALSE(pc()._localOK->isEnabled());
    click(pc()._localCancel);
    EXPECT_EQ(pc().workingList(RGB).iNum, 2);
    click(windowButton("_windowOK"));
  }});
  EXPECT_EQ(readWithPlistlib(listPath_)["RGB"].slots[1].file, "a.icc");
}

TEST_F(ProfileWindowTest, FirstEntriesOfEmptyListsGoToSlotZero) {
  openPanel();  // no list file yet
  runWindow({[&] {
    EXPECT_EQ(table().numberOfRows(), 0);
    add("FIRST.ICC", "First");
    chooseList(DST);
    add("DEST.ICC", "Dest");
    click(windowButton("_windowOK"));
  }});
  auto file = readWithPlistlib(listPath_);
  ASSERT_EQ(file["RGB"].iNum, 1);
  expectAddedAtDisk(file["RGB"].slots[0], "FIRST.ICC", "First", 500);
  EXPECT_EQ(file["SIM"].iNum, 0);
  ASSERT_EQ(file["DST"].iNum, 1);
  EXPECT_EQ(file["DST"].slots[0].file, "DEST.ICC");
  // The destination pop-ups list it at once.
  EXPECT_EQ(panel_->onAdvancedView->menu_iDestinationProfile->lastItem()->title, "DEST.ICC(Dest)Disk");
}

TEST_F(ProfileWindowTest, BrowsingTakesOnlyAcceptableFileNames) {
  openPanel();
  struct Case {
    std::optional<std::string> chosen;
    std::string field;
  } cases[] = {
      {"/somewhere/Profile.v2.icc", ""},
      {"/somewhere/" + std::string(32, 'P'), ""},
      {"/somewhere/Bad*Name.icc", ""},
      {"/somewhere/Good-Name_1.icc", "Good-Name_1.icc"},
      {std::nullopt, "typed.icc"},  // Cancel changes nothing
  };
  for (const Case& c : cases) {
    browseAnswer_ = c.chosen;
    runWindow({[&] {
      click(pc()._addButton);
      type(pc()._fileNameEdit, "typed.icc");
      click(pc()._browse);
      EXPECT_EQ(pc()._fileNameEdit->stringValue(), c.field) << c.chosen.value_or("cancel");
      EXPECT_EQ(pc()._localOK->isEnabled(), !c.field.empty()) << c.chosen.value_or("cancel");
    }});
  }
  EXPECT_EQ(openPanelFolders_.front(), pdk::systemPath(colorpane::kProfileBrowseFolder));
}

TEST_F(ProfileWindowTest, CancelAndTheCloseBoxLeaveTheFileByteIdentical) {
  writeList({entry("A.icc", "a", 4, 6), entry("B.icc", "b", 4, 3)}, {}, {entry("D.icc", "d", 5, 4)});
  const std::string before = readFile(listPath_);
  openPanel();
  auto edits = [&] {
    toggleInMenu(1);
    table().clickRow(0);
    click(pc()._deleteButton);
    add("NEW.ICC", "new");
    chooseList(DST);
    toggleInMenu(0);
  };
  runWindow({edits, [&] { click(windowButton("_windowCancel")); }});
  EXPECT_EQ(readFile(listPath_), before);
  runWindow({edits});  // the events run out: the close box
  EXPECT_EQ(readFile(listPath_), before);
  // Reopening starts from the file again.
  runWindow({[&] { EXPECT_EQ(fileNames(), (std::vector<std::string>{"A.icc", "B.icc"})); }});
}

TEST_F(ProfileWindowTest, AChosenProfileThatLeftTheMenusFallsBackToThePPDDefault) {
  writeList({entry("A.icc", "Office", 4, 6), entry("B.icc", "Proof", 4, 6)});
  openPanel();
  pdk::PopUpButton& image = *panel_->onAdvancedView->menu_iRGBSource;
  pdk::PopUpButton& text = *panel_->onAdvancedView->menu_tRGBSource;
  const int ppdDefault = image.indexOfSelectedItem();
  const int items = image.numberOfItems();
  ASSERT_EQ(image.itemAtIndex(items - 2)->title, "A.icc(Office)Disk");
  image.selectItemAtIndex(items - 2);
  text.selectItemAtIndex(items - 1);
  runWindow({[&] {
    toggleInMenu(0);  // A leaves the menus
    click(windowButton("_windowOK"));
  }});
  EXPECT_EQ(image.numberOfItems(), items - 1);
  EXPECT_EQ(image.indexOfSelectedItem(), ppdDefault);
  // B stays chosen, one place up.
  EXPECT_EQ(text.titleOfSelectedItem(), "B.icc(Proof)Disk");
}

TEST_F(ProfileWindowTest, PrintDialogScriptAddsAProfile) {
  writeList({entry("OFFICE.ICC", "Office", 4, 6, 500), entry("PROOF.ICC", "Proof", 5, 3, 12)});
  const std::string ppd = panetest::mainPPD();
  pdk::TaskResult run = pdk::runTask(
      binaryPath("printdialog"),
      {"--ppd", ppd, "--printer-id", "Office", "--do", "select color.menu_QuickColor 3", "--do",
       "click color.button_AdvanceColorOptions", "--do", "click color.button_ManageProfile", "--do",
       "click color._addButton", "--do", "type color._fileNameEdit NEW.ICC", "--do",
       "type color._profileNameEdit New one", "--do", "click color._localOK", "--do", "click color._windowOK",
       "--state"});
  ASSERT_EQ(run.exitStatus, 0) << run.output;

  auto rgb = readWithPlistlib(listPath_)["RGB"];
  ASSERT_EQ(rgb.iNum, 3);
  expectAddedAtDisk(rgb.slots[2], "NEW.ICC", "New one", 502);

  const nlohmann::json state = nlohmann::json::parse(run.output);
  const nlohmann::json& color = state["color"];
  for (const char* menu : {"menu_iRGBSource", "menu_tRGBSource", "menu_gRGBSource"}) {
    const nlohmann::json& items = color[menu]["items"];
    ASSERT_FALSE(items.empty()) << menu;
    EXPECT_EQ(items.back()["title"], "NEW.ICC(New one)Disk") << menu;
    EXPECT_EQ(items[items.size() - 2]["title"], "PROOF.ICC(Proof)Card") << menu;
  }
  EXPECT_FALSE(color["_profileManagementWindow"]["open"].get<bool>());
  EXPECT_EQ(color["_profileTableView"]["rows"].size(), 3u);
}

}  // namespace
}  // namespace integration
