#pragma once
// Ctrl-C and a polite kill end the command-line tool between two ticks, so the
// port is always closed and its settings put back.
namespace zelmo::cli {

class StopSignals {
 public:
  // Takes the stop signals for the rest of the process's life.
  StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool requested() const;
};

}  // namespace zelmo::cli
