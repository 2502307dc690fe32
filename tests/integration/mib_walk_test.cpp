// The walk through the service and the relay against a real SNMP agent on
// loopback (snmpsimd), and what it leaves in the user's profile list.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "pdk/service.h"
#include "pdk/task.h"
#include "profiles/profile_list.h"
#include "profiles/profile_paths.h"
#include "test_support.h"

namespace integration {
namespace {

using profiles::ProfileEntry;
using profiles::ProfileList;

const std::string kTableRoot = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1";

// The printer's table: every kind of row the merge must tell apart.
const std::vector<ProfileRow> kPrinterRows = {
    {1, 4, 1, "RGBDISK.ICC", "Office RGB"},
    {2, 5, 2, "RGBCARD.ICM", "Card RGB"},
    {3, 4, 3, "CMYKSIM.ICC", "Press CMYK"},    // class 3: simulation and destination
    {4, 3, 1, "LOC3.ICC", "Elsewhere"},        // location 3: not merged
    {5, 4, 1, "MY FILE.ICC", "Blank"},         // not an 8.3-style name
    {6, 5, 3, "NAME.ICCX", "Long extension"},  // not an 8.3-style name
    {7, 4, 2, "GONE.ICC", "Soon gone"},
    {0, 4, 1, "ROWZERO.ICC", "No slot"},       // rows without a slot
    {501, 4, 1, "ROW501.ICC", "No slot"},
};

std::vector<ProfileRow> withoutFiles(std::vector<ProfileRow> rows, const std::vector<std::string>& names) {
  std::erase_if(rows, [&](const ProfileRow& r) {
    for (const auto& n : names) {
      if (r.fileName == n) return true;
    }
    return false;
  });
  return rows;
}

// Two profiles whose column-1 variables come out of order.
std::string unorderedRecords() {
  std::string records = profileTableRecords({{1, 4, 1, "ORDER1.ICC", "One"}, {2, 4, 1, "ORDER2.ICC", "Two"}});
  const std::string row1 = kTableRoot + ".1.1.1|2|1\n", row2 = kTableRoot + ".1.1.2|2|2\n";
  records.replace(records.find(row1), row1.size() + row2.size(), row2 + row1);
  return records;
}

struct Lists {
  int32_t read = -1;
  ProfileList rgb{}, sim{}, dst{};
};

const ProfileEntry* find(const ProfileList& list, const char* fileName) {
  for (int i = 0; i < list.iNum; ++i) {
    if (std::strncmp(list.entry[i].FileName, fileName, profiles::kProfileTextSize) == 0) return &list.entry[i];
  }
  return nullptr;
}

class MibWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveSnmpsimd()) GTEST_SKIP() << "snmpsimd is not installed";
    agent_ = std::make_unique<SnmpAgent>(std::map<std::string, std::string>{
        {"public", profileTableRecords(kPrinterRows)},
        {"second", profileTableRecords(withoutFiles(kPrinterRows, {"GONE.ICC", "CMYKSIM.ICC"}))},
        {"unordered", unorderedRecords()},
        {"control", profileTableRecords({{1, 4, 1, "CTRL.ICC", "Bell\x07Name"},
                                         {2, 4, 1, "ESC.ICC", "\x1b[31mRed"},
                                         {3, 4, 1, "TAB.ICC", "Tab\tName"}})}});
    ASSERT_TRUE(agent_->ready());
    log_ = root_.path() + "/service.log";
    service_ = std::make_unique<HelperService>(root_, root_.path() + "/helper.sock",
                                               std::map<std::string, std::string>{{"SNMPCONFPATH", agent_->confPath()}},
                                               log_, std::vector<std::string>{"--debug"});
    ASSERT_TRUE(service_->ready());
    ::setenv("TLQ770_ROOT", root_.path().c_str(), 1);
    ASSERT_EQ(profiles::ZNPListSetProfilePaths("TLQ770-1", "anna"), 0);
  }

  // The relay's output for a walk of anna's list with these walk arguments.
  std::string walk(const std::vector<std::string>& walkArgs) {
    std::vector<std::string> args{"mibwalk_XPC", "TLQ770-1", "anna"};
    args.insert(args.end(), walkArgs.begin(), walkArgs.end());
    return runRelay(service_->socketPath(), args).output;
  }
  std::string walkCommunity(const std::string& community, const std::string& host = "127.0.0.1") {
    return walk({"snmpwalk", "-Os", "-c", community, "-v", "1", host, kTableRoot});
  }

  Lists readLists() {
    Lists l;
    l.read = profiles::ZNPListReadProfile_All(&l.rgb, &l.sim, &l.dst);
    return l;
  }
  // Put the list entry of `fileName` (in every table) into state `inMenu`.
  void setInMenu(const char* fileName, int32_t inMenu) {
    Lists l = readLists();
    for (ProfileList* list : {&l.rgb, &l.sim, &l.dst}) {
      for (int i = 0; i < list->iNum; ++i) {
        if (std::strcmp(list->entry[i].FileName, fileName) == 0) list->entry[i].InMenu = inMenu;
      }
    }
    ASSERT_EQ(profiles::ZNPListWriteProfile_All(&l.rgb, &l.sim, &l.dst), 0);
  }

  TempRoot root_;
  std::unique_ptr<SnmpAgent> agent_;
  std::unique_ptr<HelperService> service_;
  std::string log_;
};

