#include "pdk/service.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#include "pdk/text.h"

namespace pdk {
namespace {

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

using Clock = std::chrono::steady_clock;
constexpr Clock::time_point kNoDeadline = Clock::time_point::max();
constexpr size_t kReceiveChunk = 65536;

// Receive up to `size` bytes before `deadline`: the count, 0 at the end of
// the stream, -1 on a failure or when the deadline passed.
ssize_t receiveSome(int fd, char* data, size_t size, Clock::time_point deadline) {
  for (;;) {
    if (deadline != kNoDeadline) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return -1;
      pollfd p{fd, POLLIN, 0};
      const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 60000)));
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) return -1;
      if (ready == 0) continue;  // look at the clock again
    }
    const ssize_t n = ::recv(fd, data, size, 0);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

bool receiveExactly(int fd, char* data, size_t size, Clock::time_point deadline) {
  while (size > 0) {
    const ssize_t n = receiveSome(fd, data, size, deadline);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Read one frame before `deadline`. Its bytes are stored as they arrive,
// each piece admitted by `admit` (a memory budget); a frame over `maxBytes`
// or over the budget is read to its end and dropped, with `*tooLong` set.
bool receiveFrame(int fd, size_t maxBytes, Clock::time_point deadline, const std::function<bool(size_t)>& admit,
                  std::string* bytes, bool* tooLong) {
  unsigned char header[4];
  bytes->clear();
  *tooLong = false;
  if (!receiveExactly(fd, reinterpret_cast<char*>(header), 4, deadline)) return false;
  size_t left = (size_t{header[0]} << 24) | (size_t{header[1]} << 16) | (size_t{header[2]} << 8) | header[3];
  *tooLong = left > maxBytes;
  char chunk[kReceiveChunk];
  while (left > 0) {
    const ssize_t n = receiveSome(fd, chunk, std::min(left, sizeof chunk), deadline);
    if (n <= 0) return false;
    left -= static_cast<size_t>(n);
    if (*tooLong) continue;
    if (admit && !admit(static_cast<size_t>(n))) {
      *tooLong = true;
      std::string().swap(*bytes);
      continue;
    }
    bytes->append(chunk, static_cast<size_t>(n));
  }
  return true;
}

bool fillAddress(const std::string& path, sockaddr_un* addr) {
  std::memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof addr->sun_path) return false;
  std::memcpy(addr->sun_path, path.data(), path.size());
  return true;
}

void makeParentFolders(const std::string& path) {
  for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
    ::mkdir(path.substr(0, pos).c_str(), 0755);
  }
}

ServicePeer peerOf(int fd) {
  ServicePeer peer;
  ucred cred{};
  socklen_t len = sizeof cred;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0) {
    peer.uid = cred.uid;
    peer.gid = cred.gid;
    peer.pid = cred.pid;
  }
  return peer;
}

}  // namespace

bool sendServiceFrame(int fd, const std::string& bytes) {
  if (bytes.size() > 0xFFFFFFFFu) return false;
  uint32_t n = static_cast<uint32_t>(bytes.size());
  unsigned char header[4] = {static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                             static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)};
  return writeAll(fd, reinterpret_cast<const char*>(header), 4) && writeAll(fd, bytes.data(), bytes.size());
}

bool receiveServiceFrame(int fd, size_t maxBytes, std::string* bytes, bool* tooLong) {
  return receiveFrame(fd, maxBytes, kNoDeadline, nullptr, bytes, tooLong);
}

std::unique_ptr<ServiceListener> ServiceListener::listenAt(const std::string& path) {
  sockaddr_un addr;
  if (!fillAddress(path, &addr)) return nullptr;
  makeParentFolders(path);
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) ::unlink(path.c_str());
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, SOMAXCONN) != 0) {
    ::close(fd);
    return nullptr;
  }
  // Every local user may connect; the exported object decides what each may do.
  ::chmod(path.c_str(), 0666);
  return std::unique_ptr<ServiceListener>(new ServiceListener(fd));
}

