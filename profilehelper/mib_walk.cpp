#include "mib_walk.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "debug_channel.h"
#include "peer_address.h"
#include "walk_spool.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

constexpr size_t kMaxOidLength = MAX_OID_LEN;  // 128 sub-identifiers
constexpr oid kDefaultRoot[] = {1, 3, 6, 1, 2, 1};

using Clock = std::chrono::steady_clock;

constexpr int kWalkSettings[] = {NETSNMP_DS_WALK_INCLUDE_REQUESTED, NETSNMP_DS_WALK_PRINT_STATISTICS,
                                 NETSNMP_DS_WALK_DONT_CHECK_LEXICOGRAPHIC};

WalkLimits gLimits;

// Variables of the walked subtree that this walk has handed on.
int numprinted = 0;

// The walk settings as net-snmp's configuration files set them, and the
// library's own booleans and numbers (output options) likewise.
int configuredSettings[3] = {};
int configuredLibraryBooleans[NETSNMP_DS_MAX_SUBIDS] = {};
int configuredLibraryIntegers[NETSNMP_DS_MAX_SUBIDS] = {};

void registerWalkSettings() {
  static std::once_flag once;
  std::call_once(once, [] {
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "includeRequested", NETSNMP_DS_APPLICATION_ID,
                               NETSNMP_DS_WALK_INCLUDE_REQUESTED);
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "printStatistics", NETSNMP_DS_APPLICATION_ID,
                               NETSNMP_DS_WALK_PRINT_STATISTICS);
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "dontCheckOrdering", NETSNMP_DS_APPLICATION_ID,
                               NETSNMP_DS_WALK_DONT_CHECK_LEXICOGRAPHIC);
    // Read the configuration files now (the argument parser would do it on
    // the first walk, after that walk's "-C" toggles) and keep what they say.
    init_snmp("snmpapp");
    for (int i = 0; i < 3; ++i) configuredSettings[i] = netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkSettings[i]);
    for (int i = 0; i < NETSNMP_DS_MAX_SUBIDS; ++i) {
      configuredLibraryBooleans[i] = netsnmp_ds_get_boolean(NETSNMP_DS_LIBRARY_ID, i);
      configuredLibraryIntegers[i] = netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, i);
    }
  });
  // "-C" toggles and "-O" sets library options; start every walk from the
  // configured state so one request's letters do not carry over to the next.
  for (int i = 0; i < 3; ++i) netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, kWalkSettings[i], configuredSettings[i]);
  for (int i = 0; i < NETSNMP_DS_MAX_SUBIDS; ++i) {
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, i, configuredLibraryBooleans[i]);
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, i, configuredLibraryIntegers[i]);
  }
}

// Fit the session's time-out and retries into what is left before the
// deadline, so that no exchange outlasts it. False when nothing is left.
bool fitExchangeIntoDeadline(netsnmp_session* ss, long timeout, int retries, Clock::time_point deadline) {
  const long left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
  if (left <= 0) return false;
  if (timeout <= 0) timeout = 1000000;
  if (retries < 0) retries = 0;
  if (timeout > left) {
    ss->timeout = left;
    ss->retries = 0;
  } else {
    ss->timeout = timeout;
    ss->retries = static_cast<int>(std::min<long>(retries, left / timeout - 1));
  }
  return true;
}

// A service's standard output reaches nobody: printed variables go to the
// debug channel instead, which --debug shows.
void printVariable(const netsnmp_variable_list* vars) {
  if (FILE* out = debugStream()) fprint_variable(out, vars->name, vars->name_length, vars);
}

// An identifier in dotted form ("1.3.6.1..."), whatever the output options.
void dotted(char* out, size_t size, const oid* name, size_t length) {
  size_t used = 0;
  out[0] = '\0';
  for (size_t i = 0; i < length && used < size; ++i) {
    int n = std::snprintf(out + used, size - used, i ? ".%lu" : "%lu", static_cast<unsigned long>(name[i]));
    if (n < 0) break;
    used += static_cast<size_t>(n);
  }
}

// The walk's end: merge the spool with the result as failure flag.
int finish(int result) {
  walkspool::vRestructPlistSpool2Current(result);
  return result;
}

}  // namespace

void optProc(int /*argc*/, char* const* /*argv*/, int opt) {
  if (opt != 'C') return;
  for (const char* letter = optarg; letter && *letter; ++letter) {
    switch (*letter) {
      case 'i':
        netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_INCLUDE_REQUESTED);
        break;
      case 'p':
        netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_PRINT_STATISTICS);
        break;
      case 'c':
        netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_DONT_CHECK_LEXICOGRAPHIC);
        break;
      default: {
        char text[kDebugTextSize];
        std::snprintf(text, sizeof text, "Unknown flag passed to -C: %c\n", *letter);
        MyDebugMessage(text, 0);
        break;
      }
    }
  }
}

void setWalkLimits(const WalkLimits& limits) { gLimits = limits; }

const WalkLimits& walkLimits() { return gLimits; }

void snmp_get_and_print(netsnmp_session* session, oid* name, size_t nameLength) {
  netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
  snmp_add_null_var(pdu, name, nameLength);
  netsnmp_pdu* response = nullptr;
  int status = snmp_synch_response(session, pdu, &response);
  if (status == STAT_SUCCESS && response->errstat == SNMP_ERR_NOERROR) {
    for (netsnmp_variable_list* vars = response->variables; vars; vars = vars->next_variable) {
      ++numprinted;
      printVariable(vars);
    }
  }
  if (response) snmp_free_pdu(response);
}

