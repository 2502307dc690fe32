// Network service resolution: find the addresses of a DNS-SD (Bonjour)
// service from its name, type and domain through the Avahi daemon, reached
// over the D-Bus system bus (DBUS_SYSTEM_BUS_ADDRESS when set; libdbus reads
// it once per process).
// Blocking, for at most the given time limit; safe to call from any thread.
#pragma once

#include <sys/socket.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pdk {

// Results of resolveNetService.
inline constexpr int32_t kNetServiceResolved = 0;
inline constexpr int32_t kNetServiceNotFound = -1;     // the daemon answered that it cannot resolve it
inline constexpr int32_t kNetServiceTimedOut = -2;     // no answer within the time limit
inline constexpr int32_t kNetServiceUnavailable = -3;  // no bus, no daemon, or the daemon went away
inline constexpr int32_t kNetServiceBadArgument = -50;

// One address record of a resolved service.
struct NetServiceAddress {
  sa_family_t family = AF_UNSPEC;  // AF_INET or AF_INET6
  std::array<uint8_t, 16> bytes{};  // network byte order; the first 4 for AF_INET
  uint16_t port = 0;

  // True for an IPv4 address; then bytes[0..3] hold it.
  bool isIPv4() const { return family == AF_INET; }
  // Dotted (IPv4) or colon (IPv6) text form.
  std::string text() const;
};

// Resolve the service `name` of `type` (e.g. "_printer._tcp") in `domain`
// (e.g. "local"), waiting at most `timeoutSeconds`. On kNetServiceResolved
// `addresses` holds at least one record; otherwise it is left empty.
// `family` selects the address records wanted: AF_INET, AF_INET6 or
// AF_UNSPEC for either.
int32_t resolveNetService(const std::string& name, const std::string& type, const std::string& domain,
                          double timeoutSeconds, std::vector<NetServiceAddress>* addresses,
                          sa_family_t family = AF_INET);

}  // namespace pdk
