// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/offline_commands.h"

#include "cli/parameter_file.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/texts.h"
#include "core/model/bike_code.h"
#include "core/model/ordering.h"
#include "core/model/parameter_table.h"
#include "core/model/presets.h"
#include "core/report/bike_name.h"
#include "core/report/differences.h"

namespace zelmo::cli {
namespace {

// Loads a file as the Open command does and orders it.
std::optional<ParameterImage> Load(const std::string& path, std::ostream& err) {
  std::optional<ParameterImage> image = LoadParameterFile(path, err);
  if (!image) return std::nullopt;
  OrderingMemory memory;
  StoredChoices choices;
  OrderBreakpoints(*image, memory, choices);
  return image;
}

int Save(const std::string& path, const ParameterImage& image, std::ostream& out, std::ostream& err) {
  return WriteOutputFile(path, WriteParameterFile(image), out, err) ? kExitOk : kExitError;
}

std::optional<std::uint8_t> ParseBikeCode(std::string_view text) {
  int code = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  const ParameterSpec& bike = SpecOf(Field::BikeCode);
  if (error != std::errc() || end != text.data() + text.size() || code < bike.minimum || code > bike.maximum) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(code);
}

std::string BikeName(std::uint8_t code) {
  return BikeCodeToIndex(code) ? BikeDisplayName(code, kEnglish) : std::string("(unknown)");
}

const char* OnOff(std::uint8_t flag) { return flag != 0 ? "on" : "off"; }

}  // namespace

int RunNew(const Invocation& line, const Context&, std::ostream& out, std::ostream& err) {
  std::uint8_t bike = 0;
  if (const auto text = line.value("bike")) {
    const auto code = ParseBikeCode(*text);
    if (!code)
      return UsageError(line, "bike code must be 0 to 9, not '" + *text + "' (zelmo-cli bikes lists them)", err);
    bike = *code;
  }
  return Save(line.files[0], NewParameters(bike), out, err);
}

int RunBikes(const Invocation&, const Context&, std::ostream& out, std::ostream& err) {
  for (int index = 0; index < kBikeListSize; ++index) {
    const std::uint8_t code = *BikeIndexToCode(index);
    out << static_cast<int>(code) << "  " << BikeName(code) << "\n";
  }
  return OutputWritten(out, err) ? kExitOk : kExitError;
}

int RunImage(const Invocation& line, const Context&, std::ostream& out, std::ostream& err) {
  const auto image = Load(line.files[0], err);
  if (!image) return kExitError;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t byte : image->image()) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0x0f];
  }
  out << hex << "\n";
  return OutputWritten(out, err) ? kExitOk : kExitError;
}

int RunShow(const Invocation& line, const Context&, std::ostream& out, std::ostream& err) {
  const auto loaded = Load(line.files[0], err);
  if (!loaded) return kExitError;
  const ParameterImage& p = *loaded;
  char row[128];
  auto print = [&](const char* format, auto... values) {
    std::snprintf(row, sizeof row, format, values...);
    out << row << "\n";
  };
  out << "File                 " << InputName(line.files[0]) << "\n";
  out << "Bike                 " << static_cast<int>(p.bikeCode()) << "  " << BikeName(p.bikeCode()) << "\n";
  out << "\n  Point   Speed [rpm]   Advance [deg]\n";
  for (int i = 0; i < kBreakpointCount; ++i) {
    print("  %5d   %11d   %13d", i + 1, UserValue(p, Field::RpmPoint, i), UserValue(p, Field::Advance, i));
  }
  out << "\n";
  print("TOP 1,4              %d", UserValue(p, Field::Top14));
  print("TOP 2,3              %d", UserValue(p, Field::Top23));
  print("Base advance         %d deg", UserValue(p, Field::BaseAdvance));
  print("Limiter              %d rpm", UserValue(p, Field::Limiter));
  print("Long excitation      %s", OnOff(p.longExcitation()));
  print("Tachometer 2x        %s", OnOff(p.tacho2x()));
  print("Side-stand blocking  %s", OnOff(p.blockEnable()));
  print("Inverse polarity     %s", OnOff(p.inverseInput()));
  print("Speed correction     %+d %%", UserValue(p, Field::SpeedCorrection));
  return OutputWritten(out, err) ? kExitOk : kExitError;
}

int RunDiff(const Invocation& line, const Context&, std::ostream& out, std::ostream& err) {
  if (line.files[0] == kStandardStream && line.files[1] == kStandardStream) {
    return UsageError(line, "only one of the files can be standard input", err);
  }
  const auto left = Load(line.files[0], err);
  if (!left) return kExitError;
  const auto right = Load(line.files[1], err);
  if (!right) return kExitError;
  const DifferenceTable table = MakeDifferences(*left, right->image(), kEnglish);
  out << RenderDifferences(table, kEnglish, InputName(line.files[0]), InputName(line.files[1]));
  if (!OutputWritten(out, err)) return kExitError;
  return table.differingRows() == 0 ? kExitOk : kExitDiffer;
}

int RunNormalize(const Invocation& line, const Context&, std::ostream& out, std::ostream& err) {
  const auto image = Load(line.files[0], err);
  if (!image) return kExitError;
  return Save(line.files[1], *image, out, err);
}

}  // namespace zelmo::cli
