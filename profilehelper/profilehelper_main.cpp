// profilehelper: the service that writes, swaps and removes profile-list
// files and walks the printer's profile table for the colour pane.
//   profilehelper [--socket PATH] [--debug]
// Without --socket it takes the socket handed over by systemd, or listens at
// the default socket path under the system root.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "debug_channel.h"
#include "pdk/service.h"
#include "pdk/system_root.h"
#include "zn_mac_xpc_service_delegate.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: profilehelper [--socket PATH] [--debug]\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::string socketPath;
  bool debug = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--socket") == 0 && i + 1 < argc) {
      socketPath = argv[++i];
    } else if (std::strcmp(argv[i], "--debug") == 0) {
      debug = true;
    } else {
      return usage();
    }
  }
  std::signal(SIGPIPE, SIG_IGN);
  profilehelper::setDebugChannelEnabled(debug);
  // net-snmp's own error printing follows the debug channel.
  if (debug) {
    snmp_enable_stderrlog();
  } else {
    snmp_disable_log();
  }

  std::unique_ptr<pdk::ServiceListener> listener;
  if (socketPath.empty()) listener = pdk::ServiceListener::fromSocketActivation();
  if (!listener) {
    if (socketPath.empty()) socketPath = pdk::systemPath(pdk::kHelperSocket);
    listener = pdk::ServiceListener::listenAt(socketPath);
  }
  auto delegate = std::make_unique<profilehelper::ZNmacXPCServiceDelegate>();
  if (!listener) {
    // A service that cannot serve says so, so that its supervisor sees it.
    std::fprintf(stderr, "profilehelper: cannot listen at %s\n", socketPath.c_str());
    return 1;
  }
  listener->setDelegate(delegate.get());
  listener->resume();
  return 0;
}
