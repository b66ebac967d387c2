#include "sim/sim_options.h"

#include <charconv>
#include <optional>

namespace zelmo::sim {
namespace {

std::optional<long long> Number(std::string_view text, long long lo, long long hi) {
  long long v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc{} || end != text.data() + text.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

}  // namespace

std::string_view SimUsage() {
  return "usage: zelmo-unit-sim [options]\n"
         "  Simulates a Zelmo TCI unit on a pseudo-terminal; the first output line is\n"
         "  the terminal's device path.\n"
         "  --link PATH         also reach it through a symbolic link PATH\n"
         "  --eeprom FILE       keep the unit's memory in FILE across restarts\n"
         "  --version N         parameter-set version the unit reports (default 61)\n"
         "  --unordered         the stored speed breakpoints do not rise\n"
         "  --silent            never answer\n"
         "  --drop-every N      no reply to every N-th request\n"
         "  --corrupt-every N   a wrong check byte in every N-th reply\n"
         "  --bad-echo N        the first N stores of block 1 keep one wrong byte\n"
         "  --delay MS          answer MS milliseconds late\n"
         "  --unplug-after N    close the terminal after N replies\n";
}

ParsedSimOptions ParseSimOptions(std::span<const std::string_view> args) {
  ParsedSimOptions parsed;
  SimOptions& o = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto fail = [&](std::string why) {
      parsed.error = std::move(why);
      return parsed;
    };
    auto count = [&](long long hi) -> std::optional<long long> {
      const auto v = value();
      return v ? Number(*v, 0, hi) : std::nullopt;
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--silent") {
      o.unit.faults.silent = true;
    } else if (a == "--unordered") {
      o.unordered = true;
    } else if (a == "--link" || a == "--eeprom") {
      const auto v = value();
      if (!v || v->empty()) return fail(std::string(a) + " needs a path");
      (a == "--link" ? o.linkPath : o.eepromPath) = std::string(*v);
    } else if (a == "--version") {
      const auto v = count(255);
      if (!v) return fail("--version needs a number 0 to 255");
      o.unit.protocolVersion = static_cast<std::uint8_t>(*v);
    } else if (a == "--delay") {
      const auto v = count(60000);
      if (!v) return fail("--delay needs milliseconds 0 to 60000");
      o.delayMs = *v;
    } else if (a == "--drop-every" || a == "--corrupt-every" || a == "--bad-echo" || a == "--unplug-after") {
      const auto v = count(1000000);
      if (!v) return fail(std::string(a) + " needs a number 0 to 1000000");
      const int n = static_cast<int>(*v);
      if (a == "--drop-every") o.unit.faults.dropEvery = n;
      if (a == "--corrupt-every") o.unit.faults.corruptEvery = n;
      if (a == "--bad-echo") o.unit.faults.badEchoes = n;
      if (a == "--unplug-after") o.unplugAfter = n;
    } else {
      return fail("unknown option " + std::string(a));
    }
  }
  parsed.ok = true;
  return parsed;
}

}  // namespace zelmo::sim
