#pragma once
// Runs a piece of a test in a child process whose files may not grow past a
// few bytes, so a write fails part way as on a full disk. POSIX only: the
// one place the tests fork and limit file sizes.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace zelmo::test {

// True when `check` ran in the child and returned true there.
inline bool InChildWithFileSizeLimit(rlim_t bytes, const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace zelmo::test
