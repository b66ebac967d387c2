// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/texts.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zelmo {
namespace {

constexpr std::uint8_t kLanguages[] = {kEnglish, kGerman, kCzech};

std::optional<std::string_view> Find(std::span<const ControlText> texts, std::string_view control) {
  for (const ControlText& entry : texts) {
    if (entry.control == control) return entry.text;
  }
  return std::nullopt;
}

std::vector<std::string_view> Names(std::span<const ControlText> texts) {
  std::vector<std::string_view> names;
  for (const ControlText& entry : texts) names.push_back(entry.control);
  return names;
}

// Catches a table saved in an 8-bit code page instead of UTF-8.
bool ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) {
      length = 1;
    } else if ((lead >> 5) == 0x6) {
      length = 2;
    } else if ((lead >> 4) == 0xE) {
      length = 3;
    } else if ((lead >> 3) == 0x1E) {
      length = 4;
    }
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TEST(LanguageCaptions, ExactTextsThatAreEasyToGetWrong) {
  const auto english = LanguageCaptions(kEnglish);
  const auto german = LanguageCaptions(kGerman);
  const auto czech = LanguageCaptions(kCzech);
  EXPECT_EQ(Find(english, "MenuExit"), "E&xit");
  EXPECT_EQ(Find(english, "MenuContens"), "&Contents...");
  EXPECT_EQ(Find(english, "Label2"), "Advance [°]");
  EXPECT_EQ(Find(czech, "MenuRead"), "Čí&st");
  EXPECT_EQ(Find(czech, "Button1"), "Čí&st");
  EXPECT_EQ(Find(czech, "MenuCzech"), "Če&sky");
  EXPECT_EQ(Find(czech, "MenuVerify"), "&Verifikace");
  EXPECT_EQ(Find(czech, "BitBtn2"), "&Verifikovat");
  EXPECT_EQ(Find(czech, "CheckBoxProgHned"), "Programování po změně");
  EXPECT_EQ(Find(czech, "LabelOmez2"), "Omezovač [rpm]");
  EXPECT_EQ(Find(german, "MenuEnglish"), "Englisch");
  EXPECT_EQ(Find(german, "MenuOpen"), "&Öffnen");
  EXPECT_EQ(Find(german, "MenuAbout"), "&Über Programm...");
  EXPECT_EQ(Find(german, "CheckBoxBlokEnable"), "Blockierung zugelast");
  EXPECT_EQ(Find(german, "CheckBoxProgHned"), "Programmieren nach Änderung");
  EXPECT_EQ(Find(german, "MenuCom"), "&ComPort");
}

TEST(LanguageCaptions, SameControlsInEveryLanguageWithoutSharedOrComposedRows) {
  const auto english = Names(LanguageCaptions(kEnglish));
  EXPECT_EQ(english.size(), 27u);
  EXPECT_EQ(std::set<std::string_view>(english.begin(), english.end()).size(), english.size());
  EXPECT_EQ(english.front(), "MenuFile");
  EXPECT_EQ(english.back(), "CheckBoxRpm2Krat");
  EXPECT_EQ(Names(LanguageCaptions(kGerman)), english);
  EXPECT_EQ(Names(LanguageCaptions(kCzech)), english);
  for (const std::string_view other : {"MenuOpenExeDir", "MenuSaveExeDir", "MenuTools", "MenuZpet", "MenuZnovu",
                                       "AdvanceMinus", "AdvancePlus", "CheckBoxBuzDlouhe", "LabelBaseAdv",
                                       "LabelRpmKorekce", "CheckBoxInvInput", "ComboBoxBike", "LabelAdvance",
                                       "LabelMonSnimac1", "LabelMonSnimac2"}) {
    for (const std::uint8_t id : kLanguages) EXPECT_FALSE(Find(LanguageCaptions(id), other)) << other;
  }
  for (const std::uint8_t id : kLanguages) {
    for (const ControlText& entry : LanguageCaptions(id)) {
      EXPECT_FALSE(entry.text.empty()) << entry.control;
      EXPECT_TRUE(ValidUtf8(entry.text)) << entry.control;
    }
  }
}

