// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulator's end of the line: a pseudo-terminal in raw mode at 57600
// baud. The slave side stays open for the terminal's whole life; without a
// process holding it, reads on the master fail before the tool ever connects.
#include <string>

namespace zelmo::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal();

  // Empty on success, else the reason.
  std::string open();
  void close();

  int masterFd() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// A symbolic link to the terminal that is removed again when this goes away.
// An existing file that is not a symbolic link is never replaced.
class TerminalLink {
 public:
  TerminalLink() = default;
  TerminalLink(const TerminalLink&) = delete;
  TerminalLink& operator=(const TerminalLink&) = delete;
  ~TerminalLink();

  std::string create(const std::string& linkPath, const std::string& target);
  void remove();

 private:
  std::string path_;
  std::string target_;
};

}  // namespace zelmo::sim
