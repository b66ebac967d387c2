// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands that talk to a unit through a serial port: the window's Read,
// Verify and Program and its live monitor, on the window's editor session:
// the same engine and timing, ordering, history and wait for the unit's saving.
#include "cli/command.h"

namespace zelmo::cli {

// The transfer failed: no reply, a wrong echo, a verify that found
// differences; monitor: the unit stayed silent past its time.
inline constexpr int kExitTransferFailed = 1;
// The unit holds another parameter-set version; nothing was read or written.
inline constexpr int kExitOtherVersion = 3;
// program: the unit confirmed the parameters, then stopped answering (or never
// finished) while it saved them; whether it kept them is not known.
inline constexpr int kExitSavingUnconfirmed = 4;

// ports: the COM numbers and the devices they stand for
int RunPorts(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// read --port DEVICE [-o OUT.ign] [--trace]: without -o, or with -o -, the file goes to standard output
int RunRead(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// verify --port DEVICE FILE.ign [--trace]
int RunVerify(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// program --port DEVICE FILE.ign [--trace]
int RunProgram(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);
// monitor --port DEVICE [--count N] [--timeout SECONDS] [--csv] [--trace]
int RunMonitor(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);

}  // namespace zelmo::cli
