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

namespace zelmo::cli {
namespace {

int UsageError(std::ostream& err, std::string_view synopsis) {
  err << "usage: zelmo-cli " << synopsis << "\n";
  return kExitError;
}

// Loads a file as the Open command does and orders it.
std::optional<ParameterImage> Load(const std::string& path, std::ostream& err) {
  std::optional<ParameterImage> image = LoadParameterFile(path, err);
  if (!image) return std::nullopt;
  OrderingMemory memory;
  StoredChoices choices;
  OrderBreakpoints(*image, memory, choices);
  return image;
}

int Save(const std::string& path, const ParameterImage& image, std::ostream& err) {
  const FileResult saved = WriteFileAtomically(path, WriteParameterFile(image));
  if (!saved.ok) {
    err << "zelmo-cli: " << saved.error << "\n";
    return kExitError;
  }
  return kExitOk;
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

int RunNew(Arguments arguments, const Context&, std::ostream&, std::ostream& err) {
  constexpr std::string_view kSynopsis = "new [--bike CODE] OUT.ign";
  std::uint8_t bike = 0;
  std::optional<std::string> outPath;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--bike") {
      if (i + 1 == arguments.size()) return UsageError(err, kSynopsis);
      const auto code = ParseBikeCode(arguments[++i]);
      if (!code) {
        err << "zelmo-cli: bike code must be 0 to 9, not '" << arguments[i] << "'\n";
        return kExitError;
      }
      bike = *code;
    } else if (!outPath && !(arguments[i].size() > 1 && arguments[i][0] == '-')) {
      outPath = arguments[i];
    } else {
      return UsageError(err, kSynopsis);
    }
  }
  if (!outPath) return UsageError(err, kSynopsis);
  return Save(*outPath, NewParameters(bike), err);
}

int RunImage(Arguments arguments, const Context&, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 1) return UsageError(err, "image FILE.ign");
  const auto image = Load(arguments[0], err);
  if (!image) return kExitError;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string line;
  for (std::uint8_t byte : image->image()) {
    line += kHex[byte >> 4];
    line += kHex[byte & 0x0f];
  }
  out << line << "\n";
  return kExitOk;
}

int RunShow(Arguments arguments, const Context&, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 1) return UsageError(err, "show FILE.ign");
  const auto loaded = Load(arguments[0], err);
  if (!loaded) return kExitError;
  const ParameterImage& p = *loaded;
  char row[128];
  auto print = [&](const char* format, auto... values) {
    std::snprintf(row, sizeof row, format, values...);
    out << row << "\n";
  };
  out << "File                 " << arguments[0] << "\n";
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
  return kExitOk;
}

int RunNormalize(Arguments arguments, const Context&, std::ostream&, std::ostream& err) {
  if (arguments.size() != 2) return UsageError(err, "normalize IN.ign OUT.ign");
  const auto image = Load(arguments[0], err);
  if (!image) return kExitError;
  return Save(arguments[1], *image, err);
}

}  // namespace zelmo::cli