TEST_F(MibWalkTest, WalkMergesThePrintersProfilesIntoTheList) {
  // Exactly the colour pane's request.
  auto result = runRelay(service_->socketPath(),
                         {"mibwalk_XPC", "TLQ770-1", "anna", "snmpwalk", "-Os", "-c", "public", "-v", "1",
                          "127.0.0.1", kTableRoot});
  EXPECT_EQ(result.output, "mibwalk_XPC=iRet=0\n");
  ASSERT_TRUE(fileExists(root_.listPath("anna")));

  Lists l = readLists();
  ASSERT_EQ(l.read, 0);
  struct Expected {
    const ProfileList* list;
    const char* fileName;
    int32_t index, location, profileClass;
    const char* profileName;
  } expected[] = {
      {&l.rgb, "RGBDISK.ICC", 1, 4, 1, "Office RGB"}, {&l.rgb, "RGBCARD.ICM", 2, 5, 2, "Card RGB"},
      {&l.rgb, "GONE.ICC", 7, 4, 2, "Soon gone"},     {&l.sim, "CMYKSIM.ICC", 3, 4, 3, "Press CMYK"},
      {&l.dst, "CMYKSIM.ICC", 3, 4, 3, "Press CMYK"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.fileName);
    const ProfileEntry* entry = find(*e.list, e.fileName);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->InMenu, 2);
    EXPECT_EQ(entry->IndexOnDevice, e.index);
    EXPECT_EQ(entry->Location, e.location);
    EXPECT_EQ(entry->ProfileClass, e.profileClass);
    EXPECT_STREQ(entry->ProfileName, e.profileName);
  }
  // Nothing else: location 3, names that fail the 8.3 test and rows
  // without a slot stay out.
  EXPECT_EQ(l.rgb.iNum, 3);
  EXPECT_EQ(l.sim.iNum, 1);
  EXPECT_EQ(l.dst.iNum, 1);
}

