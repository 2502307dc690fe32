#include "peer_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>
#include <ctime>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

struct PeerParts {
  std::string host;  // without brackets
  std::string port;  // empty: net-snmp's default port
};

PeerParts splitPeer(const std::string& peer) {
  if (!peer.empty() && peer.front() == '[') {
    const size_t close = peer.find(']');
    if (close == std::string::npos) return {peer, ""};
    const std::string after = peer.substr(close + 1);
    return {peer.substr(1, close - 1), after.size() > 1 && after.front() == ':' ? after.substr(1) : ""};
  }
  const size_t colon = peer.find(':');
  if (colon == std::string::npos) return {peer, ""};
  return {peer.substr(0, colon), peer.substr(colon + 1)};
}

std::string numericText(const addrinfo* address) {
  char text[INET6_ADDRSTRLEN] = {};
  if (address->ai_family == AF_INET) {
    ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address->ai_addr)->sin_addr, text, sizeof text);
    return text;
  }
  const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address->ai_addr);
  ::inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
  std::string out = text;
  if (v6->sin6_scope_id != 0) out += "%" + std::to_string(v6->sin6_scope_id);
  return out;
}

// A look-up that did not finish in time cannot always be taken back; its
// request block must then outlive this call, so it is left to the resolver.
struct Lookup {
  std::string host;
  addrinfo hints{};
  gaicb request{};
};

}  // namespace

std::optional<std::string> resolvePeerWithin(const std::string& peer,
                                             std::chrono::steady_clock::time_point deadline) {
  const PeerParts parts = splitPeer(peer);
  if (parts.host.empty()) return std::nullopt;

  auto* lookup = new Lookup;
  lookup->host = parts.host;
  lookup->hints.ai_family = AF_UNSPEC;
  lookup->hints.ai_socktype = SOCK_DGRAM;
  lookup->request.ar_name = lookup->host.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* list[] = {&lookup->request};
  if (::getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) {
    delete lookup;
    return std::nullopt;
  }
  for (;;) {
    const int state = ::gai_error(&lookup->request);
    if (state != EAI_INPROGRESS) break;
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
      const int cancel = ::gai_cancel(&lookup->request);
      if (cancel == EAI_ALLDONE && lookup->request.ar_result) ::freeaddrinfo(lookup->request.ar_result);
      if (cancel != EAI_NOTCANCELED) delete lookup;  // else still running: the block stays with the resolver
      return std::nullopt;
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    ::gai_suspend(list, 1, &wait);
  }
  std::optional<std::string> out;
  if (::gai_error(&lookup->request) == 0 && lookup->request.ar_result) {
    const addrinfo* first = lookup->request.ar_result;
    const std::string port = parts.port.empty() ? "" : ":" + parts.port;
    out = first->ai_family == AF_INET ? numericText(first) + port : "udp6:[" + numericText(first) + "]" + port;
  }
  if (lookup->request.ar_result) ::freeaddrinfo(lookup->request.ar_result);
  delete lookup;
  return out;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
