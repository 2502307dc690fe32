#include "pdk/netservice.h"

#include <arpa/inet.h>
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>
#include <avahi-common/timeval.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace pdk {

std::string NetServiceAddress::text() const {
  char buf[INET6_ADDRSTRLEN] = {};
  if (family != AF_INET && family != AF_INET6) return "";
  return ::inet_ntop(family, bytes.data(), buf, sizeof buf) ? std::string(buf) : std::string();
}

namespace {

// One look-up, shared between the caller and the thread that runs it: the
// caller may give up on a daemon that never answers (a D-Bus call inside
// avahi-client can block far longer than the caller's limit), and the
// thread then finishes on its own and drops its share.
struct Lookup {
  std::string name, type, domain;
  AvahiProtocol addressProtocol = AVAHI_PROTO_UNSPEC;
  std::chrono::steady_clock::time_point deadline;

  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  int32_t result = kNetServiceTimedOut;
  std::vector<NetServiceAddress> addresses;
};

// State of the event loop on the look-up thread.
struct Loop {
  AvahiSimplePoll* poll = nullptr;
  int32_t result = kNetServiceTimedOut;
  std::vector<NetServiceAddress> addresses;
  bool over = false;

  void finish(int32_t status) {
    if (over) return;
    over = true;
    result = status;
    avahi_simple_poll_quit(poll);
  }
};

int32_t statusForAvahiError(int error) {
  switch (error) {
    case AVAHI_ERR_TIMEOUT:
      return kNetServiceTimedOut;
    case AVAHI_ERR_NO_DAEMON:
    case AVAHI_ERR_DISCONNECTED:
    case AVAHI_ERR_DBUS_ERROR:
    case AVAHI_ERR_BAD_STATE:
    case AVAHI_ERR_NO_MEMORY:
    case AVAHI_ERR_TOO_MANY_CLIENTS:
    case AVAHI_ERR_TOO_MANY_OBJECTS:
    case AVAHI_ERR_ACCESS_DENIED:
    case AVAHI_ERR_OS:
      return kNetServiceUnavailable;
    case AVAHI_ERR_INVALID_SERVICE_NAME:
    case AVAHI_ERR_INVALID_SERVICE_TYPE:
    case AVAHI_ERR_INVALID_DOMAIN_NAME:
    case AVAHI_ERR_INVALID_ARGUMENT:
      return kNetServiceBadArgument;
    default:
      return kNetServiceNotFound;
  }
}

void onClientState(AvahiClient*, AvahiClientState state, void* userdata) {
  // The daemon or the bus went away.
  if (state == AVAHI_CLIENT_FAILURE) static_cast<Loop*>(userdata)->finish(kNetServiceUnavailable);
}

void onResolved(AvahiServiceResolver* resolver, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event, const char*,
                const char*, const char*, const char*, const AvahiAddress* address, uint16_t port, AvahiStringList*,
                AvahiLookupResultFlags, void* userdata) {
  auto* loop = static_cast<Loop*>(userdata);
  if (event != AVAHI_RESOLVER_FOUND || !address) {
    loop->finish(statusForAvahiError(avahi_client_errno(avahi_service_resolver_get_client(resolver))));
    return;
  }
  NetServiceAddress record;
  record.port = port;
  if (address->proto == AVAHI_PROTO_INET) {
    record.family = AF_INET;
    std::memcpy(record.bytes.data(), &address->data.ipv4.address, 4);
  } else if (address->proto == AVAHI_PROTO_INET6) {
    record.family = AF_INET6;
    std::memcpy(record.bytes.data(), address->data.ipv6.address, 16);
  } else {
    loop->finish(kNetServiceNotFound);
    return;
  }
  loop->addresses.push_back(record);
  // The first answer is enough: further ones only repeat it per interface.
  loop->finish(kNetServiceResolved);
}

void onTimeout(AvahiTimeout*, void* userdata) { static_cast<Loop*>(userdata)->finish(kNetServiceTimedOut); }

// Run the look-up on the calling thread until it ends or its deadline passes.
void runLookup(Lookup& lookup) {
  Loop loop;
  loop.poll = avahi_simple_poll_new();
  if (!loop.poll) {
    loop.result = kNetServiceUnavailable;
  } else {
    int error = 0;
    AvahiClient* client = avahi_client_new(avahi_simple_poll_get(loop.poll), AvahiClientFlags(0), onClientState,
                                           &loop, &error);
    if (!client) {
      loop.result = kNetServiceUnavailable;
    } else if (!loop.over) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(lookup.deadline -
                                                                              std::chrono::steady_clock::now());
      timeval when;
      avahi_elapse_time(&when, static_cast<unsigned>(std::max<int64_t>(0, left.count())), 0);
      const AvahiPoll* api = avahi_simple_poll_get(loop.poll);
      AvahiTimeout* timer = api->timeout_new(api, &when, onTimeout, &loop);
      AvahiServiceResolver* resolver = avahi_service_resolver_new(
          client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, lookup.name.c_str(), lookup.type.c_str(),
          lookup.domain.c_str(), lookup.addressProtocol, AvahiLookupFlags(0), onResolved, &loop);
      if (!resolver) loop.finish(statusForAvahiError(avahi_client_errno(client)));
      while (!loop.over && avahi_simple_poll_iterate(loop.poll, -1) == 0) {
      }
      if (!loop.over) loop.result = kNetServiceUnavailable;  // the poll itself failed
      if (resolver) avahi_service_resolver_free(resolver);
      if (timer) api->timeout_free(timer);
    }
    if (client) avahi_client_free(client);
    avahi_simple_poll_free(loop.poll);
  }

