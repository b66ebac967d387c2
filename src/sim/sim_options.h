// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of zelmo-unit-sim.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sim/simulated_unit.h"

namespace zelmo::sim {

struct SimOptions {
  UnitOptions unit;
  bool unordered = false;
  std::string eepromPath;
  std::string linkPath;
  std::int64_t delayMs = 0;
  int unplugAfter = 0;
  bool help = false;
  bool version = false;
};

struct ParsedSimOptions {
  bool ok = false;
  SimOptions options;
  std::string error;
};

// args: the command line without the program's name.
ParsedSimOptions ParseSimOptions(std::span<const std::string_view> args);
std::string_view SimUsage();

}  // namespace zelmo::sim
