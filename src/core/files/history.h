// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The automatic history: every successful Read keeps what the unit held and
// every successful Program what was programmed, as a .ign file in the
// history folder of the per-user data folder. Names carry the local date and time and the event:
//   2026-12-09_14-03-22_read.ign
//   2026-12-09_14-03-22_program_2.ign   the second entry within that second
// Entries sort by their time stamp and then by that counter, which is the
// order they were written in. Only files whose whole name has this form are
// ever listed or removed; anything else in the folder is left alone.
//
// The caller passes the time in; the local clock is the window's business.
// When the local clock goes back (the end of summer time), entries of the
// repeated hour sort by their stamp, not by when they were written; nothing is
// overwritten either way.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/parameter_image.h"

namespace zelmo {

inline constexpr int kHistoryLimit = 500;

enum class HistoryEvent { Read, Program };

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;  // 0..60, a leap second included

  auto operator<=>(const LocalTime&) const = default;
};

// What a history file name says.
struct HistoryName {
  LocalTime time;
  HistoryEvent event = HistoryEvent::Read;
  int sequence = 1;  // 1 for the first entry of its second, then 2, 3 ...

  bool operator==(const HistoryName&) const = default;
};

// Nothing for a time that is not a calendar date and clock time.
std::optional<std::string> HistoryFileName(const HistoryName& name);
// Nothing unless the whole name is one HistoryFileName makes.
std::optional<HistoryName> ParseHistoryFileName(std::string_view fileName);

struct HistorySaveResult {
  bool ok = false;
  std::filesystem::path file;  // the entry written
  std::string error;           // when !ok: names the file or folder and the reason
  int removed = 0;             // old entries pruned afterwards
};

// Creates the folder when needed, writes the image as a parameter file through
// the safe save (a new counter when the second already has an entry), then
// removes the oldest entries until kHistoryLimit remain. The entry just written
// is never among them. Nothing is removed when the save fails.
HistorySaveResult SaveHistoryEntry(const std::filesystem::path& folder, const ParameterImage& image, HistoryEvent event,
                                   const LocalTime& time);

struct HistoryEntry {
  std::filesystem::path file;
  HistoryName name;
  // The file's bike code; nothing when the file cannot be read, fails the key
  // check or has no bike line. Such entries are still listed, so that opening
  // them reports why, as opening any other file does.
  std::optional<std::uint8_t> bikeCode;
};

// Newest first. A missing folder lists nothing.
std::vector<HistoryEntry> ListHistory(const std::filesystem::path& folder);

// "2026-12-09 14:03:22".
std::string HistoryTimeText(const LocalTime& time);
// The event column of the history list ("Read", "Programmed").
std::string_view HistoryEventText(HistoryEvent event, std::uint8_t languageId);

}  // namespace zelmo
