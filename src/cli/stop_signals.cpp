// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stop_signals.h"

#include <csignal>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace zelmo::cli {

int StopExitStatus(int signal) { return 128 + signal; }

std::string StopWord(int signal) {
  if (signal == SIGINT) return "interrupted";
#if !defined(_WIN32)
  if (signal == SIGHUP) return "hung up";
#endif
  return "terminated";
}

#if defined(_WIN32)
void TakeStopSignals() {}
DeferredStop::DeferredStop() = default;
DeferredStop::~DeferredStop() = default;
std::optional<int> StopSignalReceived() { return std::nullopt; }
#else
namespace {

// A signal handler reaches nothing but objects of static storage of this
// type; these two are the process's only such state.
volatile std::sig_atomic_t gDeferred = 0;
volatile std::sig_atomic_t gReceived = 0;

template <std::size_t N>
void WriteLine(const char (&text)[N]) {
  // Nothing to do about a failed write on the way out.
  if (::write(STDERR_FILENO, text, N - 1) < 0) return;
}

// Only async-signal-safe calls: write and _exit.
extern "C" void OnStopSignal(int signal) {
  if (gDeferred != 0) {
    gReceived = signal;
    return;
  }
  if (signal == SIGINT) {
    WriteLine("zelmo-cli: interrupted\n");
  } else if (signal == SIGHUP) {
    WriteLine("zelmo-cli: hung up\n");
  } else {
    WriteLine("zelmo-cli: terminated\n");
  }
  ::_exit(StopExitStatus(signal));
}

}  // namespace

void TakeStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Calls interrupted while deferred go on; the tick looks at the mark.
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start (nohup, a background job of a script)
    // stays ignored, as the one who started the tool asked.
    struct sigaction before {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

DeferredStop::DeferredStop() { gDeferred = 1; }

DeferredStop::~DeferredStop() { gDeferred = 0; }

std::optional<int> StopSignalReceived() {
  const int signal = gReceived;
  return signal != 0 ? std::optional<int>(signal) : std::nullopt;
}
#endif

}  // namespace zelmo::cli