  std::lock_guard<std::mutex> hold(lookup.mutex);
  lookup.result = loop.result;
  if (loop.result == kNetServiceResolved) lookup.addresses = std::move(loop.addresses);
  lookup.finished = true;
  lookup.done.notify_all();
}

}  // namespace

int32_t resolveNetService(const std::string& name, const std::string& type, const std::string& domain,
                          double timeoutSeconds, std::vector<NetServiceAddress>* addresses, sa_family_t family) {
  if (addresses) addresses->clear();
  const auto hasZero = [](const std::string& s) { return s.find('\0') != std::string::npos; };
  if (!addresses || name.empty() || type.empty() || hasZero(name) || hasZero(type) || hasZero(domain) ||
      !std::isfinite(timeoutSeconds) || timeoutSeconds <= 0 || timeoutSeconds > 3600 ||
      (family != AF_INET && family != AF_INET6 && family != AF_UNSPEC))
    return kNetServiceBadArgument;

  auto lookup = std::make_shared<Lookup>();
  lookup->name = name;
  lookup->type = type;
  lookup->domain = domain;
  lookup->addressProtocol = family == AF_INET ? AVAHI_PROTO_INET
                            : family == AF_INET6 ? AVAHI_PROTO_INET6
                                                 : AVAHI_PROTO_UNSPEC;
  const auto limit = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(timeoutSeconds));
  lookup->deadline = std::chrono::steady_clock::now() + limit;

  try {
    std::thread([lookup] { runLookup(*lookup); }).detach();
  } catch (const std::system_error&) {
    return kNetServiceUnavailable;
  }

  // The thread keeps its own deadline; the small margin lets its answer
  // (including "timed out") arrive before we stop waiting for it.
  std::unique_lock<std::mutex> hold(lookup->mutex);
  if (!lookup->done.wait_until(hold, lookup->deadline + std::chrono::milliseconds(100),
                               [&] { return lookup->finished; }))
    return kNetServiceTimedOut;
  if (lookup->result == kNetServiceResolved) *addresses = lookup->addresses;
  return lookup->result;
}

}  // namespace pdk