std::unique_ptr<ServiceListener> ServiceListener::fromSocketActivation() {
  const char* pid = std::getenv("LISTEN_PID");
  const char* fds = std::getenv("LISTEN_FDS");
  if (!pid || !fds || std::strtol(pid, nullptr, 10) != ::getpid() || std::strtol(fds, nullptr, 10) < 1) {
    return nullptr;
  }
  constexpr int kFirstPassedFd = 3;
  int type = 0;
  socklen_t len = sizeof type;
  if (::getsockopt(kFirstPassedFd, SOL_SOCKET, SO_TYPE, &type, &len) != 0 || type != SOCK_STREAM) {
    return nullptr;
  }
  ::fcntl(kFirstPassedFd, F_SETFD, FD_CLOEXEC);
  ::unsetenv("LISTEN_PID");
  ::unsetenv("LISTEN_FDS");
  ::unsetenv("LISTEN_FDNAMES");
  return std::unique_ptr<ServiceListener>(new ServiceListener(kFirstPassedFd));
}

ServiceListener::~ServiceListener() { ::close(fd_); }

void ServiceListener::resume() {
  for (;;) {
    int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        // Out of descriptors or memory: give the connections being served
        // time to end instead of spinning on accept.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        continue;
      }
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    const ServicePeer peer = peerOf(client);
    if (!admit(peer)) {
      ::close(client);
      continue;
    }
    try {
      std::thread([this, client, peer] { serveConnection(client, peer); }).detach();
    } catch (const std::system_error&) {
      release(peer);
      ::close(client);  // no thread to spare: drop this client, keep listening
    }
  }
}

bool ServiceListener::admit(const ServicePeer& peer) {
  std::lock_guard<std::mutex> lock(countMutex_);
  size_t& mine = connectionsByCaller_[peer.uid];
  if (connections_ >= limits_.maxConnections || (peer.uid != 0 && mine >= limits_.maxConnectionsPerCaller)) {
    if (mine == 0) connectionsByCaller_.erase(peer.uid);
    return false;
  }
  ++connections_;
  ++mine;
  return true;
}

void ServiceListener::release(const ServicePeer& peer) {
  std::lock_guard<std::mutex> lock(countMutex_);
  --connections_;
  if (--connectionsByCaller_[peer.uid] == 0) connectionsByCaller_.erase(peer.uid);
}

void ServiceListener::serveConnection(int fd, const ServicePeer& peer) {
  // A reply is small; a client that does not read it is not waited for long.
  const timeval sendLimit{static_cast<time_t>(limits_.requestTimeLimit.count() / 1000),
                          static_cast<suseconds_t>(limits_.requestTimeLimit.count() % 1000 * 1000)};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);

  std::unique_ptr<ServiceObject> object;
  if (delegate_) object = delegate_->listener(*this, peer);
  while (object) {
    const Clock::time_point deadline = Clock::now() + limits_.requestTimeLimit;
    size_t held = 0;
    auto admitBytes = [&](size_t n) {
      if (bufferedBytes_.fetch_add(n) + n > limits_.maxBufferedRequestBytes) {
        bufferedBytes_.fetch_sub(n);
        return false;
      }
      held += n;
      return true;
    };
    std::string operation, request;
    bool opTooLong = false, requestTooLong = false;
    const bool received =
        receiveFrame(fd, kServiceMaxOperationBytes, deadline, admitBytes, &operation, &opTooLong) &&
        receiveFrame(fd, kServiceMaxRequestBytes, deadline, admitBytes, &request, &requestTooLong);
    bool sent = received;
    if (received) {
      bool replied = false;
      ServiceReply reply = [&](const std::string& text) {
        if (replied) return;
        replied = true;
        sent = sendServiceFrame(fd, text);
      };
      if (opTooLong || requestTooLong || !isValidUtf8(operation) || !isValidUtf8(request)) {
        reply(object->refusal(opTooLong ? std::string() : operation));
      } else {
        object->perform(operation, request, reply);
        if (!replied) reply(object->refusal(operation));
      }
    }
    bufferedBytes_.fetch_sub(held);
    if (!sent) break;
  }
  ::close(fd);
  release(peer);
}

std::unique_ptr<ServiceConnection> ServiceConnection::connectTo(const std::string& path) {
  sockaddr_un addr;
  if (!fillAddress(path, &addr)) return nullptr;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<ServiceConnection>(new ServiceConnection(fd));
}

ServiceConnection::~ServiceConnection() { ::close(fd_); }

int32_t ServiceConnection::call(const std::string& operation, const std::string& request, std::string* reply) {
  reply->clear();
  bool tooLong = false;
  if (!sendServiceFrame(fd_, operation) || !sendServiceFrame(fd_, request)) return -1;
  if (!receiveServiceFrame(fd_, 0xFFFFFFFFu, reply, &tooLong)) {
    reply->clear();
    return -1;
  }
  return 0;
}

}  // namespace pdk
