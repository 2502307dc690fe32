// A real DNS-SD world for tests: a private D-Bus system bus, an avahi-daemon
// confined to its own network and mount namespaces (only its loopback, so
// nothing reaches the machine's networks), and avahi-publish processes that
// announce services. DBUS_SYSTEM_BUS_ADDRESS points at the private bus while
// the world is up. libdbus reads that address once per process, so every
// world of a process listens on the same socket path. One world at a time;
// not thread-safe.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace panetest {

class AvahiWorld {
 public:
  AvahiWorld() = default;
  AvahiWorld(const AvahiWorld&) = delete;
  AvahiWorld& operator=(const AvahiWorld&) = delete;
  ~AvahiWorld() { stop(); }

  // The programs the world needs that this machine lacks (empty: all there).
  static std::vector<std::string> missingPrograms();
  // The bus address of every world of this process; nothing listens there
  // while no world is up.
  static std::string processBusAddress();

  // Start the bus and the daemon and wait until the daemon serves. Return
  // an empty text, or what went wrong.
  std::string start();
  // Publish `hostName` → `ipv4` and the service `name` of `type` on that
  // host, and wait until both are established. Return "" or the problem.
  std::string publish(const std::string& name, const std::string& type, const std::string& hostName,
                      const std::string& ipv4);
  // Send `signal` to the daemon (SIGKILL: it is gone; SIGSTOP/SIGCONT).
  void signalDaemon(int signal);
  // Tear everything down in reverse order, waiting for each process.
  void stop();

 private:
  pid_t spawn(const std::vector<std::string>& argv, const std::string& logFile);
  bool daemonServes();

  std::string dir_;
  bool busAddressSet_ = false;
  bool hadBusAddress_ = false;
  std::string savedBusAddress_;
  pid_t bus_ = -1;
  pid_t daemon_ = -1;
  std::vector<pid_t> publishers_;
};

}  // namespace panetest