TEST(LanguageCaptions, NothingForFrenchOrWildIds) {
  for (const std::uint8_t id : {std::uint8_t{2}, std::uint8_t{4}, std::uint8_t{255}}) {
    EXPECT_TRUE(LanguageCaptions(id).empty());
    EXPECT_TRUE(LanguageHints(id).empty());
  }
}

TEST(LanguageHints, ExactTextsKeepBlanksMisspellingsAndHintForms) {
  const auto english = LanguageHints(kEnglish);
  const auto german = LanguageHints(kGerman);
  const auto czech = LanguageHints(kCzech);
  EXPECT_EQ(Find(english, "MenuNew"), "Set default parameters ");
  EXPECT_EQ(Find(english, "MenuOpen"), "Open file with parameters ");
  EXPECT_EQ(Find(english, "BitBtn1"), "Programing  set parametrs to ignition");
  EXPECT_EQ(Find(english, "BitBtn2"), "Compare set parametrs  with parametrs of ignition");
  EXPECT_EQ(Find(english, "Label26"), "Round per Minute|Speed - Round per Minute");
  EXPECT_EQ(Find(english, "MenuHelp"), "Not available jet");
  EXPECT_EQ(Find(czech, "MenuVerify"),
            "Ověření|Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování");
  EXPECT_EQ(Find(czech, "MenuRead"), "Čtení|Čtení parametrů z jednotky");
  EXPECT_EQ(Find(czech, "BitBtnAdvPlus"), "Zvětšení předstihu o 1 stupeň");
  EXPECT_EQ(Find(german, "Label26"), "Umdrehungen pro Minute");
  EXPECT_EQ(Find(german, "SpeedButtonOpen"), "öffnen Datei mit Kenndaten");
  EXPECT_EQ(Find(german, "MenuExit"), "Programm beenden");
  EXPECT_EQ(Find(german, "MenuCom"), "Com Port festlegen");
  EXPECT_EQ(Find(german, "CheckBoxProgHned"), "Programmmieren gleich after die Umänderung");
  EXPECT_EQ(Find(german, "MenuHelp"), "Noch nicht verfügbar");
  for (const std::uint8_t id : kLanguages) {
    EXPECT_EQ(Find(LanguageHints(id), "MenuEnglish"), "Set Englich menu");
    EXPECT_EQ(Find(LanguageHints(id), "MenuCzech"), "Nastavit české menu");
    EXPECT_EQ(Find(LanguageHints(id), "MenuGerman"), "Deutche Menü");
  }
}

TEST(LanguageHints, OnlyGermanSetsTheComMenuHint) {
  const auto english = Names(LanguageHints(kEnglish));
  EXPECT_EQ(english.size(), 27u);
  EXPECT_EQ(Names(LanguageHints(kCzech)), english);
  EXPECT_FALSE(Find(LanguageHints(kEnglish), "MenuCom"));
  EXPECT_FALSE(Find(LanguageHints(kCzech), "MenuCom"));
  auto german = Names(LanguageHints(kGerman));
  EXPECT_EQ(german.size(), 28u);
  std::erase(german, std::string_view("MenuCom"));
  EXPECT_EQ(german, english);
  for (const std::uint8_t id : kLanguages) {
    for (const ControlText& entry : LanguageHints(id)) {
      EXPECT_FALSE(entry.text.empty()) << entry.control;
      EXPECT_TRUE(ValidUtf8(entry.text)) << entry.control;
    }
  }
}

TEST(WindowCaption, FixedForCzechAndGermanComposedOtherwise) {
  EXPECT_EQ(FixedWindowCaption(kCzech), "Programování jednotky \"Zelmo TCI\"");
  EXPECT_EQ(FixedWindowCaption(kGerman), "Programmierung der \"Zelmo TCI\" Zündbox");
  EXPECT_FALSE(FixedWindowCaption(kEnglish));
  EXPECT_FALSE(FixedWindowCaption(kFrench));

  MessageTable table;
  FillMessageTable(table, kEnglish);
  EXPECT_EQ(FileWindowCaption(table), "  Zelmo_TCI       ");
  table.currentFileName = "/home/rider/data.ign";
  EXPECT_EQ(FileWindowCaption(table), "  Zelmo_TCI       /home/rider/data.ign");
}

