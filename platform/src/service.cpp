#include "pdk/service.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

bool readAll(int fd, char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::recv(fd, data, size, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
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
  unsigned char header[4];
  *tooLong = false;
  bytes->clear();
  if (!readAll(fd, reinterpret_cast<char*>(header), 4)) return false;
  size_t n = (size_t{header[0]} << 24) | (size_t{header[1]} << 16) | (size_t{header[2]} << 8) | header[3];
  if (n <= maxBytes) {
    bytes->resize(n);
    return readAll(fd, bytes->data(), n);
  }
  // Drop the oversized payload so the next frame is read from its start.
  *tooLong = true;
  char sink[65536];
  while (n > 0) {
    size_t chunk = n < sizeof sink ? n : sizeof sink;
    if (!readAll(fd, sink, chunk)) return false;
    n -= chunk;
  }
  return true;
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
      if (errno == EINTR || errno == ECONNABORTED || errno == EMFILE || errno == ENFILE ||
          errno == ENOBUFS || errno == ENOMEM) {
        continue;
      }
      return;
    }
    try {
      std::thread([this, client] { serveConnection(client); }).detach();
    } catch (const std::system_error&) {
      ::close(client);  // no thread to spare: drop this client, keep listening
    }
  }
}

void ServiceListener::serveConnection(int fd) {
  std::unique_ptr<ServiceObject> object;
  if (delegate_) object = delegate_->listener(*this, peerOf(fd));
  while (object) {
    std::string operation, request;
    bool opTooLong = false, requestTooLong = false;
    if (!receiveServiceFrame(fd, kServiceMaxOperationBytes, &operation, &opTooLong) ||
        !receiveServiceFrame(fd, kServiceMaxRequestBytes, &request, &requestTooLong)) {
      break;
    }
    bool replied = false;
    bool sent = true;
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
    if (!sent) break;
  }
  ::close(fd);
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
