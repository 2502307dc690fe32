// The profile helper service on a real socket under a temporary root,
// reached through the real relay program: every operation, the refusals of
// paths a caller may not touch, malformed requests and concurrent clients.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "pdk/plist.h"
#include "pdk/service.h"
#include "test_support.h"

namespace integration {
namespace {

const std::string kSmallList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n\t<key>PlistVersion</key>\n\t<integer>1</integer>\n</dict>\n</plist>\n";

class ServiceRelayTest : public ::testing::Test {
 protected:
  ServiceRelayTest() : service_(root_, root_.path() + "/run/helper.sock") {}

  void SetUp() override { ASSERT_TRUE(service_.ready()); }

  // The relay's standard output for `args`.
  std::string relay(const std::vector<std::string>& args, bool asNobody = false) {
    auto result = runRelay(service_.socketPath(), args, asNobody);
    EXPECT_TRUE(result.launched);
    return result.output;
  }
  std::string url(const std::string& path) { return "file://" + path; }
  std::string anna() { return root_.listPath("anna"); }
  std::string annaPrev() { return root_.listPath("anna", ".prev.plist"); }
  std::string annaTemp() { return root_.listPath("anna", ".plist.dummy"); }

  TempRoot root_;
  HelperService service_;
};

TEST_F(ServiceRelayTest, WritabilityTestLeavesNoTraceAndKeepsExistingContent) {
  // A file that did not exist is created for the test and removed again.
  EXPECT_EQ(relay({"znPListIsAdminProfile_XPC", anna()}), "znPListIsAdminProfile_XPC=TRUE\n");
  EXPECT_FALSE(fileExists(anna()));
  // An existing file keeps its content and stays.
  writeFile(anna(), "keep me");
  EXPECT_EQ(relay({"znPListIsAdminProfile_XPC", anna()}), "znPListIsAdminProfile_XPC=TRUE\n");
  EXPECT_EQ(readFile(anna()), "keep me");
  // A folder that does not exist cannot hold the file.
  EXPECT_EQ(relay({"znPListIsAdminProfile_XPC", root_.profileFolder() + "/missing/x.plist"}),
            "znPListIsAdminProfile_XPC=FALSE\n");
}

TEST_F(ServiceRelayTest, ExistAndRemove) {
  EXPECT_EQ(relay({"znPListExistProfile_XPC", anna()}), "znPListExistProfile_XPC=FALSE\n");
  EXPECT_EQ(relay({"znPListRemove_XPC", anna()}), "znPListRemove_XPC=FALSE\n");
  writeFile(anna(), "x");
  EXPECT_EQ(relay({"znPListExistProfile_XPC", anna()}), "znPListExistProfile_XPC=TRUE\n");
  EXPECT_EQ(relay({"znPListRemove_XPC", anna()}), "znPListRemove_XPC=TRUE\n");
  EXPECT_FALSE(fileExists(anna()));
}

TEST_F(ServiceRelayTest, SwapKeepsAByteCopyOfALargeList) {
  std::string content;
  for (int i = 0; i < 200000; ++i) content += static_cast<char>('a' + (i * 7) % 26);
  writeFile(anna(), content);
  writeFile(annaPrev(), "old generation");
  EXPECT_EQ(relay({"znPListSwapProfile_XPC", "2", anna(), annaPrev()}), "znPListSwapProfile_XPC=TRUE\n");
  EXPECT_EQ(readFile(annaPrev()), content);
  EXPECT_EQ(readFile(anna()), content);
}

// Each case starts with current "cur" and previous "prev" (when present).
TEST_F(ServiceRelayTest, SwapTypes) {
  struct Case {
    const char* type;
    bool withCurrent, withPrevious;
    const char* current;   // expected afterwards; null = absent
    const char* previous;  // expected afterwards; null = absent
  } cases[] = {
      {"1", true, true, "cur", nullptr},       // drop the previous generation
      {"0", true, true, "prev", nullptr},      // restore it
      {"NULL", true, true, "prev", nullptr},   // "NULL" reads as 0
      {"0", true, false, nullptr, nullptr},    // restore without a previous list: no list
      {"7", true, true, "cur", "prev"},        // unknown type: nothing
      {"2", true, false, "cur", "cur"},        // keep a copy
      {"2", false, true, nullptr, "prev"},     // nothing to copy: the previous list stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + (c.withCurrent ? "" : " without current"));
    if (c.withCurrent) {
      writeFile(anna(), "cur");
    } else {
      ::unlink(anna().c_str());
    }
    if (c.withPrevious) {
      writeFile(annaPrev(), "prev");
    } else {
      ::unlink(annaPrev().c_str());
    }
    EXPECT_EQ(relay({"znPListSwapProfile_XPC", c.type, anna(), annaPrev()}), "znPListSwapProfile_XPC=TRUE\n");
    EXPECT_EQ(fileExists(anna()), c.current != nullptr);
    if (c.current) {
      EXPECT_EQ(readFile(anna()), c.current);
    }
    EXPECT_EQ(fileExists(annaPrev()), c.previous != nullptr);
    if (c.previous) {
      EXPECT_EQ(readFile(annaPrev()), c.previous);
    }
  }
}

TEST_F(ServiceRelayTest, ChunkedWriteAssemblesThePiecesAndRenameMovesThem) {
  // Three chunks are appended in order to the temporary file, and the
  // rename puts the assembled text in the list's place.
  writeFile(anna(), kSmallList);
  for (const char* chunk : {"A", "B", "C"}) {
    EXPECT_EQ(relay({"writeDataToPlistFile_XPC", url(anna()), chunk}), "writeDataToPlistFile_XPC=TRUE\n");
  }
  EXPECT_EQ(readFile(annaTemp()), "ABC");
  EXPECT_EQ(relay({"writeDataToPlistFileRename_XPC", url(anna())}), "writeDataToPlistFileRename_XPC=TRUE\n");
  EXPECT_EQ(readFile(anna()), "ABC");
  EXPECT_FALSE(fileExists(annaTemp()));

  // A real list in three pieces replaces the current list.
  const std::string list = pdk::plistToXml([] {
    pdk::Value d = pdk::Value::dictionary();
    d.set("PlistVersion", 1);
    d.set("Name", std::string(300, 'n'));
    return d;
  }());
  const size_t third = list.size() / 3;
  for (const std::string& piece : {list.substr(0, third), list.substr(third, third), list.substr(2 * third)}) {
    EXPECT_EQ(relay({"writeDataToPlistFile_XPC", url(anna()), piece}), "writeDataToPlistFile_XPC=TRUE\n");
  }
  EXPECT_EQ(relay({"writeDataToPlistFileRename_XPC", url(anna())}), "writeDataToPlistFileRename_XPC=TRUE\n");
  EXPECT_EQ(readFile(anna()), list);
  EXPECT_FALSE(fileExists(annaTemp()));
  struct stat st;
  ASSERT_EQ(::stat(anna().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
}

TEST_F(ServiceRelayTest, RenameWithoutTemporaryFileKeepsTheList) {
  writeFile(anna(), kSmallList);
  EXPECT_EQ(relay({"writeDataToPlistFileRename_XPC", url(anna())}), "writeDataToPlistFileRename_XPC=FALSE\n");
  EXPECT_EQ(readFile(anna()), kSmallList);
}

TEST_F(ServiceRelayTest, WholeFileWriteReplacesTheListAtomically) {
  // The relay has no argument list for this operation; the colour pane's
  // direct build would call it, so speak to the service directly.
  auto connection = pdk::ServiceConnection::connectTo(service_.socketPath());
  ASSERT_NE(connection, nullptr);
  std::string reply;
  writeFile(anna(), "old");
  ASSERT_EQ(connection->call("writeDictionaryToPlistFile_XPC", url(anna()) + ":AddURL:END" + kSmallList, &reply), 0);
  EXPECT_EQ(reply, "TRUE");
  EXPECT_EQ(readFile(anna()), kSmallList);
  // Only the list is left in the folder: no temporary file stays behind.
  auto listing = pdk::runTask("/bin/ls", {"-A", root_.profileFolder()});
  EXPECT_EQ(listing.output, "anna-TLQ770-1-profile.plist\n");
  // Percent escapes of the URL are decoded.
  ASSERT_EQ(connection->call("writeDictionaryToPlistFile_XPC",
                             url(root_.profileFolder()) + "/b%6fb-TLQ770-1-profile.plist:AddURL:END" + kSmallList,
                             &reply),
            0);
  EXPECT_EQ(reply, "TRUE");
  EXPECT_EQ(readFile(root_.listPath("bob")), kSmallList);
}

// A caller other than root may only touch its own lists; nobody may leave
// the profile folder. Refused requests touch no file.
TEST_F(ServiceRelayTest, PathsOutsideTheCallersListsAreRefused) {
  const std::string folder = root_.profileFolder();
  const std::string own = root_.listPath("nobody");
  const std::string outside = root_.path() + "/outside.plist";
  writeFile(anna(), kSmallList);
  writeFile(annaPrev(), "anna prev");
  writeFile(outside, "outside");
  // A walk that ran would answer "iRet=-2" for "-V"; a refused one "iRet=1".
  std::vector<std::string> tooManyWalkArguments{"mibwalk_XPC", "TLQ770-1", "anna", "snmpwalk"};
  tooManyWalkArguments.resize(3 + 513, "-Cp");
  struct Case {
    const char* what;
    bool asNobody;
    std::vector<std::string> args;
    std::string expected;
  } cases[] = {
      {"own list", true, {"znPListIsAdminProfile_XPC", own}, "znPListIsAdminProfile_XPC=TRUE\n"},
      {"own list by a detour", true, {"znPListIsAdminProfile_XPC", folder + "/../" + kProfileSubfolder.substr(kProfileSubfolder.rfind('/') + 1) + "/nobody-TLQ770-1-profile.plist"},
       "znPListIsAdminProfile_XPC=TRUE\n"},
      {"another user's list", true, {"znPListExistProfile_XPC", anna()}, "znPListExistProfile_XPC=FALSE\n"},
      {"another user's list removed", true, {"znPListRemove_XPC", anna()}, "znPListRemove_XPC=FALSE\n"},
      {"another user's swap", true, {"znPListSwapProfile_XPC", "0", anna(), annaPrev()}, "znPListSwapProfile_XPC=FALSE\n"},
      {"another user's chunk", true, {"writeDataToPlistFile_XPC", url(anna()), "x"}, "writeDataToPlistFile_XPC=FALSE\n"},
      {"another user's rename", true, {"writeDataToPlistFileRename_XPC", url(anna())}, "writeDataToPlistFileRename_XPC=FALSE\n"},
      {"another user's walk", true, {"mibwalk_XPC", "TLQ770-1", "anna", "snmpwalk", "-V"}, "mibwalk_XPC=iRet=1\n"},
      {"own walk of another model", true, {"mibwalk_XPC", "OTHER", "nobody", "snmpwalk", "-V"}, "mibwalk_XPC=iRet=1\n"},
      {"own name with another suffix", true, {"znPListIsAdminProfile_XPC", folder + "/nobody-TLQ770-1-profile.txt"}, "znPListIsAdminProfile_XPC=FALSE\n"},
      {"outside the folder", false, {"znPListRemove_XPC", outside}, "znPListRemove_XPC=FALSE\n"},
      {"escape with ..", false, {"znPListRemove_XPC", folder + "/../../../../../outside.plist"}, "znPListRemove_XPC=FALSE\n"},
      {"relative path", false, {"znPListExistProfile_XPC", "anna-TLQ770-1-profile.plist"}, "znPListExistProfile_XPC=FALSE\n"},
      {"sub-folder", false, {"znPListIsAdminProfile_XPC", folder + "/sub/x.plist"}, "znPListIsAdminProfile_XPC=FALSE\n"},
      {"swap into the folder from outside", false, {"znPListSwapProfile_XPC", "0", anna(), outside}, "znPListSwapProfile_XPC=FALSE\n"},
      {"chunk by a URL outside", false, {"writeDataToPlistFile_XPC", url(outside), "x"}, "writeDataToPlistFile_XPC=FALSE\n"},
      {"not a file URL", false, {"writeDataToPlistFile_XPC", "http://host" + anna(), "x"}, "writeDataToPlistFile_XPC=FALSE\n"},
      {"walk with a user name holding /", false, {"mibwalk_XPC", "TLQ770-1", "../anna", "snmpwalk", "-V"}, "mibwalk_XPC=iRet=1\n"},
      {"walk with a model name holding ..", false, {"mibwalk_XPC", "..", "anna", "snmpwalk", "-V"}, "mibwalk_XPC=iRet=1\n"},
      {"walk whose list path would pass 255 bytes", false, {"mibwalk_XPC", "TLQ770-1", std::string(250, 'u'), "snmpwalk", "-V"}, "mibwalk_XPC=iRet=1\n"},
      {"walk with more than 512 arguments", false, tooManyWalkArguments, "mibwalk_XPC=iRet=1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(relay(c.args, c.asNobody), c.expected);
  }
  // Nothing was touched.
  EXPECT_EQ(readFile(anna()), kSmallList);
  EXPECT_EQ(readFile(annaPrev()), "anna prev");
  EXPECT_EQ(readFile(outside), "outside");
  EXPECT_FALSE(fileExists(annaTemp()));
  EXPECT_FALSE(fileExists(own));
  auto listing = pdk::runTask("/bin/ls", {"-A", root_.profileFolder()});
  EXPECT_EQ(listing.output, "anna-TLQ770-1-profile.plist\nanna-TLQ770-1-profile.prev.plist\n");
}

TEST_F(ServiceRelayTest, NonRootCallerWritesItsOwnList) {
  const std::string own = root_.listPath("nobody");
  EXPECT_EQ(relay({"writeDataToPlistFile_XPC", url(own), kSmallList}, true), "writeDataToPlistFile_XPC=TRUE\n");
  EXPECT_EQ(relay({"writeDataToPlistFileRename_XPC", url(own)}, true), "writeDataToPlistFileRename_XPC=TRUE\n");
  EXPECT_EQ(relay({"znPListSwapProfile_XPC", "2", own, root_.listPath("nobody", ".prev.plist")}, true),
            "znPListSwapProfile_XPC=TRUE\n");
  EXPECT_EQ(readFile(root_.listPath("nobody", ".prev.plist")), kSmallList);
  EXPECT_EQ(relay({"znPListRemove_XPC", own}, true), "znPListRemove_XPC=TRUE\n");
}

// Requests that lack a marker, are not UTF-8 or name no operation get the
// failure reply, touch nothing, and the connection keeps serving.
TEST_F(ServiceRelayTest, MalformedRequestsOverTheRawSocket) {
  auto connection = pdk::ServiceConnection::connectTo(service_.socketPath());
  ASSERT_NE(connection, nullptr);
  struct Case {
    const char* operation;
    std::string request;
    const char* expected;
  } cases[] = {
      {"writeDataToPlistFile_XPC", url(anna()) + "no marker", "FALSE"},
      {"writeDictionaryToPlistFile_XPC", url(anna()), "FALSE"},
      {"mibwalk_XPC", "TLQ770-1:ModelName:ENDanna snmpwalk:arg:", "iRet=1"},
      {"mibwalk_XPC", "", "iRet=1"},
      {"znPListRemove_XPC", anna() + std::string("\xff", 1), "FALSE"},
      {"mibwalk_XPC", std::string("TLQ770-1:ModelName:END\xc0:USErName:END"), "iRet=1"},
      {"noSuchOperation", anna(), "FALSE"},
      {"znPListIsAdminProfile_XPC", anna() + std::string(1, '\0') + "x", "FALSE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation);
    std::string reply;
    ASSERT_EQ(connection->call(c.operation, c.request, &reply), 0);
    EXPECT_EQ(reply, c.expected);
  }
  std::string reply;
  ASSERT_EQ(connection->call("znPListIsAdminProfile_XPC", anna(), &reply), 0);
  EXPECT_EQ(reply, "TRUE");
  auto listing = pdk::runTask("/bin/ls", {"-A", root_.profileFolder()});
  EXPECT_EQ(listing.output, "");
  // A request over the size limit is refused on a raw socket too.
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", service_.socketPath().c_str());
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  bool tooLong = false;
  ASSERT_TRUE(pdk::sendServiceFrame(fd, "writeDataToPlistFile_XPC"));
  ASSERT_TRUE(pdk::sendServiceFrame(fd, url(anna()) + ":AddURL:END" + std::string(pdk::kServiceMaxRequestBytes, 'x')));
  ASSERT_TRUE(pdk::receiveServiceFrame(fd, 64, &reply, &tooLong));
  EXPECT_EQ(reply, "FALSE");
  EXPECT_FALSE(fileExists(annaTemp()));
  ::close(fd);
}

TEST_F(ServiceRelayTest, ConcurrentClientsEachGetTheirOwnResult) {
  // Eight users write their lists in pieces at the same time.
  std::vector<std::thread> clients;
  std::vector<std::string> outputs(8);
  for (size_t i = 0; i < outputs.size(); ++i) {
    clients.emplace_back([&, i] {
      std::string path = root_.listPath("user" + std::to_string(i));
      std::string list = kSmallList;
      list.insert(list.find("</dict>"), "<key>U</key><integer>" + std::to_string(i) + "</integer>");
      for (const std::string& piece : {list.substr(0, 100), list.substr(100)}) {
        outputs[i] += runRelay(service_.socketPath(), {"writeDataToPlistFile_XPC", url(path), piece}).output;
      }
      outputs[i] += runRelay(service_.socketPath(), {"writeDataToPlistFileRename_XPC", url(path)}).output;
    });
  }
  for (auto& t : clients) t.join();
  for (size_t i = 0; i < outputs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(outputs[i],
              "writeDataToPlistFile_XPC=TRUE\nwriteDataToPlistFile_XPC=TRUE\nwriteDataToPlistFileRename_XPC=TRUE\n");
    pdk::Value list = pdk::readPlistFile(root_.listPath("user" + std::to_string(i)));
    EXPECT_EQ(list.get("U").asInteger(-1), static_cast<int64_t>(i));
  }
}

TEST(RelayWithoutService, FailsWithoutTheSuccessText) {
  TempRoot root;
  auto result = runRelay(root.path() + "/nothing.sock", {"znPListIsAdminProfile_XPC", root.listPath("anna")});
  EXPECT_TRUE(result.launched);
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output.find("znPListIsAdminProfile_XPC=TRUE"), std::string::npos);
  // Unknown operations and wrong argument counts are usage errors.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"noSuchOperation", "x"}, {"znPListRemove_XPC"}, {"znPListSwapProfile_XPC", "2", "a"}}) {
    auto usage = runRelay(root.path() + "/nothing.sock", args);
    EXPECT_EQ(usage.exitStatus, 2);
    EXPECT_EQ(usage.output, "");
  }
}

// Started by systemd, the service takes its listening socket from
// descriptor 3 instead of binding one itself.
TEST(ServiceActivation, ServesTheSocketHandedOverAsDescriptorThree) {
  TempRoot root;
  const std::string socketPath = root.path() + "/activated.sock";
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socketPath.c_str());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(fd, 8), 0);
  ChildProcess service;
  ASSERT_TRUE(service.start(binaryPath("profilehelper"), {}, {{"TLQ770_ROOT", root.path()}, {"LISTEN_FDS", "1"}}, "", fd));
  ::close(fd);
  auto result = runRelay(socketPath, {"znPListIsAdminProfile_XPC", root.listPath("anna")});
  EXPECT_EQ(result.output, "znPListIsAdminProfile_XPC=TRUE\n");
}

}  // namespace
}  // namespace integration
