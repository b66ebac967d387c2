#include "cli/stop_signals.h"

#if !defined(_WIN32)
#include <signal.h>
#endif

namespace zelmo::cli {

#if defined(_WIN32)
StopSignals::StopSignals() = default;
bool StopSignals::requested() const { return false; }
#else
namespace {
sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}
}  // namespace

// Blocked signals wait as pending until the tick looks at them.
StopSignals::StopSignals() {
  const sigset_t set = StopSet();
  sigprocmask(SIG_BLOCK, &set, nullptr);
}

bool StopSignals::requested() const {
  sigset_t pending;
  sigpending(&pending);
  return sigismember(&pending, SIGINT) || sigismember(&pending, SIGTERM) || sigismember(&pending, SIGHUP);
}
#endif

}  // namespace zelmo::cli
