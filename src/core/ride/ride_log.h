// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recorded ride: the live-value CSV that the window's recorder and
// `zelmo-cli monitor --csv` write (see MonitorCsvHeader), read back column by
// column for the ride viewer.
//
// The format: a header line naming the columns, the first of them "time_ms";
// then one line per monitor frame, fields separated by commas, numbers only.
// Columns are found by name, so a file with fewer columns, more columns or
// another order still opens; what it lacks is simply not drawn.
//
// Reading is forgiving, because recordings end when a cable is pulled or a
// laptop's battery dies: a line with the wrong number of fields, text in a
// number field, a time that does not move forward, or a last line cut short
// is skipped and reported, and everything else is kept. Only a file that is
// empty or is not such a recording at all is refused.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelmo {

// What the viewer draws a column as.
enum class RideQuantity {
  EngineRpm,
  Advance,   // degrees
  Volts,     // the "volts" column; else derived from "supplyRaw"
  Blocking,  // switches, 0 or not
  NeutralOff,
  SideStandOff,
  Pickup1,
  Pickup2,
  Other,  // shown in the read-out only
};

struct RideColumn {
  std::string name;  // as the header spells it
  RideQuantity quantity = RideQuantity::Other;
  std::vector<float> values;  // one per kept row
};

struct RideLog {
  std::vector<std::int64_t> timeMs;  // strictly increasing
  std::vector<RideColumn> columns;   // in the header's order, time_ms left out

  std::size_t rows() const { return timeMs.size(); }
  // Nothing when the file has no such column.
  const RideColumn* find(RideQuantity quantity) const;
};

enum class SkipReason {
  FieldCount,         // more or fewer fields than the header
  NotANumber,         // text (or nothing) where a number belongs
  TimeNotIncreasing,  // the time repeats or goes back
  CutShort,           // the last line, ended without its line break
};

struct SkippedLine {
  long line = 0;  // 1 is the header
  SkipReason reason = SkipReason::FieldCount;
};

enum class RideLogError {
  None,
  Unreadable,  // the file cannot be opened or read
  Empty,       // nothing in it, or a header and no row that could be read
  Foreign,     // no "time_ms" header, or no column the viewer can show
  TooLarge,    // larger than kMaxRideLogBytes
};

// About ten million rows; keeps a mistaken choice of a huge file from eating
// the machine's memory.
inline constexpr std::uintmax_t kMaxRideLogBytes = 1024ull * 1024 * 1024;

struct RideLogRead {
  RideLogError error = RideLogError::None;
  std::string reason;  // the system's words for Unreadable
  RideLog log;
  long skippedCount = 0;
  // The first skipped lines, enough to find them in an editor.
  std::vector<SkippedLine> skipped;
  // Columns the viewer would draw that the header lacks ("volts", ...).
  std::vector<std::string> missingColumns;
};

inline constexpr std::size_t kSkippedLinesKept = 20;

RideLogRead ParseRideLog(std::string_view text);
RideLogRead ReadRideLog(const std::filesystem::path& file);

// The index of the last row at or before timeMs; 0 before the first.
std::size_t RowAt(const RideLog& log, std::int64_t timeMs);

}  // namespace zelmo
