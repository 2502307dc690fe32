// Real processes for the integration tests: a temporary system root, the
// profile helper service on a socket inside it, the relay run as root or as
// user nobody, and an SNMP agent (snmpsimd) on a free loopback port. Every
// process a test starts is stopped by the object that started it.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "pdk/task.h"

namespace integration {

// Build outputs and the folder of the profile lists under a root.
std::string binaryPath(const std::string& name);  // build/bin/<name>
inline const std::string kProfileSubfolder = "/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1";

// A temporary system root (readable by every user), removed at the end.
class TempRoot {
 public:
  TempRoot();
  ~TempRoot();
  const std::string& path() const { return path_; }
  // The profile folder inside the root (created).
  std::string profileFolder() const { return path_ + kProfileSubfolder; }
  // "<folder>/<user>-TLQ770-1-profile.plist"
  std::string listPath(const std::string& user, const std::string& suffix = ".plist") const;

 private:
  std::string path_;
};

// A child process started with extra environment entries; stopped with
// SIGTERM when the object goes away.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess() { stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Start `path` with `args`; standard output and error go to `logPath`
  // (or /dev/null when empty). `fd3` is passed on as descriptor 3 when >= 0.
  bool start(const std::string& path, const std::vector<std::string>& args,
             const std::map<std::string, std::string>& env, const std::string& logPath = "", int fd3 = -1);
  void stop();
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

// File helpers.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// The service on `socketPath`, started and waited for until it accepts.
class HelperService {
 public:
  HelperService(const TempRoot& root, const std::string& socketPath,
                const std::map<std::string, std::string>& extraEnv = {}, const std::string& logPath = "",
                const std::vector<std::string>& extraArgs = {});
  bool ready() const { return ready_; }
  const std::string& socketPath() const { return socketPath_; }
  pid_t pid() const { return process_.pid(); }

 private:
  std::string socketPath_;
  ChildProcess process_;
  bool ready_ = false;
};

// A field of /proc/PID/status as a number ("VmRSS" in kB, "Threads"); -1
// when the process or the field is gone.
long processStatus(pid_t pid, const std::string& field);

// Wait until something accepts connections on `socketPath` (at most 10 s).
bool waitForSocket(const std::string& socketPath);

// Run the relay with TLQ770_HELPER_SOCKET=`socketPath`, as root or as nobody.
pdk::TaskResult runRelay(const std::string& socketPath, const std::vector<std::string>& args,
                         bool asNobody = false);

// One row of the printer's profile table.
struct ProfileRow {
  int row;
  int location;
  int profileClass;
  std::string fileName;
  std::string profileName;
  int availability = 1;
};
// snmprec lines for `rows`, sorted numerically by identifier.
std::string profileTableRecords(const std::vector<ProfileRow>& rows);

// snmpsimd serving one data file per community on a free loopback port,
// with a private net-snmp configuration pointing the clients at it.
class SnmpAgent {
 public:
  // `communities`: community name -> snmprec text.
  explicit SnmpAgent(const std::map<std::string, std::string>& communities);
  ~SnmpAgent();
  // False when snmpsimd is not installed or did not come up.
  bool ready() const { return ready_; }
  int port() const { return port_; }
  // Folder holding snmp.conf (defaultPort, no MIBs, timeout 3 s so a loaded
  // machine still answers in time, no retries).
  const std::string& confPath() const { return confDir_; }

 private:
  std::string dir_, confDir_;
  int port_ = 0;
  ChildProcess process_;
  bool ready_ = false;
};

// True when snmpsimd is installed.
bool haveSnmpsimd();

// scripted_agent.py answering in one of its modes ("empty", "endless",
// "repeat") on a free loopback port; stopped with the object.
class ScriptedAgent {
 public:
  ScriptedAgent(const std::string& mode, const std::string& folder);
  bool ready() const { return port_ > 0; }
  int port() const { return port_; }
  // Answers sent so far.
  int answers() const;

 private:
  std::string portFile_;
  ChildProcess process_;
  int port_ = 0;
};

}  // namespace integration
