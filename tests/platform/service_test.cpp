// The service connection over a real Unix socket: framing, the caller's uid,
// refusals of oversized and malformed requests, and socket activation.
#include "pdk/service.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

// Replies "<operation>|<request>|<caller uid>"; refuses with "REFUSED:<operation>".
class EchoObject : public pdk::ServiceObject {
 public:
  explicit EchoObject(uid_t uid) : uid_(uid) {}
  void perform(const std::string& operation, const std::string& request, const pdk::ServiceReply& reply) override {
    reply(operation + "|" + request + "|" + std::to_string(uid_));
  }
  std::string refusal(const std::string& operation) override { return "REFUSED:" + operation; }

 private:
  uid_t uid_;
};

class EchoDelegate : public pdk::ServiceListenerDelegate {
 public:
  std::unique_ptr<pdk::ServiceObject> listener(pdk::ServiceListener&, const pdk::ServicePeer& peer) override {
    if (refuseAll) return nullptr;
    return std::make_unique<EchoObject>(peer.uid);
  }
  bool refuseAll = false;
};

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/service_test.XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    path_ = dir_ + "/sub/helper.sock";
  }
  void TearDown() override { std::system(("rm -rf " + dir_).c_str()); }

  // Serve on a thread for the rest of the process (each test runs alone).
  void startListener() {
    auto listener = pdk::ServiceListener::listenAt(path_);
    ASSERT_NE(listener, nullptr);
    listener->setDelegate(&delegate_);
    std::thread([l = listener.release()] { l->resume(); }).detach();
  }

  int rawConnect() {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path_.c_str());
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    return fd;
  }

  std::string dir_, path_;
  EchoDelegate delegate_;
};

TEST_F(ServiceTest, CallsOnOneConnectionGetTheirRepliesAndTheCallerUid) {
  startListener();
  auto connection = pdk::ServiceConnection::connectTo(path_);
  ASSERT_NE(connection, nullptr);
  std::string reply;
  const std::string uid = std::to_string(::getuid());
  ASSERT_EQ(connection->call("first", "a b c", &reply), 0);
  EXPECT_EQ(reply, "first|a b c|" + uid);
  // An empty request and a second call on the same connection.
  ASSERT_EQ(connection->call("second", "", &reply), 0);
  EXPECT_EQ(reply, "second||" + uid);
}

TEST_F(ServiceTest, ManyClientsAtOnce) {
  startListener();
  std::vector<std::thread> clients;
  std::vector<std::string> replies(8);
  for (size_t i = 0; i < replies.size(); ++i) {
    clients.emplace_back([&, i] {
      auto connection = pdk::ServiceConnection::connectTo(path_);
      if (connection) connection->call("op", std::to_string(i), &replies[i]);
    });
  }
  for (auto& t : clients) t.join();
  for (size_t i = 0; i < replies.size(); ++i) {
    EXPECT_EQ(replies[i], "op|" + std::to_string(i) + "|" + std::to_string(::getuid()));
  }
}

TEST_F(ServiceTest, MalformedRequestsAreRefusedAndTheConnectionKeepsServing) {
  startListener();
  int fd = rawConnect();
  std::string reply;
  bool tooLong = false;
  struct Case {
    const char* what;
    std::string operation;
    std::string request;
    std::string expected;
  } cases[] = {
      {"request over the limit", "big", std::string(pdk::kServiceMaxRequestBytes + 1, 'x'), "REFUSED:big"},
      {"request not UTF-8", "bad", std::string("\xff\xfe", 2), "REFUSED:bad"},
      {"operation not UTF-8", std::string("\xc3", 1), "x", "REFUSED:\xc3"},
      {"operation over the limit", std::string(pdk::kServiceMaxOperationBytes + 1, 'o'), "x", "REFUSED:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(pdk::sendServiceFrame(fd, c.operation));
    ASSERT_TRUE(pdk::sendServiceFrame(fd, c.request));
    ASSERT_TRUE(pdk::receiveServiceFrame(fd, 1 << 20, &reply, &tooLong));
    EXPECT_EQ(reply, c.expected);
  }
  // The same connection still answers a good request.
  ASSERT_TRUE(pdk::sendServiceFrame(fd, "good"));
  ASSERT_TRUE(pdk::sendServiceFrame(fd, "ok"));
  ASSERT_TRUE(pdk::receiveServiceFrame(fd, 1 << 20, &reply, &tooLong));
  EXPECT_EQ(reply, "good|ok|" + std::to_string(::getuid()));
  ::close(fd);
}

TEST_F(ServiceTest, RefusedConnectionAndMissingListenerFailTheCall) {
  EXPECT_EQ(pdk::ServiceConnection::connectTo(path_), nullptr);
  delegate_.refuseAll = true;
  startListener();
  auto connection = pdk::ServiceConnection::connectTo(path_);
  ASSERT_NE(connection, nullptr);
  std::string reply = "stale";
  EXPECT_EQ(connection->call("op", "x", &reply), -1);
  EXPECT_EQ(reply, "");
}

TEST_F(ServiceTest, StaleSocketFileIsReplaced) {
  { auto first = pdk::ServiceListener::listenAt(path_); }  // leaves its socket file behind
  startListener();
  auto connection = pdk::ServiceConnection::connectTo(path_);
  ASSERT_NE(connection, nullptr);
  std::string reply;
  EXPECT_EQ(connection->call("op", "x", &reply), 0);
}

// Socket activation hands the listening socket over as descriptor 3, and
// only to the process named by LISTEN_PID.
TEST_F(ServiceTest, SocketActivationTakesDescriptorThreeOfThisProcessOnly) {
  for (bool forThisProcess : {true, false}) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un addr{};
      addr.sun_family = AF_UNIX;
      std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s/activated%d.sock", dir_.c_str(),
                    forThisProcess ? 1 : 0);
      if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 4) != 0 ||
          ::dup2(fd, 3) != 3) {
        ::_exit(3);
      }
      std::string pid = std::to_string(forThisProcess ? ::getpid() : ::getpid() + 1);
      ::setenv("LISTEN_PID", pid.c_str(), 1);
      ::setenv("LISTEN_FDS", "1", 1);
      auto listener = pdk::ServiceListener::fromSocketActivation();
      ::_exit(listener ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), forThisProcess ? 0 : 1);
  }
}

}  // namespace
