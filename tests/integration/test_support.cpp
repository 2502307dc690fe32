#include "test_support.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>

#include "pdk/service.h"

extern char** environ;

namespace integration {
namespace {

std::string makeTempDir(const char* prefix) {
  std::string pattern = std::string("/tmp/") + prefix + ".XXXXXX";
  if (!::mkdtemp(pattern.data())) return "";
  ::chmod(pattern.c_str(), 0755);
  return pattern;
}

void makeFolders(const std::string& path) {
  for (size_t pos = path.find('/', 1);; pos = path.find('/', pos + 1)) {
    ::mkdir(path.substr(0, pos).c_str(), 0755);
    if (pos == std::string::npos) break;
  }
}

void removeTree(const std::string& path) {
  if (path.size() > 5 && path.rfind("/tmp/", 0) == 0) {
    pdk::runTask("/bin/rm", {"-rf", path});
  }
}

int freeUdpPort() {
  int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
    port = ntohs(addr.sin_port);
  }
  ::close(fd);
  return port;
}

std::string hexOf(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

}  // namespace

std::string binaryPath(const std::string& name) { return std::string(TLQ_BINARY_DIR) + "/bin/" + name; }

TempRoot::TempRoot() : path_(makeTempDir("tlq_root")) { makeFolders(profileFolder()); }

TempRoot::~TempRoot() { removeTree(path_); }

std::string TempRoot::listPath(const std::string& user, const std::string& suffix) const {
  return profileFolder() + "/" + user + "-TLQ770-1-profile" + suffix;
}

bool ChildProcess::start(const std::string& path, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, const std::string& logPath, int fd3) {
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    if (!env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
  }
  for (const auto& [key, value] : env) envStrings.push_back(key + "=" + value);
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    int log = ::open(logPath.empty() ? "/dev/null" : logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::dup2(log, 1);
    ::dup2(log, 2);
    if (fd3 >= 0) {
      ::dup2(fd3, 3);
      // The activation variables must name the process that execs.
      std::string pidText = "LISTEN_PID=" + std::to_string(::getpid());
      envStrings.push_back(pidText);
      envp.back() = envStrings.back().data();
      envp.push_back(nullptr);
    }
    ::execve(path.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  pid_ = pid;
  return true;
}

void ChildProcess::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool waitForSocket(const std::string& socketPath) {
  for (int i = 0; i < 1000; ++i) {
    if (pdk::ServiceConnection::connectTo(socketPath)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

HelperService::HelperService(const TempRoot& root, const std::string& socketPath,
                             const std::map<std::string, std::string>& extraEnv, const std::string& logPath,
                             const std::vector<std::string>& extraArgs)
    : socketPath_(socketPath) {
  std::map<std::string, std::string> env = extraEnv;
  env["TLQ770_ROOT"] = root.path();
  std::vector<std::string> args{"--socket", socketPath};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  ready_ = process_.start(binaryPath("profilehelper"), args, env, logPath) &&
           waitForSocket(socketPath);
}

pdk::TaskResult runRelay(const std::string& socketPath, const std::vector<std::string>& args, bool asNobody) {
  ::setenv("TLQ770_HELPER_SOCKET", socketPath.c_str(), 1);
  if (!asNobody) return pdk::runTask(binaryPath("TLQ770-1Helper"), args);
  std::vector<std::string> wrapped{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                   binaryPath("TLQ770-1Helper")};
  wrapped.insert(wrapped.end(), args.begin(), args.end());
  return pdk::runTask("/usr/bin/setpriv", wrapped);
}

std::string profileTableRecords(const std::vector<ProfileRow>& rows) {
  const std::string root = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1";
  // (column, row) orders the identifiers numerically: they share the prefix.
  std::vector<std::tuple<int, int, std::string>> lines;
  for (const auto& r : rows) {
    lines.emplace_back(1, r.row, "2|" + std::to_string(r.row));
    lines.emplace_back(2, r.row, "2|" + std::to_string(r.location));
    lines.emplace_back(3, r.row, "4x|" + hexOf(r.profileName));
    lines.emplace_back(4, r.row, "4x|" + hexOf(r.fileName));
    lines.emplace_back(5, r.row, "2|" + std::to_string(r.profileClass));
    lines.emplace_back(6, r.row, "2|0");
    lines.emplace_back(7, r.row, "2|" + std::to_string(r.availability));
  }
  std::sort(lines.begin(), lines.end());
  std::string text;
  for (const auto& [column, row, value] : lines) {
    text += root + "." + std::to_string(column) + ".1." + std::to_string(row) + "|" + value + "\n";
  }
  return text;
}

long processStatus(pid_t pid, const std::string& field) {
  std::istringstream status(readFile("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
  }
  return -1;
}

ScriptedAgent::ScriptedAgent(const std::string& mode, const std::string& folder)
    : portFile_(folder + "/" + mode + "-agent.port") {
  if (!process_.start("/usr/bin/python3",
                      {std::string(TLQ_SOURCE_DIR) + "/tests/integration/scripted_agent.py", mode, portFile_}, {})) {
    return;
  }
  for (int i = 0; i < 250 && port_ == 0; ++i) {
    port_ = std::atoi(readFile(portFile_).c_str());
    if (port_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

int ScriptedAgent::answers() const { return std::atoi(readFile(portFile_ + ".answers").c_str()); }

bool haveSnmpsimd() { return pdk::isExecutableFile("/usr/bin/snmpsimd"); }

SnmpAgent::SnmpAgent(const std::map<std::string, std::string>& communities) {
  if (!haveSnmpsimd()) return;
  dir_ = makeTempDir("tlq_agent");
  confDir_ = dir_ + "/conf";
  std::string data = dir_ + "/data", cache = dir_ + "/cache";
  makeFolders(confDir_);
  makeFolders(cache);
  ::chmod(cache.c_str(), 0777);
  for (const auto& [community, records] : communities) {
    std::string file = data + "/" + community + ".snmprec";
    makeFolders(file.substr(0, file.rfind('/')));
    writeFile(file, records);
    ::chmod(file.c_str(), 0644);
  }
  port_ = freeUdpPort();
  writeFile(confDir_ + "/snmp.conf",
            "defaultPort " + std::to_string(port_) + "\nmibs :\ntimeout 3\nretries 0\n");
  std::map<std::string, std::string> env;
  if (!std::getenv("HOME")) env["HOME"] = "/root";
  std::vector<std::string> args{"--data-dir=" + data, "--cache-dir=" + cache,
                                "--agent-udpv4-endpoint=127.0.0.1:" + std::to_string(port_), "--v2c-arch",
                                "--logging-method=null"};
  if (::geteuid() == 0) {
    args.push_back("--process-user=nobody");
    args.push_back("--process-group=nogroup");
  }
  if (!process_.start("/usr/bin/snmpsimd", args, env)) return;
  // Ready once it answers a GET of the first variable of the first community.
  const auto& [community, records] = *communities.begin();
  const std::string probeOid = records.substr(0, records.find('|'));
  for (int i = 0; i < 200 && !ready_; ++i) {
    auto probe = pdk::runTask("/usr/bin/snmpget", {"-v1", "-c", community, "-r0", "-t0.05", "-Ln",
                                                   "127.0.0.1:" + std::to_string(port_), probeOid});
    ready_ = probe.exitStatus == 0;
    if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

SnmpAgent::~SnmpAgent() {
  process_.stop();
  removeTree(dir_);
}

}  // namespace integration
