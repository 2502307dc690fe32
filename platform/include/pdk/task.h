// Task: start a program by path with arguments and collect its standard
// output, the way the panes start helper programs. Blocking; one call per
// process launch.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace pdk {

struct TaskResult {
  bool launched = false;  // the program could be started at all
  bool timedOut = false;  // killed when its time was up
  int exitStatus = -1;    // exit code, or -1 when killed by a signal
  std::string output;     // everything written to standard output
};

// No limit on how long a task may run.
inline constexpr std::chrono::milliseconds kNoTimeLimit{0};

// Run `path` with `args` (argv[1...]) and wait for it, at most `timeLimit`
// when one is given: then the program is killed and its output so far kept.
// Standard input is /dev/null; standard error is inherited.
TaskResult runTask(const std::string& path, const std::vector<std::string>& args,
                   std::chrono::milliseconds timeLimit = kNoTimeLimit);

// True when a file exists at `path` and is executable.
bool isExecutableFile(const std::string& path);

}  // namespace pdk
