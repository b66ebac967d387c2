// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <getopt.h>

#include <charconv>
#include <optional>
#include <vector>

namespace zelmo::sim {
namespace {

std::optional<long long> Number(std::string_view text, long long lo, long long hi) {
  long long v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc{} || end != text.data() + text.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

// Codes above the characters, for the options that have no short form.
enum Code : int {
  kLink = 256,
  kEeprom,
  kProtocolVersion,
  kUnordered,
  kSilent,
  kDropEvery,
  kCorruptEvery,
  kBadEcho,
  kDelay,
  kUnplugAfter,
};

constexpr option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"link", required_argument, nullptr, kLink},
    {"eeprom", required_argument, nullptr, kEeprom},
    {"protocol-version", required_argument, nullptr, kProtocolVersion},
    {"unordered", no_argument, nullptr, kUnordered},
    {"silent", no_argument, nullptr, kSilent},
    {"drop-every", required_argument, nullptr, kDropEvery},
    {"corrupt-every", required_argument, nullptr, kCorruptEvery},
    {"bad-echo", required_argument, nullptr, kBadEcho},
    {"delay", required_argument, nullptr, kDelay},
    {"unplug-after", required_argument, nullptr, kUnplugAfter},
    {nullptr, 0, nullptr, 0},
};

std::string OptionName(int code) {
  for (const option& o : kLongOptions) {
    if (o.name != nullptr && o.val == code) return std::string("--") + o.name;
  }
  return "-" + std::string(1, static_cast<char>(code));
}

}  // namespace

std::string_view SimUsage() {
  return "usage: zelmo-unit-sim [OPTION]...\n"
         "Simulates a Zelmo TCI unit on a pseudo-terminal; the first output line is\n"
         "the terminal's device path. SIGINT or SIGTERM ends it.\n"
         "\n"
         "  --link PATH               also reach it through a symbolic link PATH\n"
         "  --eeprom FILE             keep the unit's memory in FILE across restarts\n"
         "  --protocol-version N      parameter-set version the unit reports (default 61)\n"
         "  --unordered               the stored speed breakpoints do not rise\n"
         "  --silent                  never answer\n"
         "  --drop-every N            no reply to every N-th request\n"
         "  --corrupt-every N         a wrong check byte in every N-th reply\n"
         "  --bad-echo N              the first N stores of block 1 keep one wrong byte\n"
         "  --delay MS                answer MS milliseconds late\n"
         "  --unplug-after N          close the terminal after N replies\n"
         "  -h, --help                show this help and exit\n"
         "  -V, --version             show the program's version and licence and exit\n"
         "\n"
         "Options take their value as --delay 40 or --delay=40.\n";
}

ParsedSimOptions ParseSimOptions(std::span<const std::string_view> args) {
  ParsedSimOptions parsed;
  SimOptions& o = parsed.options;
  // getopt_long wants writable C strings, with the program's name first.
  std::vector<std::string> words{"zelmo-unit-sim"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  // getopt keeps its place in the C library; 0 starts it afresh for this list.
  optind = 0;
  opterr = 0;
  auto fail = [&](std::string why) {
    parsed.error = std::move(why);
    return parsed;
  };
  // '+': stop at the first word that is no option; ':': tell a missing value apart.
  int code = 0;
  while ((code = getopt_long(argc, argv.data(), "+:hV", kLongOptions, nullptr)) != -1) {
    const std::string_view value = optarg != nullptr ? std::string_view(optarg) : std::string_view();
    auto count = [&](long long hi) { return Number(value, 0, hi); };
    switch (code) {
      case 'h':
        o.help = true;
        break;
      case 'V':
        o.version = true;
        break;
      case kSilent:
        o.unit.faults.silent = true;
        break;
      case kUnordered:
        o.unordered = true;
        break;
      case kLink:
      case kEeprom:
        if (value.empty()) return fail(OptionName(code) + " needs a path");
        (code == kLink ? o.linkPath : o.eepromPath) = std::string(value);
        break;
      case kProtocolVersion: {
        const auto v = count(255);
        if (!v) return fail("--protocol-version needs a number 0 to 255, not '" + std::string(value) + "'");
        o.unit.protocolVersion = static_cast<std::uint8_t>(*v);
        break;
      }
      case kDelay: {
        const auto v = count(60000);
        if (!v) return fail("--delay needs milliseconds 0 to 60000, not '" + std::string(value) + "'");
        o.delayMs = *v;
        break;
      }
      case kDropEvery:
      case kCorruptEvery:
      case kBadEcho:
      case kUnplugAfter: {
        const auto v = count(1000000);
        if (!v) return fail(OptionName(code) + " needs a number 0 to 1000000, not '" + std::string(value) + "'");
        const int n = static_cast<int>(*v);
        if (code == kDropEvery) o.unit.faults.dropEvery = n;
        if (code == kCorruptEvery) o.unit.faults.corruptEvery = n;
        if (code == kBadEcho) o.unit.faults.badEchoes = n;
        if (code == kUnplugAfter) o.unplugAfter = n;
        break;
      }
      case ':':
        return fail(OptionName(optopt) + " needs a value");
      default: {
        // optind has moved past the word that was refused.
        const std::string word = optind > 0 && optind <= argc ? words[static_cast<std::size_t>(optind - 1)] : "";
        return fail("unknown option " + (optopt != 0 ? OptionName(optopt) : word));
      }
    }
  }
  if (optind < argc) return fail("unexpected argument '" + words[static_cast<std::size_t>(optind)] + "'");
  parsed.ok = true;
  return parsed;
}

}  // namespace zelmo::sim
