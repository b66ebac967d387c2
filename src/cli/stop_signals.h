// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl-C (SIGINT), a polite kill (SIGTERM) and a hang-up (SIGHUP) end
// zelmo-cli with 128 plus the signal's number and a line on standard error.
// While a unit is being talked to they are deferred to the next tick, so the
// port is always closed and its settings put back, and the line can say what
// state the unit may be in.
#include <optional>
#include <string>

namespace zelmo::cli {

// From now on a stop signal ends the process at once, with its line, unless
// a DeferredStop exists.
void TakeStopSignals();

// While one exists, a stop signal only marks itself for StopSignalReceived.
class DeferredStop {
 public:
  DeferredStop();
  ~DeferredStop();
  DeferredStop(const DeferredStop&) = delete;
  DeferredStop& operator=(const DeferredStop&) = delete;
};

// The stop signal that came while deferred, if any.
std::optional<int> StopSignalReceived();

// 130 for SIGINT, 143 for SIGTERM, 129 for SIGHUP.
int StopExitStatus(int signal);
// "interrupted", "terminated" or "hung up".
std::string StopWord(int signal);

}  // namespace zelmo::cli
