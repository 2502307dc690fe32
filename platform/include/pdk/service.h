// The service connection: a listener that accepts clients on a Unix stream
// socket and gives each connection its own exported object, and the client
// side that sends one text request per operation and waits for one text
// reply. Frames are a 4-byte big-endian length followed by the bytes; a call
// is two frames (operation name, request) answered by one frame (reply).
// A ServiceListener serves every connection on a thread of its own; the
// exported object of a connection is only ever used by that thread.
// A ServiceConnection belongs to one thread at a time.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
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
  // Accept and serve connections until the process ends or the listening
  // socket fails. Each connection is served on a detached thread.
  void resume();

 private:
  explicit ServiceListener(int fd) : fd_(fd) {}
  void serveConnection(int fd);

  int fd_;
  ServiceListenerDelegate* delegate_ = nullptr;
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
// `*tooLong` is set (the stream stays in step).
bool receiveServiceFrame(int fd, size_t maxBytes, std::string* bytes, bool* tooLong);

}  // namespace pdk
