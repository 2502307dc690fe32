// profilehelper: the service that writes, swaps and removes profile-list
// files and walks the printer's profile table for the colour pane.
//   profilehelper [--socket PATH] [--debug] [--walk-time-limit SECONDS]
//                 [--walk-max-variables N] [--request-time-limit SECONDS]
// Without --socket it takes the socket handed over by systemd, or listens at
// the default socket path under the system root.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "debug_channel.h"
#include "mib_walk.h"
#include "pdk/service.h"
#include "pdk/system_root.h"
#include "profile_file_operations.h"
#include "zn_mac_xpc_service_delegate.h"

namespace {

struct Options {
  std::string socketPath;
  bool debug = false;
  profilehelper::WalkLimits walk;
  pdk::ServiceLimits service;
};

int usage() {
  std::fprintf(stderr,
               "usage: profilehelper [--socket PATH] [--debug] [--walk-time-limit SECONDS]\n"
               "                     [--walk-max-variables N] [--request-time-limit SECONDS]\n");
  return 2;
}

// A positive whole number of at most `max`.
std::optional<long> positive(const char* text, long max) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 1 || value > max) return std::nullopt;
  return value;
}

bool parseOptions(int argc, char* argv[], Options* o) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--socket") == 0 && hasValue) {
      o->socketPath = argv[++i];
    } else if (std::strcmp(argv[i], "--debug") == 0) {
      o->debug = true;
    } else if (std::strcmp(argv[i], "--walk-time-limit") == 0 && hasValue) {
      auto seconds = positive(argv[++i], 3600);
      if (!seconds) return false;
      o->walk.timeLimit = std::chrono::seconds(*seconds);
    } else if (std::strcmp(argv[i], "--walk-max-variables") == 0 && hasValue) {
      auto count = positive(argv[++i], 10000000);
      if (!count) return false;
      o->walk.maxVariables = static_cast<size_t>(*count);
    } else if (std::strcmp(argv[i], "--request-time-limit") == 0 && hasValue) {
      auto seconds = positive(argv[++i], 3600);
      if (!seconds) return false;
      o->service.requestTimeLimit = std::chrono::seconds(*seconds);
    } else {
      return false;
    }
  }
  return true;
}

// The profile folder belongs to root and only root writes in it: users
// change their lists through this service alone.
void prepareProfileFolder() {
  const std::string folder = pdk::systemPath(pdk::kProfileFolder);
  for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
    ::mkdir(folder.substr(0, slash).c_str(), 0755);
  }
  // Writes cut short by a kill leave their temporary files behind.
  profilehelper::removeAbandonedTemporaries(folder);
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  if (!parseOptions(argc, argv, &options)) return usage();
  std::signal(SIGPIPE, SIG_IGN);
  profilehelper::setDebugChannelEnabled(options.debug);
  profilehelper::setWalkLimits(options.walk);
  // net-snmp's own error printing follows the debug channel.
  if (options.debug) {
    snmp_enable_stderrlog();
  } else {
    snmp_disable_log();
  }
  prepareProfileFolder();

  std::unique_ptr<pdk::ServiceListener> listener;
  std::string socketPath = options.socketPath;
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
  listener->setLimits(options.service);
  listener->resume();
  return 0;
}
