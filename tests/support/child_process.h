// Running a piece of a test in a child process: under a file-size limit (which makes writes fail
// the way a full disk does, while the limit stays away from the rest of the tests), or as a
// program started with arguments.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

namespace vessaro::testing {

// The child's exit code, or 128 + the signal that ended it.
inline int WaitForChild(pid_t child) {
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs body (returning the exit code) in a child whose files may not grow beyond bytes. The
// signal a write beyond the limit raises is ignored, as every program of the suite ignores it.
template <typename Body>
int WithFileSizeLimit(rlim_t bytes, Body body) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(body());
  }
  return WaitForChild(child);
}

}  // namespace vessaro::testing
