// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include "core/model/ordering.h"

namespace zelmo {
namespace {

// What start-up holds when it loads the settings: the centred window,
// selectedComIndex 1, the rest zero.
SettingsRecord StartupRecord() {
  SettingsRecord record;
  record.left = 300;
  record.top = 100;
  return record;
}

StoredChoices Clamped(const SettingsRecord& record) {
  StoredChoices choices{record.languageId, record.selectedComIndex, record.autoPortIndex};
  ClampComSettings(choices);
  return choices;
}

TEST(Settings, EmptyFileGivesTheStartupDefaults) {
  SettingsRecord record = StartupRecord();
  LoadSettings(IniDocument{}, record);
  EXPECT_EQ(record.left, 300);
  EXPECT_EQ(record.top, 100);
  EXPECT_EQ(record.width, 769);
  EXPECT_EQ(record.height, 803);
  EXPECT_EQ(record.selectedComIndex, 0);
  EXPECT_EQ(record.autoPortIndex, 255);
  EXPECT_EQ(Clamped(record).autoPortIndex, 0);
  EXPECT_EQ(record.languageId, 0);
  EXPECT_EQ(record.currentFileName, "");
  EXPECT_EQ(record.lastFilePath, "");
  EXPECT_FALSE(record.ignAll);
}

TEST(Settings, ReadsEveryKeyWithoutRegardToCase) {
  SettingsRecord record = StartupRecord();
  LoadSettings(IniDocument::Parse("[form_hlav]\r\nleft=-5\r\nTOP=7\r\nHeight=600\r\nWidth=700\r\nComPort=4\r\n"
                                  "ComPortAuto=9\r\nLanguage=3\r\nFile=/home/u/a b.ign\r\nIniDir=/home/u/c.ign\r\n"
                                  "[Ignition]\r\ncheckboxignall->checked=2\r\n"),
               record);
  EXPECT_EQ(record.left, -5);
  EXPECT_EQ(record.top, 7);
  EXPECT_EQ(record.height, 600);
  EXPECT_EQ(record.width, 700);
  EXPECT_EQ(record.selectedComIndex, 3);
  EXPECT_EQ(record.autoPortIndex, 8);
  EXPECT_EQ(record.languageId, 3);
  EXPECT_EQ(record.currentFileName, "/home/u/a b.ign");
  EXPECT_EQ(record.lastFilePath, "/home/u/c.ign");
  EXPECT_TRUE(record.ignAll);
}

TEST(Settings, PortValuesOutsideTheMenuMeanComOne) {
  auto portFor = [](const char* value) {
    SettingsRecord record = StartupRecord();
    LoadSettings(IniDocument::Parse(std::string("[FORM_HLAV]\nComPort=") + value), record);
    return Clamped(record).selectedComIndex;
  };
  EXPECT_EQ(portFor("21"), kAutoComIndex);
  EXPECT_EQ(portFor("1"), 0);
  EXPECT_EQ(portFor("0"), 0);
  EXPECT_EQ(portFor("300"), 0);
  EXPECT_EQ(portFor("277"), kAutoComIndex);  // only the low byte counts
  EXPECT_EQ(portFor("abc"), 0);              // the default 1, less one
}

TEST(Settings, LanguageTakesTheLowByteAndUnknownIdsFallBackToEnglish) {
  auto languageFor = [](const char* value) {
    SettingsRecord record = StartupRecord();
    LoadSettings(IniDocument::Parse(std::string("[FORM_HLAV]\nLanguage=") + value), record);
    return Clamped(record).languageId;
  };
  EXPECT_EQ(languageFor("3"), 3);
  EXPECT_EQ(languageFor("9"), 0);
  EXPECT_EQ(languageFor("257"), 1);
  EXPECT_EQ(languageFor("x"), 0);
}

TEST(Settings, NewFileHoldsTheKeysInWriteOrder) {
  SettingsRecord record;
  record.left = 10;
  record.top = 20;
  record.selectedComIndex = 20;
  record.autoPortIndex = 4;
  record.languageId = 1;
  record.currentFileName = "/x/a.ign";
  record.ignAll = true;
  IniDocument ini;
  SaveSettings(record, ini);
  EXPECT_EQ(ini.serialize(),
            "[FORM_HLAV]\r\nLeft=10\r\nTop=20\r\nHeight=803\r\nWidth=769\r\nComPort=21\r\nComPortAuto=5\r\n"
            "Language=1\r\nFile=/x/a.ign\r\nIniDir=\r\n[IGNITION]\r\nCheckBoxIgnAll->Checked=1\r\n");

  SettingsRecord back = StartupRecord();
  LoadSettings(ini, back);
  EXPECT_EQ(back.selectedComIndex, 20);
  EXPECT_EQ(back.autoPortIndex, 4);
  EXPECT_EQ(back.currentFileName, "/x/a.ign");
  EXPECT_TRUE(back.ignAll);
}

TEST(Settings, OperatingPointHasASectionOfItsOwnOnceItWasOn) {
  SettingsRecord record;
  IniDocument ini;
  SaveSettings(record, ini);
  EXPECT_FALSE(ini.find("VIEW", "OperatingPoint"));  // never on: the file keeps its sections
  record.showOperatingPoint = true;
  SaveSettings(record, ini);
  EXPECT_EQ(ini.find("VIEW", "OperatingPoint"), "1");
  EXPECT_FALSE(ini.find("FORM_HLAV", "OperatingPoint"));
  SettingsRecord back;
  LoadSettings(ini, back);
  EXPECT_TRUE(back.showOperatingPoint);
  record.showOperatingPoint = false;
  SaveSettings(record, ini);
  EXPECT_EQ(ini.find("VIEW", "OperatingPoint"), "0");
  LoadSettings(ini, back);
  EXPECT_FALSE(back.showOperatingPoint);
}

TEST(Settings, PortsAreReadAndOnlyTheEntriesHeldAreWritten) {
  IniDocument ini = IniDocument::Parse("[PORTS]\r\nCOM1=/dev/ttyUSB0\r\ncom3=/dev/ttyS0\r\nCOM22=/dev/x\r\n");
  SettingsRecord record;
  LoadSettings(ini, record);
  EXPECT_EQ(record.ports, (std::map<int, std::string>{{1, "/dev/ttyUSB0"}, {3, "/dev/ttyS0"}}));

  // COM1's adapter chosen as COM4 now: COM1 is emptied, COM4 added in the same
  // COMn=DEVICE form, readable by earlier versions.
  record.ports = {{1, ""}, {3, "/dev/ttyS0"}, {4, "/dev/serial/by-id/usb-FTDI_A-if00-port0"}, {9, ""}, {30, "x"}};
  SaveSettings(record, ini);
  const std::string text = ini.serialize();
  EXPECT_EQ(
      text.find(
          "[PORTS]\r\nCOM1=\r\nCOM3=/dev/ttyS0\r\nCOM22=/dev/x\r\nCOM4=/dev/serial/by-id/usb-FTDI_A-if00-port0\r\n"),
      0u)
      << text;
  EXPECT_EQ(text.find("COM9"), std::string::npos) << "no line for an entry the file never had";
  EXPECT_EQ(text.find("COM30"), std::string::npos);
  SettingsRecord back;
  LoadSettings(ini, back);
  EXPECT_EQ(back.ports,
            (std::map<int, std::string>{{3, "/dev/ttyS0"}, {4, "/dev/serial/by-id/usb-FTDI_A-if00-port0"}}));
}

TEST(Settings, SavingKeepsUnrelatedSectionsAndKeys) {
  IniDocument ini = IniDocument::Parse("[PORTS]\r\nCOM1=/dev/ttyUSB0\r\n[FORM_HLAV]\r\nMine=1\r\nleft=3\r\n");
  SaveSettings(SettingsRecord{}, ini);
  EXPECT_EQ(ini.readString("PORTS", "COM1", ""), "/dev/ttyUSB0");
  EXPECT_EQ(ini.readInt("FORM_HLAV", "Mine", 0), 1);
  EXPECT_EQ(ini.readInt("FORM_HLAV", "Left", 3), 0);
  EXPECT_EQ(ini.serialize().find("[PORTS]\r\nCOM1=/dev/ttyUSB0\r\n[FORM_HLAV]\r\nMine=1\r\nLeft=0\r\n"), 0u);
}

}  // namespace
}  // namespace zelmo
