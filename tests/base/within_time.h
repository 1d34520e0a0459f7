// Runs fn in a child process that an alarm ends after `seconds`: a test of
// something that could block or run away fails instead of hanging.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace tolv::test {

// True when fn returned true in time.
template <class Fn>
bool RunsWithin(unsigned seconds, Fn fn) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(seconds);
    ::_exit(fn() ? 0 : 1);
  }
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tolv::test
