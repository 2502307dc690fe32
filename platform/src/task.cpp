#include "pdk/task.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace pdk {

TaskResult runTask(const std::string& path, const std::vector<std::string>& args,
                   std::chrono::milliseconds timeLimit) {
  using Clock = std::chrono::steady_clock;
  const bool limited = timeLimit > kNoTimeLimit;
  const Clock::time_point deadline = Clock::now() + timeLimit;
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
    if (limited) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      pollfd p{pipeFds[0], POLLIN, 0};
      const int ready = left <= 0 ? 0 : ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 60000)));
      if (ready < 0 && errno == EINTR) continue;
      if (ready == 0) {
        if (left > 0) continue;  // look at the clock again
        ::kill(pid, SIGKILL);
        result.timedOut = true;
        break;
      }
    }
    ssize_t n = ::read(pipeFds[0], buf, sizeof buf);
    if (n > 0) {
      result.output.append(buf, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(pipeFds[0]);

  // Reap the program; one that closed its output but goes on running is
  // killed when its time is up.
  int status = 0;
  for (;;) {
    const pid_t reaped = ::waitpid(pid, &status, limited && !result.timedOut ? WNOHANG : 0);
    if (reaped == pid || (reaped < 0 && errno != EINTR)) break;
    if (reaped == 0) {
      if (Clock::now() >= deadline) {
        ::kill(pid, SIGKILL);
        result.timedOut = true;
      } else {
        ::usleep(5000);
      }
    }
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool isExecutableFile(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace pdk
