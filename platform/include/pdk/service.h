// The service connection: a listener that accepts clients on a Unix stream
// socket and gives each connection its own exported object, and the client
// side that sends one text request per operation and waits for one text
// reply. Frames are a 4-byte big-endian length followed by the bytes; a call
// is two frames (operation name, request) answered by one frame (reply).
// A ServiceListener serves every connection on a thread of its own; the
// exported object of a connection is only ever used by that thread. Its
// clients may be hostile: the number of connections, the time a request may
// take to arrive and the memory held by requests are bounded.
// A ServiceConnection belongs to one thread at a time.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <memory>
#include <string>

namespace pdk {

// Largest request frame the listener accepts; a longer one is refused.
inline constexpr size_t kServiceMaxRequestBytes = 16u << 20;
// Largest operation-name frame the listener accepts.
inline constexpr size_t kServiceMaxOperationBytes = 256;

// Who is on the other end of a connection, as the kernel reports it.
struct ServicePeer {
  uid_t uid = static_cast<uid_t>(-1);
  gid_t gid = static_cast<gid_t>(-1);
  pid_t pid = 0;
};

// Sends the one reply of a request.
using ServiceReply = std::function<void(const std::string& reply)>;

// The object exported on one connection.
class ServiceObject {
 public:
  virtual ~ServiceObject() = default;
  // Answer one request by calling `reply` once.
  virtual void perform(const std::string& operation, const std::string& request,
                       const ServiceReply& reply) = 0;
  // The reply to a request that could not be accepted (too long, or not
  // valid UTF-8): the operation's failure reply.
  virtual std::string refusal(const std::string& operation) = 0;
};

class ServiceListener;

// Bounds of a listener, whatever its clients send.
struct ServiceLimits {
  // Time a connection has to deliver one complete request, from its start
  // or from the reply to its previous request; then it is closed.
  std::chrono::milliseconds requestTimeLimit{10000};
  // Connections served at once, in all and per caller (root not counted
  // per caller); a connection beyond them is closed at once.
  size_t maxConnections = 128;
  size_t maxConnectionsPerCaller = 16;
  // Request bytes held at once by all connections; a request that does not
  // fit is read, dropped and refused.
  size_t maxBufferedRequestBytes = 64u << 20;
};

// Decides about each new connection. Return the object to export on it, or
// null to close the connection at once. Called on the connection's thread.
class ServiceListenerDelegate {
 public:
  virtual ~ServiceListenerDelegate() = default;
  virtual std::unique_ptr<ServiceObject> listener(ServiceListener& listener,
                                                  const ServicePeer& newConnection) = 0;
};

class ServiceListener {
 public:
  // Bind a new socket at `path` (a stale socket there is replaced; the
  // parent folder is created). Null on failure.
  static std::unique_ptr<ServiceListener> listenAt(const std::string& path);
  // Take the listening socket handed over by systemd socket activation
  // (LISTEN_PID/LISTEN_FDS, first descriptor 3). Null when not activated.
  static std::unique_ptr<ServiceListener> fromSocketActivation();

  ~ServiceListener();
  ServiceListener(const ServiceListener&) = delete;
  ServiceListener& operator=(const ServiceListener&) = delete;

  void setDelegate(ServiceListenerDelegate* delegate) { delegate_ = delegate; }
  // Set the bounds (before resume).
  void setLimits(const ServiceLimits& limits) { limits_ = limits; }
  // Accept and serve connections until the process ends or the listening
  // socket fails. Each connection is served on a detached thread.
  void resume();

 private:
  explicit ServiceListener(int fd) : fd_(fd) {}
  // Count a new connection of `peer`; false when it is over a bound.
  bool admit(const ServicePeer& peer);
  void release(const ServicePeer& peer);
  void serveConnection(int fd, const ServicePeer& peer);

  int fd_;
  ServiceListenerDelegate* delegate_ = nullptr;
  ServiceLimits limits_;
  std::mutex countMutex_;
  size_t connections_ = 0;
  std::map<uid_t, size_t> connectionsByCaller_;
  std::atomic<size_t> bufferedBytes_{0};
};

// Client side of one connection.
class ServiceConnection {
 public:
  // Connect to the listener at `path`. Null when nobody listens there.
  static std::unique_ptr<ServiceConnection> connectTo(const std::string& path);

  ~ServiceConnection();
  ServiceConnection(const ServiceConnection&) = delete;
  ServiceConnection& operator=(const ServiceConnection&) = delete;

  // Send one request and wait for its reply. 0 on success, -1 when the
  // connection failed (the reply is then empty).
  int32_t call(const std::string& operation, const std::string& request, std::string* reply);

 private:
  explicit ServiceConnection(int fd) : fd_(fd) {}
  int fd_;
};

// Low-level framing, shared by both sides (and usable by tests that speak
// the protocol by hand). Both return false on a closed or failed socket.
bool sendServiceFrame(int fd, const std::string& bytes);
// Read one frame. A frame longer than `maxBytes` is read and dropped, and
// `*tooLong` is set (the stream stays in step). The bytes are stored as
// they arrive, never allocated from the announced length up front.
bool receiveServiceFrame(int fd, size_t maxBytes, std::string* bytes, bool* tooLong);

}  // namespace pdk
