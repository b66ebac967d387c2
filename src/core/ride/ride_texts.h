// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ride viewer's texts and its messages about a recording, in the three
// languages. Texts with %s or %d are patterns for FillText and FillNumber.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ride/ride_log.h"

namespace zelmo {

enum class RideText {
  OpenMenu,    // "Open recording..."
  Caption,     // "Recording - %s"
  FileFilter,  // "Recordings (*.csv)"
  Speed,       // axis and read-out names
  Advance,
  Supply,
  Blocking,
  Neutral,
  SideStand,
  Pickup1,
  Pickup2,
  Time,            // "Time"
  Visits,          // the scatter's title
  ExportPng,       // "Export as PNG..."
  ExportPdf,       // "Export as PDF..."
  ExportFailed,    // "%s" the file
  Unreadable,      // "%s" the file; the reason follows on its own line
  Empty,           // "%s" holds no recorded values
  Foreign,         // "%s" is not a recording of live values
  TooLarge,        // "%s" is too large
  SkippedLines,    // "%d lines could not be read and were skipped:"
  SkipFieldCount,  // "line %d: wrong number of fields"
  SkipNotANumber,
  SkipTimeNotIncreasing,
  SkipCutShort,
  SkippedMore,     // "... and %d more"
  MissingColumns,  // "Not in the file: %s"
  Help,            // how to zoom, pan and see the whole ride
};

std::string_view RideTextOf(RideText text, std::uint8_t languageId);

// What to tell the user about a read that worked but skipped lines or lacks
// columns; empty when there is nothing to say. fileName names the file.
std::string RideLogNotes(const RideLogRead& read, std::uint8_t languageId);
// Why the file did not open; empty when it did.
std::string RideLogErrorText(const RideLogRead& read, std::string_view fileName, std::uint8_t languageId);

}  // namespace zelmo