TEST_F(MibWalkTest, SecondWalkMarksFoundAndMissedProfiles) {
  ASSERT_EQ(walkCommunity("public"), "mibwalk_XPC=iRet=0\n");
  // The user put two printer profiles into the menus.
  setInMenu("RGBDISK.ICC", 4);
  setInMenu("GONE.ICC", 4);

  // The printer no longer has GONE.ICC and CMYKSIM.ICC.
  ASSERT_EQ(walkCommunity("second"), "mibwalk_XPC=iRet=0\n");
  Lists l = readLists();
  ASSERT_EQ(l.read, 0);
  struct Expected {
    const ProfileList* list;
    const char* fileName;
    int32_t inMenu;
  } expected[] = {
      {&l.rgb, "RGBDISK.ICC", 4},  // in the menu and found again
      {&l.rgb, "RGBCARD.ICM", 2},  // found again, not in the menu
      {&l.rgb, "GONE.ICC", 6},     // in the menu but missed: kept as registered
      {&l.sim, "CMYKSIM.ICC", 1},  // missed, not in the menu: printer profile
      {&l.dst, "CMYKSIM.ICC", 1},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.fileName);
    const ProfileEntry* entry = find(*e.list, e.fileName);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->InMenu, e.inMenu);
  }
  EXPECT_EQ(l.rgb.iNum, 3);
}

TEST_F(MibWalkTest, FailedWalkKeepsOnlyTheProfilesInTheMenus) {
  ASSERT_EQ(walkCommunity("public"), "mibwalk_XPC=iRet=0\n");
  setInMenu("RGBDISK.ICC", 4);
  // Nothing answers on 127.0.0.2.
  EXPECT_EQ(walkCommunity("public", "127.0.0.2"), "mibwalk_XPC=iRet=1\n");
  Lists l = readLists();
  ASSERT_EQ(l.read, 0);
  ASSERT_EQ(l.rgb.iNum, 1);
  EXPECT_STREQ(l.rgb.entry[0].FileName, "RGBDISK.ICC");
  EXPECT_EQ(l.rgb.entry[0].InMenu, 6);
  EXPECT_EQ(l.sim.iNum, 0);
  EXPECT_EQ(l.dst.iNum, 0);
}

TEST_F(MibWalkTest, ResultCodesOfTheWalk) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    const char* reply;
    const char* merged;    // a file name the RGB list then holds, or null for an empty list
    const char* debugText; // expected on the debug channel, or null
  } cases[] = {
      {"root that does not parse", {"snmpwalk", "-c", "public", "-v", "1", "127.0.0.1", "1.3.6.x.y"},
       "mibwalk_XPC=iRet=1\n", nullptr, nullptr},
      {"out of order allowed by -Cc", {"snmpwalk", "-Cc", "-c", "unordered", "-v", "1", "127.0.0.1", kTableRoot},
       "mibwalk_XPC=iRet=0\n", "ORDER2.ICC", nullptr},
      // The previous request's -Cc does not carry over.
      {"out of order", {"snmpwalk", "-c", "unordered", "-v", "1", "127.0.0.1", kTableRoot}, "mibwalk_XPC=iRet=1\n",
       nullptr, "[SNMP] Error: OID not increasing: 1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1.1.1.2 >= "},
      {"unknown -C letter", {"snmpwalk", "-Cx", "-c", "public", "-v", "1", "127.0.0.1", kTableRoot},
       "mibwalk_XPC=iRet=0\n", "RGBDISK.ICC", "Unknown flag passed to -C: x"},
      {"statistics", {"snmpwalk", "-Cp", "-c", "public", "-v", "1", "127.0.0.1", kTableRoot},
       "mibwalk_XPC=iRet=0\n", "RGBDISK.ICC", "[UTIL-MIB] Variables found: 63"},
      {"default root: nothing of the table", {"snmpwalk", "-c", "public", "-v", "1", "127.0.0.1"},
       "mibwalk_XPC=iRet=0\n", nullptr, nullptr},
      {"no host", {"snmpwalk", "-c", "public", "-v", "1"}, "mibwalk_XPC=iRet=-1\n", nullptr, nullptr},
      {"version only", {"snmpwalk", "-V"}, "mibwalk_XPC=iRet=-2\n", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(root_.listPath("anna").c_str());
    writeFile(log_, "");
    EXPECT_EQ(walk(c.args), c.reply);
    Lists l = readLists();
    if (c.merged) {
      EXPECT_NE(find(l.rgb, c.merged), nullptr);
    } else {
      EXPECT_EQ(l.rgb.iNum, 0);
    }
    if (c.debugText) {
      EXPECT_NE(readFile(log_).find(c.debugText), std::string::npos) << readFile(log_);
    }
  }
}

