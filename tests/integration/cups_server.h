// A private CUPS scheduler for tests: cupsd with its own configuration,
// spool, state and logs in a temporary folder, reached only through a Unix
// socket in that folder. Clients run with an environment that points them
// at it and keeps them away from the machine's client.conf and from every
// real lpoptions file. The object that starts the server stops it and
// removes the folder. Needs root (cupsd runs its filters as user lp).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "pdk/task.h"
#include "test_support.h"

namespace integration {

// One attribute of a job as IPP tells it: its value type ("boolean",
// "integer", "nameWithoutLanguage", ...) and its values as text, joined by
// ',' (booleans read "true"/"false").
struct IppAttribute {
  std::string type;
  std::string text;
};

class CupsServer {
 public:
  // Start cupsd and wait until it answers (at most 10 s).
  CupsServer();
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  // False when cupsd is not installed or did not come up.
  bool ready() const { return ready_; }
  // Stop cupsd now (SIGTERM, then wait); the folder stays until the end.
  void stop();

  // The value of CUPS_SERVER for clients: the socket path.
  const std::string& socketPath() const { return socketPath_; }
  // A folder every user may write to (file: device URIs point here).
  std::string outputFolder() const { return folder_ + "/out"; }
  // The environment of a client: CUPS_SERVER, and CUPS_SERVERROOT and HOME
  // in a client folder of the server's folder.
  std::map<std::string, std::string> clientEnvironment() const;
  // The lpoptions file the client environment reads and writes.
  std::string lpoptionsPath() const;
  // cupsd's error log (LogLevel debug: it shows each filter's arguments).
  std::string errorLog() const;

  // Run `program` with `args` in the client environment, standard input
  // from `stdinPath`; standard error joins standard output.
  pdk::TaskResult runClient(const std::string& program, const std::vector<std::string>& args,
                            const std::string& stdinPath = "/dev/null") const;

  // Create queue `name` with `ppd` ("" for a raw queue) and `deviceURI`,
  // accepting jobs. An enabled queue prints; a stopped one keeps its jobs
  // pending and runs no filter or backend. False with lpadmin's words in
  // `output`.
  bool addQueue(const std::string& name, const std::string& ppd, const std::string& deviceURI, bool enabled,
                std::string* output = nullptr) const;

  // Every attribute of job `id` (Get-Job-Attributes, requested-attributes
  // all); empty when the server does not know the job.
  std::map<std::string, IppAttribute> jobAttributes(int id) const;
  // The ids of every job of `queue`, finished ones included.
  std::vector<int> jobIds(const std::string& queue) const;
  // Wait until job `id` has finished (at most 60 s); its "job-state" text.
  std::string waitForJob(int id) const;

 private:
  std::string folder_, socketPath_;
  ChildProcess process_;
  bool ready_ = false;
};

// True when cupsd is installed.
bool haveCupsd();

}  // namespace integration