TEST(MessageTable, TextsOfEachLanguage) {
  MessageTable table;
  FillMessageTable(table, kEnglish);
  EXPECT_EQ(table.captionPrefix, "  Zelmo_TCI");
  EXPECT_EQ(table.programming, "Programing");
  EXPECT_EQ(table.saving, "Saving:");
  EXPECT_EQ(table.pickUp, "Pick-up (CPS)");
  EXPECT_EQ(table.isRunning, " is running");
  EXPECT_EQ(table.noSignal, " no signal");

  FillMessageTable(table, kCzech);
  EXPECT_EQ(table.captionPrefix, "  Zelmo_TCI");
  EXPECT_EQ(table.programError, "Chyba programování");
  EXPECT_EQ(table.versionMismatch, "Neshodné verze proramu v PC a zapalování!");
  EXPECT_EQ(table.noSignal, " bez signálu");

  FillMessageTable(table, kGerman);
  EXPECT_EQ(table.comOpenError, "Falscher COM-Anschlußes!");
  EXPECT_EQ(table.pickUp, "Geber(CPS)");
  EXPECT_EQ(table.isRunning, " läuft");
  EXPECT_EQ(table.verifyError, "Vergleichsfehler");
  EXPECT_EQ(table.defaultQuestion, "Wollen Sie Standardeinstellungen öffnen?");
}

TEST(MessageTable, FrenchEmptiesEveryMessageAndKeepsTheFileName) {
  MessageTable table;
  table.currentFileName = "a.ign";
  FillMessageTable(table, kGerman);
  FillMessageTable(table, kFrench);
  EXPECT_EQ(table.captionPrefix, "  Zelmo_TCI");
  EXPECT_EQ(table.currentFileName, "a.ign");
  for (const std::string* entry :
       {&table.programError, &table.verifyError, &table.readError, &table.programming, &table.verify, &table.saving,
        &table.versionMismatch, &table.comOpenError, &table.defaultQuestion, &table.advance, &table.pickUp,
        &table.isRunning, &table.noSignal}) {
    EXPECT_TRUE(entry->empty()) << *entry;
  }
}

TEST(MessageTable, WildIdReadsEnglishNotBeyondTheRows) {
  MessageTable table;
  FillMessageTable(table, 7);
  EXPECT_EQ(table.readError, "Read error!");
  EXPECT_EQ(Shared(7).menuTools, "Tools");
  EXPECT_EQ(AboutCaption(200), "About Zelmo_TCI");
}

TEST(ComposedCaptions, BuiltFromTheCurrentMessages) {
  MessageTable table;
  FillMessageTable(table, kEnglish);
  EXPECT_EQ(AdvanceMinusCaption(table), "Advance -");
  EXPECT_EQ(AdvancePlusCaption(table), "Advance +");
  EXPECT_EQ(NoConnectionAdvanceCaption(table), "Advance= --- [°]");
  EXPECT_EQ(NoConnectionPickUpCaption(table, 1), "Pick-up (CPS) 1 = ---");
  FillMessageTable(table, kCzech);
  EXPECT_EQ(NoConnectionPickUpCaption(table, 2), "Snímač (CPS) 2 = ---");
  FillMessageTable(table, kGerman);
  EXPECT_EQ(NoConnectionAdvanceCaption(table), "Vorzündung= --- [°]");
}

TEST(LanguageFromArgument, WholeWordsInCapitalsOnly) {
  EXPECT_EQ(LanguageFromArgument("ENGLISH"), kEnglish);
  EXPECT_EQ(LanguageFromArgument("CESKY"), kCzech);
  EXPECT_EQ(LanguageFromArgument("DEUTSCH"), kGerman);
  for (const std::string_view other : {"english", "DE", "", "ENGLISH ", "Cesky", "FRANCAIS"}) {
    EXPECT_FALSE(LanguageFromArgument(other)) << other;
  }
}

