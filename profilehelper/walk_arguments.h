// The walk arguments a request may carry. A walk request comes from any
// local user and its arguments would otherwise reach net-snmp's option
// parser whole, where options can log to files, load MIB modules, add
// configuration lines or turn on packet dumps. Only what a walk of the
// printer's profile table needs is let through; the command line handed to
// the parser is rebuilt from the checked pieces. Pure functions, thread-safe.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Caps on the per-request time-out (seconds, per try) and retries.
inline constexpr double kMaxWalkTimeoutSeconds = 5.0;
inline constexpr int kMaxWalkRetries = 3;

// Check an snmpwalk command line (args[0] is the command name) and return
// it rebuilt: "snmpwalk", the accepted options, then the host and the root
// when given. Accepted: -v 1|2c, -c COMMUNITY, -O with output letters, -C
// with letters, -t up to 5 seconds, -r up to 3, -h, -V; a host name, an
// IPv4 address or a bracketed IPv6 address, each with an optional ":port";
// a numeric root identifier. Anything else (every other option, long
// options, options after the host, a host starting with "-" or holding
// blanks or control characters, a symbolic root, more arguments) gives
// nullopt.
std::optional<std::vector<std::string>> checkWalkArguments(const std::vector<std::string>& args);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
