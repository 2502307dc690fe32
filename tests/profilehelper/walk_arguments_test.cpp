// Which walk arguments reach net-snmp's option parser, and in what form.
#include "walk_arguments.h"

#include <gtest/gtest.h>

namespace profilehelper {
namespace {

using Args = std::vector<std::string>;
const std::string kRoot = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1";

TEST(WalkArguments, WhatAWalkNeedsIsRebuilt) {
  struct Case {
    Args given, rebuilt;
  } cases[] = {
      // The colour pane's own request.
      {{"snmpwalk", "-Os", "-c", "public", "-v", "1", "printer.local", kRoot},
       {"snmpwalk", "-Os", "-cpublic", "-v1", "printer.local", kRoot}},
      {{"snmpwalk", "-v2c", "-cpublic", "-t", "0.5", "-r", "3", "-Cicp", "192.0.2.7:16161", "." + kRoot},
       {"snmpwalk", "-v2c", "-cpublic", "-t0.5", "-r3", "-Cicp", "192.0.2.7:16161", "." + kRoot}},
      {{"snmpwalk", "-t5", "-r0", "-OQn", "[fe80::1%eth0]:161"}, {"snmpwalk", "-t5", "-r0", "-OQn", "[fe80::1%eth0]:161"}},
      {{"snmpwalk", "-c", "-Lf", "[2001:db8::7]"}, {"snmpwalk", "-c-Lf", "[2001:db8::7]"}},  // a value, not an option
      // Letters the walk does not know are reported by the walk itself.
      {{"snmpwalk", "-Cx", "host"}, {"snmpwalk", "-Cx", "host"}},
      // Information and usage, and no host at all, are the parser's to answer.
      {{"snmpwalk", "-V"}, {"snmpwalk", "-V"}},
      {{"snmpwalk", "-h"}, {"snmpwalk", "-h"}},
      {{"snmpwalk", "-c", "public", "-v", "1"}, {"snmpwalk", "-cpublic", "-v1"}},
      // Whatever the command name, the parser sees "snmpwalk".
      {{"anything", "host"}, {"snmpwalk", "host"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.given));
    auto rebuilt = checkWalkArguments(c.given);
    ASSERT_TRUE(rebuilt);
    EXPECT_EQ(*rebuilt, c.rebuilt);
  }
}

TEST(WalkArguments, EverythingElseIsRefused) {
  const Args refused[] = {
      {},
      // Logging, MIB loading, configuration, debugging, input options.
      {"snmpwalk", "-Lf", "/etc/shadow", "-c", "public", "-v", "1", "127.0.0.1", kRoot},
      {"snmpwalk", "-Le", "host"},
      {"snmpwalk", "-m", "ALL", "host"},
      {"snmpwalk", "-M", "/tmp/mibs", "host"},
      {"snmpwalk", "-D", "ALL", "host"},
      {"snmpwalk", "-d", "host"},
      {"snmpwalk", "-Ib", "host"},
      {"snmpwalk", "-Pu", "host"},
      {"snmpwalk", "-Y", "logTimestamp yes", "host"},
      {"snmpwalk", "-H"},
      // SNMPv3, engine and transport options.
      {"snmpwalk", "-v", "3", "host"},
      {"snmpwalk", "-u", "admin", "host"},
      {"snmpwalk", "-l", "authPriv", "host"},
      {"snmpwalk", "-a", "SHA", "host"},
      {"snmpwalk", "-A", "secret", "host"},
      {"snmpwalk", "-x", "AES", "host"},
      {"snmpwalk", "-X", "secret", "host"},
      {"snmpwalk", "-e", "0x80", "host"},
      {"snmpwalk", "-E", "0x80", "host"},
      {"snmpwalk", "-n", "context", "host"},
      {"snmpwalk", "-Z", "1,1", "host"},
      {"snmpwalk", "-T", "LOCAL_SOCKET=/x", "host"},
      {"snmpwalk", "-3m", "x", "host"},
      // Long options and stray dashes.
      {"snmpwalk", "--logTimestamp=yes", "host"},
      {"snmpwalk", "--", "host"},
      {"snmpwalk", "-", "host"},
      {"snmpwalk", "-hV"},
      // Values out of bounds or of the wrong form.
      {"snmpwalk", "-t", "20", "host"},
      {"snmpwalk", "-t", "5.5", "host"},
      {"snmpwalk", "-t", "0", "host"},
      {"snmpwalk", "-t", "1e1", "host"},
      {"snmpwalk", "-r", "4", "host"},
      {"snmpwalk", "-r", "-1", "host"},
      {"snmpwalk", "-v", "2", "host"},
      {"snmpwalk", "-c", "pub lic", "host"},
      {"snmpwalk", "-c", "pub\nlic", "host"},
      {"snmpwalk", "-Oz", "host"},
      {"snmpwalk", "-C1", "host"},
      {"snmpwalk", "-c"},
      // Hosts.
      {"snmpwalk", "host\nLINE", kRoot},
      {"snmpwalk", "ho st", kRoot},
      {"snmpwalk", "host\t", kRoot},
      {"snmpwalk", ".host", kRoot},
      {"snmpwalk", "unix:/run/x.sock", kRoot},
      {"snmpwalk", "tcp:host:161", kRoot},
      {"snmpwalk", "host:99999", kRoot},
      {"snmpwalk", "[fe80::1", kRoot},
      {"snmpwalk", "[host]", kRoot},
      {"snmpwalk", "", kRoot},
      // Options after the host, symbolic or malformed roots, extra arguments.
      {"snmpwalk", "host", "-Lf", "/tmp/x"},
      {"snmpwalk", "host", "SNMPv2-MIB::sysDescr"},
      {"snmpwalk", "host", "1..3"},
      {"snmpwalk", "host", "1.3.6.x"},
      {"snmpwalk", "host", kRoot, "extra"},
  };
  for (const auto& args : refused) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_FALSE(checkWalkArguments(args));
  }
}

}  // namespace
}  // namespace profilehelper