// The text after the last ":arg:" is not an argument: without its marker
// the root is dropped and the walk covers the default root instead.
TEST_F(MibWalkTest, ArgumentWithoutMarkerIsIgnored) {
  auto connection = pdk::ServiceConnection::connectTo(service_->socketPath());
  ASSERT_NE(connection, nullptr);
  const std::string request =
      "TLQ770-1:ModelName:ENDanna:USErName:ENDsnmpwalk:arg:-c:arg:public:arg:-v:arg:1:arg:127.0.0.1:arg:" + kTableRoot;
  std::string reply;
  ASSERT_EQ(connection->call("mibwalk_XPC", request, &reply), 0);
  EXPECT_EQ(reply, "iRet=0");
  EXPECT_EQ(readLists().rgb.iNum, 0);
  ASSERT_EQ(connection->call("mibwalk_XPC", request + ":arg:", &reply), 0);
  EXPECT_EQ(reply, "iRet=0");
  EXPECT_EQ(readLists().rgb.iNum, 3);
}

// Names with characters XML 1.0 cannot carry are not written into the list
// (as text that is not UTF-8 is not), so every XML reader can read it.
TEST_F(MibWalkTest, ControlCharactersFromThePrinterNeverReachTheList) {
  ASSERT_EQ(walkCommunity("control"), "mibwalk_XPC=iRet=0\n");
  auto check = pdk::runTask("/usr/bin/python3",
                            {"-c", "import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                                   "print(sorted(v for v in d['RGB']['ProfileName'].values() if v))",
                             root_.listPath("anna")});
  EXPECT_EQ(check.exitStatus, 0);
  EXPECT_EQ(check.output, "['Tab\\tName']\n");
  Lists l = readLists();
  ASSERT_EQ(l.read, 0);
  for (const char* file : {"CTRL.ICC", "ESC.ICC"}) {
    const ProfileEntry* entry = find(l.rgb, file);
    ASSERT_NE(entry, nullptr) << file;  // the profile is listed, without its name
    EXPECT_STREQ(entry->ProfileName, "");
  }
}

// Walk settings from net-snmp's configuration files hold for every walk of
// the service, not only its first.
TEST_F(MibWalkTest, ConfiguredWalkSettingsHoldForEveryWalk) {
  writeFile(agent_->confPath() + "/snmpwalk.conf", "dontCheckOrdering yes\n");
  for (int walk = 1; walk <= 2; ++walk) {
    SCOPED_TRACE(walk);
    EXPECT_EQ(walkCommunity("unordered"), "mibwalk_XPC=iRet=0\n");
  }
  // A request's -Cc toggles the configured setting for that walk only.
  EXPECT_EQ(walk({"snmpwalk", "-Cc", "-c", "unordered", "-v", "1", "127.0.0.1", kTableRoot}), "mibwalk_XPC=iRet=1\n");
  EXPECT_EQ(walkCommunity("unordered"), "mibwalk_XPC=iRet=0\n");
}

TEST_F(MibWalkTest, AnAnswerWithoutVariablesEndsTheWalk) {
  // An agent that answers every request with no error and no variables.
  ScriptedAgent agent("empty", root_.path());
  ASSERT_TRUE(agent.ready());
  const std::string port = std::to_string(agent.port());

  EXPECT_EQ(walk({"snmpwalk", "-c", "public", "-v", "1", "127.0.0.1:" + port, kTableRoot}), "mibwalk_XPC=iRet=1\n");
  // It was the answer that ended the walk, not a time-out: one GETNEXT,
  // then the GET of the root that follows a walk that found nothing.
  EXPECT_EQ(agent.answers(), 2);
  // The service goes on serving walks.
  EXPECT_EQ(walkCommunity("public"), "mibwalk_XPC=iRet=0\n");
}

}  // namespace
}  // namespace integration
