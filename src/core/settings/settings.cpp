// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/settings.h"

namespace zelmo {
namespace {

constexpr std::string_view kForm = "FORM_HLAV";
constexpr std::string_view kIgnition = "IGNITION";
constexpr std::string_view kIgnAllKey = "CheckBoxIgnAll->Checked";
constexpr std::string_view kPorts = "PORTS";
constexpr std::string_view kView = "VIEW";
constexpr std::string_view kOperatingPointKey = "OperatingPoint";

std::string ComKey(int number) { return "COM" + std::to_string(number); }

// Stored one-based; the low byte less one, wrapping in 8 bits, so that a
// missing key (whose default goes through the same step) ends as COM1.
std::uint8_t PortIndex(int stored) { return static_cast<std::uint8_t>(static_cast<std::uint8_t>(stored) - 1); }

}  // namespace

void LoadSettings(const IniDocument& ini, SettingsRecord& record) {
  record.left = ini.readInt(kForm, "Left", record.left);
  record.top = ini.readInt(kForm, "Top", record.top);
  record.height = ini.readInt(kForm, "Height", record.height);
  record.width = ini.readInt(kForm, "Width", record.width);
  record.selectedComIndex = PortIndex(ini.readInt(kForm, "ComPort", record.selectedComIndex));
  record.autoPortIndex = PortIndex(ini.readInt(kForm, "ComPortAuto", record.autoPortIndex));
  record.languageId = static_cast<std::uint8_t>(ini.readInt(kForm, "Language", record.languageId));
  record.currentFileName = ini.readString(kForm, "File", "");
  record.lastFilePath = ini.readString(kForm, "IniDir", "");
  record.ignAll = ini.readInt(kIgnition, kIgnAllKey, record.ignAll ? 1 : 0) != 0;
  record.showOperatingPoint = ini.readInt(kView, kOperatingPointKey, record.showOperatingPoint ? 1 : 0) != 0;
  const auto ports = ReadPortMap(ini);
  for (int i = 0; i < kPortMapSize; ++i) {
    if (!ports[static_cast<std::size_t>(i)].empty()) record.ports[i + 1] = ports[static_cast<std::size_t>(i)];
  }
}

void SaveSettings(const SettingsRecord& record, IniDocument& ini) {
  ini.writeInt(kForm, "Left", record.left);
  ini.writeInt(kForm, "Top", record.top);
  ini.writeInt(kForm, "Height", record.height);
  ini.writeInt(kForm, "Width", record.width);
  ini.writeInt(kForm, "ComPort", record.selectedComIndex + 1);
  ini.writeInt(kForm, "ComPortAuto", record.autoPortIndex + 1);
  ini.writeInt(kForm, "Language", record.languageId);
  ini.write(kForm, "File", record.currentFileName);
  ini.write(kForm, "IniDir", record.lastFilePath);
  ini.writeInt(kIgnition, kIgnAllKey, record.ignAll ? 1 : 0);
  for (const auto& [number, device] : record.ports) {
    if (number < 1 || number > kPortMapSize) continue;
    // An entry to empty that the file does not have needs no line.
    if (device.empty() && !ini.find(kPorts, ComKey(number))) continue;
    ini.write(kPorts, ComKey(number), device);
  }
  // A file that never had the option on keeps the sections it had.
  if (record.showOperatingPoint || ini.find(kView, kOperatingPointKey)) {
    ini.writeInt(kView, kOperatingPointKey, record.showOperatingPoint ? 1 : 0);
  }
}

}  // namespace zelmo
