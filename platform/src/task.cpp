#include "pdk/task.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace pdk {

TaskResult runTask(const std::string& path, const std::vector<std::string>& args) {
  TaskResult result;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return result;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = -1;
  int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (rc != 0) {
    ::close(pipeFds[0]);
    return result;
  }
  result.launched = true;

  char buf[65536];
  for (;;) {
    ssize_t n = ::read(pipeFds[0], buf, sizeof buf);
    if (n > 0) {
      result.output.append(buf, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(pipeFds[0]);

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool isExecutableFile(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace pdk