TEST(LanguageFromLocale, CzechAndGermanByTheirCodeEnglishOtherwise) {
  for (const std::string_view czech : {"cs", "cs-CZ", "cs_CZ.UTF-8", "CS_cz", "cs@latin"}) {
    EXPECT_EQ(LanguageFromLocale(czech), kCzech) << czech;
  }
  for (const std::string_view german : {"de", "de-DE", "de_AT.UTF-8", "de-CH"}) {
    EXPECT_EQ(LanguageFromLocale(german), kGerman) << german;
  }
  // Slovak is no Czech, Danish no German; the C locale has no language.
  for (const std::string_view other : {"en-US", "sk-SK", "da_DK", "C", "POSIX", "", "c", "des", "csb_PL", "fr"}) {
    EXPECT_EQ(LanguageFromLocale(other), kEnglish) << other;
  }
}

TEST(Shared, RowsOfEachLanguageAndEmptyFrench) {
  EXPECT_EQ(Shared(kEnglish).menuOpenExeDir, "Open from exe dir");
  EXPECT_EQ(Shared(kEnglish).specialSetting, "Special setting");
  EXPECT_EQ(Shared(kEnglish).correction, "Correction [%]");
  EXPECT_EQ(Shared(kCzech).menuUndo, "Zpet");
  EXPECT_EQ(Shared(kCzech).inversePolarity, "Opačná polarita snímače");
  EXPECT_EQ(Shared(kCzech).specialSetting, "Speciální nastavení");
  EXPECT_EQ(Shared(kGerman).menuOpenExeDir, "Öffnen aus exe dir");
  EXPECT_EQ(Shared(kGerman).menuUndo, "Zurück");
  EXPECT_EQ(Shared(kGerman).inversePolarity, "Umgekehrte Gebereingang");
  EXPECT_EQ(Shared(kGerman).baseAdvance, "Basis Vorzündung [°]");
  const SharedTexts& french = Shared(kFrench);
  for (const std::string_view text :
       {french.menuOpenExeDir, french.menuSaveExeDir, french.menuTools, french.menuUndo, french.menuRedo,
        french.excitationLong, french.baseAdvance, french.correction, french.inversePolarity, french.specialSetting}) {
    EXPECT_TRUE(text.empty());
  }
}

TEST(InlineTexts, ByLanguageAndNothingForOtherIds) {
  EXPECT_EQ(OperationCaption(Operation::Read, kEnglish), "Read device:");
  EXPECT_EQ(OperationCaption(Operation::Verify, kGerman), "Vergleichen:");
  EXPECT_EQ(OperationCaption(Operation::Program, kCzech), "Programování:");
  EXPECT_FALSE(OperationCaption(Operation::Read, kFrench));
  EXPECT_EQ(IgnVersionMessage(kGerman), "Uneinig Version der Datendatei *.ign!");
  EXPECT_EQ(IgnVersionMessage(kCzech), "Neshodná verze souboru *.ign!");
  EXPECT_FALSE(IgnVersionMessage(kFrench));
  EXPECT_EQ(PrintStampPrefix(kGerman), "Date and Time of printing:  ");
  EXPECT_EQ(PrintStampPrefix(kGerman), PrintStampPrefix(kEnglish));
  EXPECT_EQ(PrintStampPrefix(kCzech), "Datum a čas tisku:  ");
  EXPECT_FALSE(PrintStampPrefix(kFrench));
  EXPECT_EQ(AboutCaption(kFrench), "Information Zelmo_TCI");
  EXPECT_EQ(AboutCaption(kGerman), "Über Programm Zelmo_TCI");
  EXPECT_EQ(AboutCaption(kCzech), "O programu Zelmo_TCI");
  EXPECT_EQ(ManualSuffix(kEnglish), "_en");
  EXPECT_EQ(LicenceLine(kGerman), "Lizenz: GPL-3.0-or-later");
  EXPECT_EQ(LicenceName(kCzech), "GNU General Public License, verze 3 nebo pozdější");
  EXPECT_EQ(LicenceName(kFrench), LicenceName(kEnglish));
  EXPECT_EQ(LicenceLine(200), "Licence: GPL-3.0-or-later");
  EXPECT_EQ(ManualSuffix(kGerman), "_de");
  EXPECT_EQ(ManualSuffix(kCzech), "_cz");
  EXPECT_FALSE(ManualSuffix(kFrench));
}

}  // namespace
}  // namespace zelmo
