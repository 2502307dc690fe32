// The service as root against a hostile local user. Each test repeats an
// attack found on an earlier build, made as user nobody through the real
// relay or over the raw socket, and shows that it does no harm: no file
// outside the caller's lists is touched, the service stays up, walks end,
// and connections cannot exhaust memory or threads.
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "pdk/service.h"
#include "test_support.h"

namespace integration {
namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
const std::string kTableRoot = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1";

constexpr uid_t kDaemon = 1;  // another user

// Drop this (forked) process to user `uid` (group nogroup).
bool becomeUser(uid_t uid = kNobody) {
  return ::setgroups(0, nullptr) == 0 && ::setresgid(kNogroup, kNogroup, kNogroup) == 0 &&
         ::setresuid(uid, uid, uid) == 0;
}

// One request over the raw socket, made by a child process running as
// user `uid`; the reply, or "(no reply)".
std::string callAs(uid_t uid, const std::string& socketPath, const std::string& operation,
                   const std::string& request) {
  int fds[2];
  if (::pipe(fds) != 0) return "(no pipe)";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    std::string reply = "(no reply)";
    if (becomeUser(uid)) {
      auto connection = pdk::ServiceConnection::connectTo(socketPath);
      std::string answer;
      if (connection && connection->call(operation, request, &answer) == 0) reply = answer;
    }
    (void)!::write(fds[1], reply.data(), reply.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string reply;
  char buf[4096];
  for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) reply.append(buf, static_cast<size_t>(n));
  ::close(fds[0]);
  ::waitpid(child, nullptr, 0);
  return reply;
}

// A raw connection to the service (as root), or -1.
int connectRaw(const std::string& socketPath) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  socketPath.copy(addr.sun_path, sizeof addr.sun_path - 1);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// True when the peer closed `fd` within `seconds` (nothing else arrives).
bool closedByPeer(int fd, int seconds) {
  timeval limit{seconds, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  char byte;
  return ::recv(fd, &byte, 1, 0) == 0;
}

// Wait (bounded) until `done` holds.
template <class Done>
bool eventually(Done done, int seconds = 10) {
  for (int i = 0; i < seconds * 50 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return done();
}

// A binary property list: one UTF-16 string, "A" followed by U+0000.
std::string binaryListWithZeroCharacter() {
  std::string bytes = "bplist00";
  bytes += std::string("\x62\x00\x41\x00\x00", 5);  // UTF-16 string of 2 units
  bytes += '\x08';                                  // offset table: object 0 at 8
  std::string trailer(32, '\0');
  trailer[6] = 1;   // offset size
  trailer[7] = 1;   // reference size
  trailer[15] = 1;  // one object
  trailer[31] = 13; // offset table at 13
  return bytes + trailer;
}

// The whole literal, zero bytes inside it included.
template <size_t N>
std::string literal(const char (&text)[N]) {
  return std::string(text, N - 1);
}

// An XML list nesting arrays `depth` deep.
std::string deepXmlList(int depth) {
  std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
  for (int i = 0; i < depth; ++i) xml += "<array>";
  for (int i = 0; i < depth; ++i) xml += "</array>";
  return xml + "</plist>";
}

class HostileCallerTest : public ::testing::Test {
 protected:
  void startService(const std::vector<std::string>& args = {}) {
    service_.reset();
    service_ = std::make_unique<HelperService>(root_, root_.path() + "/run/helper" + std::to_string(++starts_) + ".sock",
                                               std::map<std::string, std::string>{}, "", args);
    ASSERT_TRUE(service_->ready());
  }
  void SetUp() override {
    ::setenv("TLQ770_ROOT", root_.path().c_str(), 1);
    startService({"--walk-time-limit", "2", "--walk-max-variables", "400", "--request-time-limit", "2"});
  }
  std::string relayAsNobody(const std::vector<std::string>& args) {
    return runRelay(service_->socketPath(), args, true).output;
  }
  std::string walkAsNobody(const std::vector<std::string>& walkArgs) {
    std::vector<std::string> args{"mibwalk_XPC", "TLQ770-1", "nobody"};
    args.insert(args.end(), walkArgs.begin(), walkArgs.end());
    return relayAsNobody(args);
  }
  std::string list(const std::string& suffix = ".plist") { return root_.listPath("nobody", suffix); }
  // The service still answers (as root, on a fresh connection).
  bool serviceAnswers() {
    return runRelay(service_->socketPath(), {"znPListExistProfile_XPC", root_.listPath("root")}).output ==
           "znPListExistProfile_XPC=FALSE\n";
  }

  TempRoot root_;
  std::unique_ptr<HelperService> service_;
  int starts_ = 0;
};

TEST_F(HostileCallerTest, WalkOptionsReachNoFileAndLeaveLoggingOff) {
  const std::string victim = root_.path() + "/victim";
  writeFile(victim, "root's own data\n");
  ::chmod(victim.c_str(), 0600);
  const std::vector<std::vector<std::string>> attacks = {
      {"snmpwalk", "-Lf", victim, "-c", "public", "-v", "1", "127.0.0.2", kTableRoot},
      {"snmpwalk", "-c", "public", "-v", "1", "127.0.0.2", "-Lf", victim, kTableRoot},
      {"snmpwalk", "-Lf", victim, "-c", "public", "-v", "1", "127.0.0.2\nINJECTED LINE", kTableRoot},
      {"snmpwalk", "-Y", "logTimestamp yes", "-c", "public", "-v", "1", "127.0.0.2", kTableRoot},
      {"snmpwalk", "--logTimestamp=yes", "-c", "public", "-v", "1", "127.0.0.2", kTableRoot},
      {"snmpwalk", "-m", "ALL", "-c", "public", "-v", "1", "127.0.0.2", kTableRoot},
      {"snmpwalk", "-c", "public", "-v", "1", "-t", "20", "127.0.0.2", kTableRoot},
      {"snmpwalk", "-c", "public", "-v", "1", "unix:" + victim, kTableRoot},
  };
  for (const auto& attack : attacks) {
    SCOPED_TRACE(::testing::PrintToString(attack));
    EXPECT_EQ(walkAsNobody(attack), "mibwalk_XPC=iRet=1\n");
    EXPECT_EQ(readFile(victim), "root's own data\n");
    EXPECT_FALSE(fileExists(list())) << "a refused walk touches nothing";
  }
  // A walk the service does run afterwards logs nowhere either.
  EXPECT_EQ(walkAsNobody({"snmpwalk", "-c", "public", "-v", "1", "-t", "0.2", "-r", "0", "127.0.0.2", kTableRoot}),
            "mibwalk_XPC=iRet=1\n");
  EXPECT_EQ(readFile(victim), "root's own data\n");
  EXPECT_TRUE(fileExists(list()));  // the failed walk's merge wrote the list
}

TEST_F(HostileCallerTest, CraftedListsCannotStopTheServiceOrTheDialog) {
  const std::vector<std::pair<const char*, std::string>> lists = {
      {"UTF-16 string with U+0000", binaryListWithZeroCharacter()},
      {"zero byte in an XML string",
       literal("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>RGB</key><string>A\0B</string></dict></plist>")},
      {"zero byte in an XML key",
       literal("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>R\0B</key><string>AB</string></dict></plist>")},
      {"arrays nested 100 000 deep", deepXmlList(100000)},
  };
  const std::string ppd = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";
  for (const auto& [what, bytes] : lists) {
    SCOPED_TRACE(what);
    // Stored as nobody's own list over the raw socket: every byte is valid
    // UTF-8, so the service takes the write.
    ASSERT_EQ(callAs(kNobody, service_->socketPath(), "writeDictionaryToPlistFile_XPC",
                           "file://" + list() + ":AddURL:END" + bytes),
              "TRUE");
    ASSERT_EQ(readFile(list()), bytes);
    // The walk reads the list before merging into it.
    EXPECT_EQ(walkAsNobody({"snmpwalk", "-c", "public", "-v", "1", "-t", "0.2", "-r", "0", "127.0.0.2", kTableRoot}),
              "mibwalk_XPC=iRet=1\n");
    EXPECT_TRUE(serviceAnswers());
    // The same file as print settings: refused with a message, no abort.
    const std::string settings = root_.path() + "/settings.plist";
    writeFile(settings, bytes);
    auto dialog = pdk::runTask(binaryPath("printdialog"), {"--ppd", ppd, "--settings", settings});
    EXPECT_EQ(dialog.exitStatus, 2);
  }
}

TEST_F(HostileCallerTest, WalksEndAtTheTimeLimitAndTheVariableCap) {
  ScriptedAgent endless("endless", root_.path()), repeating("repeat", root_.path());
  ASSERT_TRUE(endless.ready());
  ASSERT_TRUE(repeating.ready());
  // A table that never ends, and one identifier over and over with -Cc:
  // both stop at the cap of 400 variables.
  EXPECT_EQ(walkAsNobody({"snmpwalk", "-c", "public", "-v", "1", "127.0.0.1:" + std::to_string(endless.port()),
                          kTableRoot}),
            "mibwalk_XPC=iRet=1\n");
  EXPECT_LE(endless.answers(), 401);
  EXPECT_EQ(walkAsNobody({"snmpwalk", "-Cc", "-c", "public", "-v", "1",
                          "127.0.0.1:" + std::to_string(repeating.port()), kTableRoot}),
            "mibwalk_XPC=iRet=1\n");
  EXPECT_LE(repeating.answers(), 401);

  // A silent host with the longest time-out and retries allowed (5 s, 3
  // retries: 20 s) ends at the 2 s limit, and the next walk runs at once.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(walkAsNobody({"snmpwalk", "-c", "public", "-v", "1", "-t", "5", "-r", "3", "127.0.0.2", kTableRoot}),
            "mibwalk_XPC=iRet=1\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // Every one ran the merge as a failed walk: nobody's list exists.
  EXPECT_TRUE(fileExists(list()));
}

TEST_F(HostileCallerTest, ConnectionFloodsKeepMemoryAndThreadsBounded) {
  const pid_t service = service_->pid();
  const long rssBefore = processStatus(service, "VmRSS");
  const long threadsBefore = processStatus(service, "Threads");

  // 50 connections each announce a 16 MiB request and send nothing more.
  std::vector<int> headers;
  for (int i = 0; i < 50; ++i) {
    const int fd = connectRaw(service_->socketPath());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(pdk::sendServiceFrame(fd, "writeDictionaryToPlistFile_XPC"));
    const unsigned char header[4] = {0x01, 0x00, 0x00, 0x00};  // 16 MiB
    ASSERT_EQ(::send(fd, header, 4, MSG_NOSIGNAL), 4);
    headers.push_back(fd);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // Nothing was allocated from the announced lengths.
  EXPECT_LT(processStatus(service, "VmRSS") - rssBefore, 32 * 1024);

  // A user opens 500 idle connections: at most 16 are served, the rest are
  // closed at once.
  int held[2];
  ASSERT_EQ(::pipe(held), 0);
  const pid_t flooder = ::fork();
  if (flooder == 0) {
    ::close(held[0]);
    std::vector<int> idle;
    int open = 0;
    if (becomeUser()) {
      for (int i = 0; i < 500; ++i) {
        const int fd = connectRaw(service_->socketPath());
        if (fd >= 0) idle.push_back(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      for (int fd : idle) {
        char byte;
        if (::recv(fd, &byte, 1, MSG_DONTWAIT) < 0 && errno == EAGAIN) ++open;
      }
    }
    (void)!::write(held[1], &open, sizeof open);
    ::pause();
    ::_exit(0);
  }
  ::close(held[1]);
  int stillOpen = -1;
  ASSERT_EQ(::read(held[0], &stillOpen, sizeof stillOpen), static_cast<ssize_t>(sizeof stillOpen));
  ::close(held[0]);
  EXPECT_EQ(stillOpen, 16);
  EXPECT_LE(processStatus(service, "Threads"), threadsBefore + 50 + 16);
  // Other clients are still served, root and other users alike; the
  // flooding user is not.
  EXPECT_TRUE(serviceAnswers());
  EXPECT_EQ(callAs(kDaemon, service_->socketPath(), "znPListExistProfile_XPC", root_.listPath("daemon")), "FALSE");
  EXPECT_EQ(callAs(kNobody, service_->socketPath(), "znPListExistProfile_XPC", list()), "(no reply)");

  // Connections that send no complete request within 2 s are closed.
  for (int fd : headers) EXPECT_TRUE(closedByPeer(fd, 10));
  for (int fd : headers) ::close(fd);
  EXPECT_TRUE(eventually([&] { return processStatus(service, "Threads") <= threadsBefore; }));
  ::kill(flooder, SIGKILL);
  ::waitpid(flooder, nullptr, 0);
}

TEST_F(HostileCallerTest, TemporaryFilesOfKilledWritesAreRemoved) {
  const std::string folder = root_.profileFolder();
  const std::vector<std::string> abandoned = {list() + ".Ab12Cd", list(".plist.dummy") + ".xY9876",
                                              root_.listPath("anna") + ".QQQQQQ"};
  for (const auto& path : abandoned) writeFile(path, std::string(300000, 'x'));
  const std::string unrelated = folder + "/notes.abcdef";
  writeFile(unrelated, "not ours");

  // The service was killed mid-write; it starts again and cleans up.
  ::kill(service_->pid(), SIGKILL);
  startService();
  for (const auto& path : abandoned) EXPECT_FALSE(fileExists(path)) << path;
  EXPECT_TRUE(fileExists(unrelated));

  // A leftover is also removed before the next write of its target.
  const std::string leftover = list(".plist.dummy") + ".Zz0000";
  writeFile(leftover, "left over");
  EXPECT_EQ(relayAsNobody({"writeDataToPlistFile_XPC", "file://" + list(), "<plist/>"}),
            "writeDataToPlistFile_XPC=TRUE\n");
  EXPECT_FALSE(fileExists(leftover));
  EXPECT_EQ(readFile(list(".plist.dummy")), "<plist/>");
}

TEST_F(HostileCallerTest, FifosInPlaceOfListsAreRefusedWithoutBlocking) {
  ASSERT_EQ(::mkfifo(list().c_str(), 0666), 0);
  ASSERT_EQ(::mkfifo(list(".plist.dummy").c_str(), 0666), 0);
  EXPECT_EQ(relayAsNobody({"znPListExistProfile_XPC", list()}), "znPListExistProfile_XPC=FALSE\n");
  EXPECT_EQ(relayAsNobody({"znPListIsAdminProfile_XPC", list()}), "znPListIsAdminProfile_XPC=FALSE\n");
  // The walk reads the list before merging and tests that it may write it:
  // the FIFO is neither read nor replaced, and the walk ends.
  EXPECT_EQ(walkAsNobody({"snmpwalk", "-c", "public", "-v", "1", "-t", "0.2", "-r", "0", "127.0.0.2", kTableRoot}),
            "mibwalk_XPC=iRet=1\n");
  struct stat st;
  ASSERT_EQ(::lstat(list().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  // A chunk to a FIFO temporary file starts a new regular file.
  EXPECT_EQ(relayAsNobody({"writeDataToPlistFile_XPC", "file://" + list(), "A"}), "writeDataToPlistFile_XPC=TRUE\n");
  EXPECT_EQ(readFile(list(".plist.dummy")), "A");
  EXPECT_TRUE(serviceAnswers());
}

}  // namespace
}  // namespace integration
