// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the settings file keeps from one run to the next, and how it is read
// into and written from the window's fields.
#include <cstdint>
#include <map>
#include <string>

#include "core/settings/ini_file.h"

namespace zelmo {

inline constexpr int kDefaultWindowWidth = 769;
inline constexpr int kDefaultWindowHeight = 803;

struct SettingsRecord {
  int left = 0;
  int top = 0;
  int height = kDefaultWindowHeight;
  int width = kDefaultWindowWidth;
  std::uint8_t selectedComIndex = 1;
  std::uint8_t autoPortIndex = 0;
  std::uint8_t languageId = 0;
  std::string currentFileName;
  std::string lastFilePath;
  bool ignAll = false;
  // Section "PORTS": COMn -> device. Only the entries held here are written;
  // an empty device empties its entry.
  std::map<int, std::string> ports;
  // Section "VIEW", the tool's own, so the unit tool's keys stay as they are:
  // the operating point drawn on the curve graph. Written once it was ever on.
  bool showOperatingPoint = false;
};

// The record's current values are the defaults of missing or unreadable keys.
// Port and language values are not range-checked here: the ordering pass
// that start-up runs next does that.
void LoadSettings(const IniDocument& ini, SettingsRecord& record);
// Writes every key in the order a new file holds them.
void SaveSettings(const SettingsRecord& record, IniDocument& ini);

}  // namespace zelmo
