// Name resolution of the walk's peer within the walk's time limit. net-snmp
// resolves a host name itself, as long as the system resolver takes; the
// walk resolves it first, with a deadline, and hands net-snmp the address.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// The peer text ("printer.local", "192.0.2.7:161", "[fe80::1]") with its
// host resolved to a numeric address ("192.0.2.7:161", "udp6:[fe80::1]"),
// the port kept. Nullopt when the name does not resolve before `deadline`.
std::optional<std::string> resolvePeerWithin(const std::string& peer,
                                             std::chrono::steady_clock::time_point deadline);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
