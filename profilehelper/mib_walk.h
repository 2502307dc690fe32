// The printer MIB walk: an snmpwalk-style driver over net-snmp that feeds
// every variable of the walked subtree into the walk spool and, on every
// exit path, merges the spool into the profile list at ZN_PLIST_PROFILE_PATH.
// Not reentrant: the spool, the counter, net-snmp's default store and the
// profile paths are process-wide, so callers run one walk at a time.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <cstddef>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Settings of the walk in net-snmp's application default store.
inline constexpr int NETSNMP_DS_WALK_INCLUDE_REQUESTED = 1;
inline constexpr int NETSNMP_DS_WALK_PRINT_STATISTICS = 2;
inline constexpr int NETSNMP_DS_WALK_DONT_CHECK_LEXICOGRAPHIC = 3;

// Bounds of one walk, whatever its arguments ask for: walks run one at a
// time, so a walk that never ends would stall every other user's walk.
struct WalkLimits {
  std::chrono::milliseconds timeLimit{30000};  // from the start of the walk
  size_t maxVariables = 10000;                 // received, in all responses
};
// Set the bounds for the walks that follow (before serving).
void setWalkLimits(const WalkLimits& limits);
const WalkLimits& walkLimits();

// Walk with an snmpwalk command line (argv[0] is the command name). Return
// 0 on success, 1 on an error (unparsable root, session not opened, time-out,
// transport error, identifiers out of order, the time limit or the variable
// cap reached), 2 when the agent reported an
// error status, or net-snmp's negative parser result when it asked to stop.
int mib_walk(int argc, char* argv[]);

// GET `name` and print what comes back (counted, not spooled).
void snmp_get_and_print(netsnmp_session* session, oid* name, size_t nameLength);

// The "-C" option callback of the argument parser.
void optProc(int argc, char* const* argv, int opt);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
