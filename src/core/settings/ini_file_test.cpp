// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_file.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

TEST(IniDocument, SectionsAndKeysMatchWithoutRegardToCase) {
  const IniDocument ini = IniDocument::Parse("[form_hlav]\r\n  LEFT = 12 \r\nleft=99\r\n[Other]\r\nLeft=5\r\n");
  EXPECT_EQ(ini.readInt("FORM_HLAV", "Left", -1), 12);
  EXPECT_EQ(ini.readInt("other", "left", -1), 5);
  EXPECT_EQ(ini.readInt("FORM_HLAV", "Top", -1), -1);
  EXPECT_EQ(ini.readInt("MISSING", "Left", -1), -1);
}

TEST(IniDocument, ValuesThatAreNotWholeIntegersGiveTheDefault) {
  const IniDocument ini = IniDocument::Parse(
      "[S]\nA=12x\nB=\nC=-7\nD=+8\nE=99999999999\nF=0x10\nG=- 3\nH=+-1\nI=1 2\nJ= 42");
  EXPECT_EQ(ini.readInt("S", "A", 1), 1);
  EXPECT_EQ(ini.readInt("S", "B", 1), 1);
  EXPECT_EQ(ini.readInt("S", "C", 1), -7);
  EXPECT_EQ(ini.readInt("S", "D", 1), 8);
  EXPECT_EQ(ini.readInt("S", "E", 1), 1);
  EXPECT_EQ(ini.readInt("S", "F", 1), 1);
  EXPECT_EQ(ini.readInt("S", "G", 1), 1);
  EXPECT_EQ(ini.readInt("S", "H", 1), 1);
  EXPECT_EQ(ini.readInt("S", "I", 1), 1);
  EXPECT_EQ(ini.readInt("S", "J", 1), 42);
  EXPECT_EQ(ini.readString("S", "J", "d"), "42");
  EXPECT_EQ(ini.readString("S", "Z", "d"), "d");
}

TEST(IniDocument, LinesBeforeAnySectionAndCommentsAreNoKeys) {
  const IniDocument ini = IniDocument::Parse("Left=1\n[S]\n;Left=2\nLeft=3 ; not a comment\n");
  EXPECT_EQ(ini.readString("S", "Left", ""), "3 ; not a comment");
  EXPECT_FALSE(ini.find("", "Left"));
}

TEST(IniDocument, WritingKeepsUnrelatedContentInItsOrder) {
  IniDocument ini = IniDocument::Parse(
      "; made by hand\r\n[PORTS]\r\nCOM3=/dev/ttyUSB0\r\n\r\n[form_hlav]\r\nleft=1\r\nExtra=keep me\r\n\r\n[Z]\r\nq=1");
  ini.writeInt("FORM_HLAV", "Left", 40);
  ini.writeInt("FORM_HLAV", "Top", 50);
  ini.write("PORTS", "COM4", "/dev/ttyS0");
  ini.writeInt("IGNITION", "CheckBoxIgnAll->Checked", 1);
  EXPECT_EQ(ini.serialize(),
            "; made by hand\r\n[PORTS]\r\nCOM3=/dev/ttyUSB0\r\nCOM4=/dev/ttyS0\r\n\r\n"
            "[form_hlav]\r\nLeft=40\r\nExtra=keep me\r\nTop=50\r\n\r\n[Z]\r\nq=1\r\n"
            "[IGNITION]\r\nCheckBoxIgnAll->Checked=1\r\n");
}

TEST(IniDocument, NewDocumentHoldsKeysInTheOrderWritten) {
  IniDocument ini;
  ini.writeInt("A", "x", 1);
  ini.write("A", "y", "two\r\nlines");
  ini.writeInt("B", "z", 3);
  EXPECT_EQ(ini.serialize(), "[A]\r\nx=1\r\ny=twolines\r\n[B]\r\nz=3\r\n");
  EXPECT_EQ(IniDocument::Parse(ini.serialize()).serialize(), ini.serialize());
}

TEST(IniDocument, AnyTextParsesWithoutHarm) {
  constexpr char kJunk[] = "[\0]=\n[[x\n=\n\xff\xfe=\x01\n]]\n[unterminated\nk=v";
  const std::string junk(kJunk, sizeof kJunk - 1);
  const IniDocument ini = IniDocument::Parse(junk);
  EXPECT_EQ(ini.readString("unterminated", "k", ""), "v");
  EXPECT_EQ(IniDocument::Parse("").serialize(), "");
}

TEST(IniDocument, ByteOrderMarkIsNoPartOfTheFirstSection) {
  IniDocument ini = IniDocument::Parse("\xEF\xBB\xBF[FORM_HLAV]\r\nLeft=4\r\n");
  EXPECT_EQ(ini.readInt("FORM_HLAV", "Left", 0), 4);
  ini.writeInt("FORM_HLAV", "Left", 5);
  EXPECT_EQ(ini.serialize(), "\xEF\xBB\xBF[FORM_HLAV]\r\nLeft=5\r\n");
}

TEST(PortMap, ReadsComKeysOfThePortsSection) {
  const IniDocument ini = IniDocument::Parse("[ports]\ncom3=/dev/ttyUSB0\nCOM21=/dev/pts/4\nCOM22=/dev/x\nCOM0=/dev/y");
  const auto ports = ReadPortMap(ini);
  EXPECT_EQ(ports[2], "/dev/ttyUSB0");
  EXPECT_EQ(ports[20], "/dev/pts/4");
  EXPECT_EQ(ports[0], "");
}

}  // namespace
}  // namespace zelmo
