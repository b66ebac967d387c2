// SPDX-License-Identifier: GPL-3.0-or-later
// zelmo-unit-sim: a simulated unit on a pseudo-terminal, for trying the tool
// and for the end-to-end tests.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "program_version.h"
#include "sim/eeprom_file.h"
#include "sim/pseudo_terminal.h"
#include "sim/request_assembler.h"
#include "sim/sim_link.h"
#include "sim/sim_options.h"

namespace {

using namespace zelmo;
using namespace zelmo::sim;

// After the last reply the line stays up this long, so that reply can land.
constexpr std::int64_t kUnplugLingerMs = 100;
constexpr int kMaxPollMs = 20;

struct Outgoing {
  std::int64_t dueMs;
  Frame frame;
};

bool WriteAll(int fd, const Frame& f) {
  std::size_t done = 0;
  while (done < f.size()) {
    const ssize_t n = ::write(fd, f.data() + done, f.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{fd, POLLOUT, 0};
      ::poll(&p, 1, kMaxPollMs);
    } else {
      return false;
    }
  }
  return true;
}

bool StopRequested(const sigset_t& stopSignals) {
  sigset_t pending;
  sigpending(&pending);
  for (int s : {SIGTERM, SIGINT, SIGHUP}) {
    if (sigismember(&stopSignals, s) && sigismember(&pending, s)) return true;
  }
  return false;
}

int Run(const SimOptions& options) {
  UnitMemory memory = FactoryMemory();
  if (!options.eepromPath.empty()) {
    const EepromLoad load = LoadEeprom(options.eepromPath);
    if (!load.ok && !load.missing) {
      std::fprintf(stderr, "zelmo-unit-sim: %s\n", load.error.c_str());
      return 2;
    }
    if (load.ok) memory = load.memory;
  }
  if (options.unordered) memory = Unordered(memory);
  SimulatedUnit unit(options.unit, memory);

  // The stop signals are taken only between polls, so the terminal and the
  // link are always cleaned up.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stopSignals, s);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  PseudoTerminal terminal;
  if (const std::string error = terminal.open(); !error.empty()) {
    std::fprintf(stderr, "zelmo-unit-sim: %s\n", error.c_str());
    return 2;
  }
  TerminalLink link;
  if (!options.linkPath.empty()) {
    if (const std::string error = link.create(options.linkPath, terminal.slavePath()); !error.empty()) {
      std::fprintf(stderr, "zelmo-unit-sim: %s\n", error.c_str());
      return 2;
    }
  }
  std::printf("%s\n", terminal.slavePath().c_str());
  std::fflush(stdout);

  const Clock clock = SteadyClock();
  RequestAssembler assembler;
  std::deque<Outgoing> outgoing;
  int replies = 0;
  std::int64_t unplugAt = -1;
  std::vector<std::uint8_t> buffer(4096);

  while (!StopRequested(stopSignals)) {
    std::int64_t now = clock();
    if (unplugAt >= 0 && now >= unplugAt) break;
    int timeout = kMaxPollMs;
    if (!outgoing.empty())
      timeout = static_cast<int>(std::clamp<std::int64_t>(outgoing.front().dueMs - now, 0, kMaxPollMs));
    pollfd p{terminal.masterFd(), POLLIN, 0};
    ::poll(&p, 1, timeout);
    now = clock();
    if (p.revents & POLLIN) {
      const ssize_t n = ::read(terminal.masterFd(), buffer.data(), buffer.size());
      if (n > 0 && unplugAt < 0) assembler.feed(std::span(buffer.data(), static_cast<std::size_t>(n)), now);
    }
    while (auto request = assembler.next()) {
      const UnitMemory before = unit.memory();
      auto reply = unit.answer(*request, now);
      if (!options.eepromPath.empty() && unit.memory() != before) {
        if (const FileResult saved = SaveEeprom(options.eepromPath, unit.memory()); !saved.ok) {
          std::fprintf(stderr, "zelmo-unit-sim: %s\n", saved.error.c_str());
        }
      }
      if (reply) outgoing.push_back({now + options.delayMs, *reply});
    }
    while (!outgoing.empty() && outgoing.front().dueMs <= now && unplugAt < 0) {
      if (!WriteAll(terminal.masterFd(), outgoing.front().frame)) break;
      outgoing.pop_front();
      if (options.unplugAfter > 0 && ++replies >= options.unplugAfter) unplugAt = now + kUnplugLingerMs;
    }
  }
  link.remove();
  terminal.close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  const ParsedSimOptions parsed = ParseSimOptions(args);
  if (!parsed.ok) {
    std::fprintf(stderr, "zelmo-unit-sim: %s\nTry 'zelmo-unit-sim --help' for more information.\n",
                 parsed.error.c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fwrite(SimUsage().data(), 1, SimUsage().size(), stdout);
    return 0;
  }
  if (parsed.options.version) {
    const std::string text = VersionText("zelmo-unit-sim");
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  return Run(parsed.options);
}
