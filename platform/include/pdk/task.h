// Task: start a program by path with arguments and collect its standard
// output, the way the panes start helper programs. Blocking; one call per
// process launch.
#pragma once

#include <string>
#include <vector>

namespace pdk {

struct TaskResult {
  bool launched = false;  // the program could be started at all
  int exitStatus = -1;    // exit code, or -1 when killed by a signal
  std::string output;     // everything written to standard output
};

// Run `path` with `args` (argv[1...]) and wait for it. Standard input is
// /dev/null; standard error is inherited.
TaskResult runTask(const std::string& path, const std::vector<std::string>& args);

// True when a file exists at `path` and is executable.
bool isExecutableFile(const std::string& path);

}  // namespace pdk
