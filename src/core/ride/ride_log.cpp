// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_log.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "core/device/monitor.h"
#include "core/files/platform_file.h"

namespace zelmo {
namespace {

struct KnownColumn {
  std::string_view name;
  RideQuantity quantity;
};

// The columns the viewer draws, by their names in MonitorCsvHeader.
constexpr std::array kDrawn{
    KnownColumn{"engineRpm", RideQuantity::EngineRpm},
    KnownColumn{"currentAdvance", RideQuantity::Advance},
    KnownColumn{"volts", RideQuantity::Volts},
    KnownColumn{"blocking", RideQuantity::Blocking},
    KnownColumn{"neutralOff", RideQuantity::NeutralOff},
    KnownColumn{"sideStandOff", RideQuantity::SideStandOff},
    KnownColumn{"pickup1Running", RideQuantity::Pickup1},
    KnownColumn{"pickup2Running", RideQuantity::Pickup2},
};
constexpr std::string_view kTime = "time_ms";
constexpr std::string_view kSupplyRaw = "supplyRaw";

RideQuantity QuantityOf(std::string_view name) {
  for (const KnownColumn& c : kDrawn) {
    if (c.name == name) return c.quantity;
  }
  return RideQuantity::Other;
}

// Splits at commas; a trailing '\r' (a file passed through a Windows editor)
// is not part of the last field.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

template <typename T>
bool ParseNumber(std::string_view field, T& value) {
  field = Trimmed(field);
  if (field.empty()) return false;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  return error == std::errc() && end == field.data() + field.size();
}

}  // namespace

const RideColumn* RideLog::find(RideQuantity quantity) const {
  for (const RideColumn& c : columns) {
    if (c.quantity == quantity) return &c;
  }
  return nullptr;
}

RideLogRead ParseRideLog(std::string_view text) {
  RideLogRead result;
  // A byte-order mark from a spreadsheet program is not part of the header.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.find_first_not_of("\r\n \t") == std::string_view::npos) {
    result.error = RideLogError::Empty;
    return result;
  }

  std::size_t pos = 0;
  auto nextLine = [&](std::string_view& line, bool& ended) {
    if (pos >= text.size()) return false;
    const std::size_t nl = text.find('\n', pos);
    ended = nl != std::string_view::npos;
    const std::size_t end = ended ? nl : text.size();
    line = text.substr(pos, end - pos);
    pos = ended ? nl + 1 : text.size();
    return true;
  };

  std::string_view line;
  bool ended = false;
  nextLine(line, ended);
  std::vector<std::string_view> fields;
  SplitFields(line, fields);

  int timeIndex = -1;
  int supplyIndex = -1;
  std::vector<int> columnOf(fields.size(), -1);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view name = Trimmed(fields[i]);
    if (name == kTime && timeIndex < 0) {
      timeIndex = static_cast<int>(i);
      continue;
    }
    if (name == kSupplyRaw) supplyIndex = static_cast<int>(i);
    columnOf[i] = static_cast<int>(result.log.columns.size());
    result.log.columns.push_back(RideColumn{std::string(name), QuantityOf(name), {}});
  }
  bool drawable = false;
  for (const RideColumn& c : result.log.columns) drawable = drawable || c.quantity != RideQuantity::Other;
  if (timeIndex < 0 || (!drawable && supplyIndex < 0)) {
    result.error = RideLogError::Foreign;
    result.log = {};
    return result;
  }

  auto skip = [&](long lineNumber, SkipReason reason) {
    ++result.skippedCount;
    if (result.skipped.size() < kSkippedLinesKept) result.skipped.push_back({lineNumber, reason});
  };

  const std::size_t fieldCount = fields.size();
  std::vector<float> row(result.log.columns.size());
  long lineNumber = 1;
  while (nextLine(line, ended)) {
    ++lineNumber;
    if (Trimmed(line).empty() || line == "\r") continue;
    SplitFields(line, fields);
    if (fields.size() != fieldCount) {
      skip(lineNumber, ended ? SkipReason::FieldCount : SkipReason::CutShort);
      continue;
    }
    std::int64_t time = 0;
    bool numbers = ParseNumber(fields[static_cast<std::size_t>(timeIndex)], time);
    for (std::size_t i = 0; numbers && i < fieldCount; ++i) {
      if (columnOf[i] >= 0) numbers = ParseNumber(fields[i], row[static_cast<std::size_t>(columnOf[i])]);
    }
    if (!numbers) {
      skip(lineNumber, ended ? SkipReason::NotANumber : SkipReason::CutShort);
      continue;
    }
    if (!result.log.timeMs.empty() && time <= result.log.timeMs.back()) {
      skip(lineNumber, SkipReason::TimeNotIncreasing);
      continue;
    }
    result.log.timeMs.push_back(time);
    for (std::size_t c = 0; c < row.size(); ++c) result.log.columns[c].values.push_back(row[c]);
  }

  // An older recording may carry only the converter counts: the volts follow
  // from them by the same formula the window's label uses.
  if (result.log.find(RideQuantity::Volts) == nullptr && supplyIndex >= 0) {
    const RideColumn& raw =
        result.log.columns[static_cast<std::size_t>(columnOf[static_cast<std::size_t>(supplyIndex)])];
    RideColumn volts{"volts", RideQuantity::Volts, {}};
    volts.values.reserve(raw.values.size());
    for (float counts : raw.values) {
      const float clamped = std::clamp(counts, 0.0f, 65535.0f);
      volts.values.push_back(static_cast<float>(SupplyMillivolts(static_cast<std::uint16_t>(clamped))) / 1000.0f);
    }
    result.log.columns.push_back(std::move(volts));
  }
  for (const KnownColumn& c : kDrawn) {
    if (result.log.find(c.quantity) == nullptr) result.missingColumns.emplace_back(c.name);
  }
  if (result.log.rows() == 0) result.error = RideLogError::Empty;
  return result;
}

RideLogRead ReadRideLog(const std::filesystem::path& file) {
  RideLogRead result;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > kMaxRideLogBytes) {
    result.error = RideLogError::TooLarge;
    return result;
  }
  errno = 0;
  std::FILE* f = platform::OpenStdioFile(file, "rb");
  if (f == nullptr) {
    result.error = RideLogError::Unreadable;
    result.reason = std::generic_category().message(errno != 0 ? errno : ENOENT);
    return result;
  }
  std::string text;
  if (!error) text.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    text.append(buffer, got);
    if (text.size() > kMaxRideLogBytes) {
      std::fclose(f);
      result.error = RideLogError::TooLarge;
      return result;
    }
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    result.error = RideLogError::Unreadable;
    result.reason = std::generic_category().message(EIO);
    return result;
  }
  return ParseRideLog(text);
}

std::size_t RowAt(const RideLog& log, std::int64_t timeMs) {
  const auto it = std::upper_bound(log.timeMs.begin(), log.timeMs.end(), timeMs);
  return it == log.timeMs.begin() ? 0 : static_cast<std::size_t>(it - log.timeMs.begin() - 1);
}

}  // namespace zelmo