int mib_walk(int argc, char* argv[]) {
  const Clock::time_point deadline = Clock::now() + gLimits.timeLimit;
  registerWalkSettings();
  walkspool::vSpoolPlist(nullptr, 0, nullptr, 1);
  numprinted = 0;

  netsnmp_session session;
  // The parser would turn net-snmp's logging to standard error on; the
  // service keeps it off unless its debug channel is on.
  int arg = netsnmp_parse_args(argc, argv, &session, "C:", optProc,
                               debugStream() ? 0 : NETSNMP_PARSE_ARGS_NOLOGGING);
  if (arg < 0) return finish(arg);

  oid root[MAX_OID_LEN];
  size_t rootlen = kMaxOidLength;
  if (arg < argc) {
    if (snmp_parse_oid(argv[arg], root, &rootlen) == nullptr) {
      snmp_perror(argv[arg]);
      return finish(1);
    }
  } else {
    rootlen = sizeof kDefaultRoot / sizeof kDefaultRoot[0];
    std::memcpy(root, kDefaultRoot, sizeof kDefaultRoot);
  }

  // A host name is resolved here, within the time limit, rather than by
  // net-snmp for as long as the resolver takes.
  std::string peer;
  if (session.peername) {
    auto resolved = resolvePeerWithin(session.peername, deadline);
    if (!resolved) {
      MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", 0);
      return finish(1);
    }
    peer = *resolved;
    session.peername = peer.data();
  }
  netsnmp_session* ss = snmp_open(&session);
  if (ss == nullptr) {
    MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", 0);
    snmp_sess_perror("snmpwalk", &session);
    return finish(1);
  }
  const long requestedTimeout = ss->timeout;
  const int requestedRetries = ss->retries;
  auto withinDeadline = [&] { return fitExchangeIntoDeadline(ss, requestedTimeout, requestedRetries, deadline); };

  oid name[MAX_OID_LEN];
  size_t nameLength = rootlen;
  std::memcpy(name, root, rootlen * sizeof(oid));
  bool checkOrdering =
      !netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_DONT_CHECK_LEXICOGRAPHIC);
  if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_INCLUDE_REQUESTED) && withinDeadline()) {
    snmp_get_and_print(ss, root, rootlen);
  }

  int result = 0;
  int status = STAT_SUCCESS;
  size_t variablesReceived = 0;
  bool running = true;
  while (running) {
    if (!withinDeadline()) {
      MyDebugMessage("[UTIL-MIB] Walk time limit reached", 0);
      result = 1;
      status = STAT_TIMEOUT;
      break;
    }
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GETNEXT);
    snmp_add_null_var(pdu, name, nameLength);
    netsnmp_pdu* response = nullptr;
    status = snmp_synch_response(ss, pdu, &response);
    if (status == STAT_SUCCESS && response->errstat == SNMP_ERR_NOERROR && !response->variables) {
      // An answer without variables would have the same request sent again
      // forever while every other walk waits: a protocol error.
      running = false;
      result = 1;
    } else if (status == STAT_SUCCESS && response->errstat == SNMP_ERR_NOERROR) {
      for (netsnmp_variable_list* vars = response->variables; vars; vars = vars->next_variable) {
        if (++variablesReceived > gLimits.maxVariables) {
          // A table that never ends (or repeats itself under -Cc).
          MyDebugMessage("[UTIL-MIB] Walk variable limit reached", 0);
          result = 1;
          running = false;
          break;
        }
        if (vars->name_length < rootlen || std::memcmp(root, vars->name, rootlen * sizeof(oid)) != 0) {
          running = false;  // left the subtree
          continue;
        }
        ++numprinted;
        walkspool::vSpoolPlist(vars->name, vars->name_length, vars, 0);
        if (vars->type == SNMP_ENDOFMIBVIEW || vars->type == SNMP_NOSUCHOBJECT ||
            vars->type == SNMP_NOSUCHINSTANCE) {
          running = false;
          continue;
        }
        if (checkOrdering && snmp_oid_compare(name, nameLength, vars->name, vars->name_length) >= 0) {
          char current[kDebugTextSize], received[kDebugTextSize], text[3 * kDebugTextSize];
          dotted(current, sizeof current, name, nameLength);
          dotted(received, sizeof received, vars->name, vars->name_length);
          std::snprintf(text, sizeof text, "[SNMP] Error: OID not increasing: %s >= %s", current, received);
          MyDebugMessage(text, 0);
          result = 1;
          running = false;
        }
        size_t length = vars->name_length < kMaxOidLength ? vars->name_length : kMaxOidLength;
        std::memcpy(name, vars->name, length * sizeof(oid));
        nameLength = length;
      }
    } else if (status == STAT_SUCCESS) {
      running = false;
      if (response->errstat != SNMP_ERR_NOSUCHNAME) result = 2;  // noSuchName: end of the MIB
    } else if (status == STAT_TIMEOUT) {
      running = false;
      result = 1;
    } else {
      snmp_sess_perror("snmpwalk", ss);
      running = false;
      result = 1;
    }
    if (response) snmp_free_pdu(response);
  }

  if (numprinted == 0 && status == STAT_SUCCESS && withinDeadline()) snmp_get_and_print(ss, root, rootlen);
  snmp_close(ss);
  if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_WALK_PRINT_STATISTICS)) {
    char text[kDebugTextSize];
    std::snprintf(text, sizeof text, "[UTIL-MIB] Variables found: %d", numprinted);
    MyDebugMessage(text, 0);
  }
  return finish(result);
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
