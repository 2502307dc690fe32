#include "avahi_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "pdk/task.h"

extern char** environ;

namespace panetest {

namespace {

using Clock = std::chrono::steady_clock;

// Where a program lives: PATH first, then the admin folders CI shells may
// leave out of PATH.
std::string findProgram(const std::string& name) {
  std::string dirs = std::getenv("PATH") ? std::getenv("PATH") : "";
  dirs += ":/usr/sbin:/sbin:/usr/bin:/bin";
  std::stringstream in(dirs);
  for (std::string dir; std::getline(in, dir, ':');) {
    if (dir.empty()) continue;
    const std::string path = dir + "/" + name;
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return "";
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Wait for `pid` to end, at most `limit`; true when it has been reaped.
bool reap(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  for (;;) {
    const pid_t done = ::waitpid(pid, nullptr, WNOHANG);
    if (done == pid || (done < 0 && errno == ECHILD)) return true;
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Ask a process to end; kill it when it does not within `grace`.
void terminate(pid_t& pid, std::chrono::milliseconds grace) {
  if (pid <= 0) return;
  ::kill(pid, SIGCONT);  // a stopped process cannot handle SIGTERM
  ::kill(pid, SIGTERM);
  if (!reap(pid, grace)) {
    ::kill(pid, SIGKILL);
    reap(pid, std::chrono::seconds(5));
  }
  pid = -1;
}

bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!ready()) {
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

constexpr const char* kDaemonConfig =
    "[server]\n"
    "host-name=avtest\n"
    "domain-name=local\n"
    "use-ipv4=yes\n"
    "use-ipv6=no\n"
    "allow-interfaces=lo\n"
    "enable-dbus=yes\n"
    "ratelimit-interval-usec=1000000\n"
    "ratelimit-burst=1000\n"
    "[wide-area]\n"
    "enable-wide-area=no\n"
    "[publish]\n"
    "publish-addresses=yes\n"
    "publish-hinfo=no\n"
    "publish-workstation=no\n"
    "publish-domain=no\n"
    "[reflector]\n"
    "enable-reflector=no\n"
    "[rlimits]\n";

// A system bus that lets every client own names and exchange any message.
std::string busConfig(const std::string& socketPath) {
  return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig>\n"
         "  <type>system</type>\n"
         "  <listen>unix:path=" +
         socketPath +
         "</listen>\n"
         "  <auth>EXTERNAL</auth>\n"
         "  <policy context=\"default\">\n"
         "    <allow user=\"*\"/>\n"
         "    <allow own=\"*\"/>\n"
         "    <allow send_type=\"method_call\"/>\n"
         "    <allow send_type=\"method_return\"/>\n"
         "    <allow send_type=\"signal\"/>\n"
         "    <allow send_type=\"error\"/>\n"
         "    <allow receive_type=\"method_call\"/>\n"
         "    <allow receive_type=\"method_return\"/>\n"
         "    <allow receive_type=\"signal\"/>\n"
         "    <allow receive_type=\"error\"/>\n"
         "  </policy>\n"
         "</busconfig>\n";
}

std::string busSocketPath() { return "/tmp/avahi-world-bus-" + std::to_string(::getpid()); }

}  // namespace

std::vector<std::string> AvahiWorld::missingPrograms() {
  std::vector<std::string> missing;
  for (const char* name : {"dbus-daemon", "dbus-send", "avahi-daemon", "avahi-publish", "unshare", "ip"})
    if (findProgram(name).empty()) missing.push_back(name);
  return missing;
}

std::string AvahiWorld::processBusAddress() { return "unix:path=" + busSocketPath(); }

pid_t AvahiWorld::spawn(const std::vector<std::string>& argv, const std::string& logFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

bool AvahiWorld::daemonServes() {
  // Until the daemon owns its name, dbus-send complains on standard error.
  const pdk::TaskResult state = pdk::runTask(
      "/bin/sh", {"-c", "'" + findProgram("dbus-send") +
                            "' --system --dest=org.freedesktop.Avahi --print-reply / "
                            "org.freedesktop.Avahi.Server.GetState 2>/dev/null"});
  return state.output.find("int32 2") != std::string::npos;
}

std::string AvahiWorld::start() {
  char tmpl[] = "/tmp/avahi-world-XXXXXX";
  if (!::mkdtemp(tmpl)) return "cannot make a temporary folder";
  dir_ = tmpl;
  // The daemon drops to the avahi user before it reads its files and
  // connects to the bus.
  ::chmod(dir_.c_str(), 0755);
  ::mkdir((dir_ + "/services").c_str(), 0755);

  const char* previous = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  hadBusAddress_ = previous != nullptr;
  savedBusAddress_ = previous ? previous : "";
  busAddressSet_ = true;
  ::setenv("DBUS_SYSTEM_BUS_ADDRESS", processBusAddress().c_str(), 1);

  ::unlink(busSocketPath().c_str());  // left by a bus that was killed
  if (!writeFile(dir_ + "/dbus.conf", busConfig(busSocketPath())) ||
      !writeFile(dir_ + "/avahi-daemon.conf", kDaemonConfig))
    return "cannot write the configuration files";

  bus_ = spawn({findProgram("dbus-daemon"), "--config-file=" + dir_ + "/dbus.conf", "--nofork", "--nopidfile"},
               dir_ + "/bus.log");
  if (bus_ < 0) return "cannot start dbus-daemon";
  if (!waitFor([&] { return ::access(busSocketPath().c_str(), F_OK) == 0; }, std::chrono::seconds(5)))
    return "the bus did not come up: " + readFile(dir_ + "/bus.log");

  // Own network namespace (only loopback) and own mount namespace (own
  // pid-file folder and an empty static-services folder).
  const std::string script = "mkdir -p /run/avahi-daemon && mount -t tmpfs -o mode=0755 tmpfs /run/avahi-daemon && "
                             "mount --bind '" + dir_ + "/services' /etc/avahi/services && "
                             "ip link set lo up && "
                             "exec '" + findProgram("avahi-daemon") + "' -f '" + dir_ +
                             "/avahi-daemon.conf' --no-rlimits";
  daemon_ = spawn({findProgram("unshare"), "--net", "--mount", "--propagation", "private", "--", "/bin/sh", "-c",
                   script},
                  dir_ + "/daemon.log");
  if (daemon_ < 0) return "cannot start avahi-daemon";
  if (!waitFor([&] { return daemonServes(); }, std::chrono::seconds(10)))
    return "avahi-daemon did not come up: " + readFile(dir_ + "/daemon.log");
  return "";
}

std::string AvahiWorld::publish(const std::string& name, const std::string& type, const std::string& hostName,
                                const std::string& ipv4) {
  const std::string avahiPublish = findProgram("avahi-publish");
  const std::string addressLog = dir_ + "/publish-address-" + std::to_string(publishers_.size()) + ".log";
  const std::string serviceLog = dir_ + "/publish-service-" + std::to_string(publishers_.size()) + ".log";
  const pid_t address = spawn({avahiPublish, "-a", "-R", hostName, ipv4}, addressLog);
  if (address > 0) publishers_.push_back(address);
  const pid_t service = spawn({avahiPublish, "-s", "-H", hostName, name, type, "515", "rp=queue1"}, serviceLog);
  if (service > 0) publishers_.push_back(service);
  if (address < 0 || service < 0) return "cannot start avahi-publish";
  const auto established = [](const std::string& log) {
    return [log] { return readFile(log).find("Established under name") != std::string::npos; };
  };
  if (!waitFor(established(addressLog), std::chrono::seconds(10)) ||
      !waitFor(established(serviceLog), std::chrono::seconds(10)))
    return "publishing failed: " + readFile(addressLog) + readFile(serviceLog);
  return "";
}

void AvahiWorld::signalDaemon(int signal) {
  if (daemon_ <= 0) return;
  ::kill(daemon_, signal);
  if (signal == SIGKILL) {
    reap(daemon_, std::chrono::seconds(5));
    daemon_ = -1;
  }
}

void AvahiWorld::stop() {
  for (auto it = publishers_.rbegin(); it != publishers_.rend(); ++it) terminate(*it, std::chrono::seconds(3));
  publishers_.clear();
  terminate(daemon_, std::chrono::seconds(3));
  terminate(bus_, std::chrono::seconds(3));
  ::unlink(busSocketPath().c_str());
  if (busAddressSet_) {
    if (hadBusAddress_)
      ::setenv("DBUS_SYSTEM_BUS_ADDRESS", savedBusAddress_.c_str(), 1);
    else
      ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    busAddressSet_ = false;
  }
  if (!dir_.empty()) {
    const std::string cmd = "rm -rf '" + dir_ + "'";
    (void)std::system(cmd.c_str());
    dir_.clear();
  }
}

}  // namespace panetest
