// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace zelmo {
namespace {

// One control's text in English, Czech and German, the order the tables were
// drawn up in. A default-constructed view (not "") marks a language that leaves
// the control as it finds it.
struct Row {
  std::string_view control;
  std::string_view english;
  std::string_view czech;
  std::string_view german;
};

constexpr std::string_view kUnchanged{};

// Every table here names its columns english, czech and german.
template <typename Texts>
constexpr std::string_view Column(const Texts& texts, std::uint8_t languageId) {
  switch (languageId) {
    case kEnglish:
      return texts.english;
    case kGerman:
      return texts.german;
    case kCzech:
      return texts.czech;
    default:
      return kUnchanged;
  }
}

constexpr bool Sets(std::string_view text) { return text.data() != nullptr; }

// An inline text that other parts choose by the id, showing nothing otherwise.
struct Inline {
  std::string_view english;
  std::string_view czech;
  std::string_view german;
};

std::optional<std::string_view> Choose(const Inline& texts, std::uint8_t languageId) {
  const std::string_view text = Column(texts, languageId);
  if (!Sets(text)) return std::nullopt;
  return text;
}

template <std::size_t N>
constexpr std::size_t CountSet(const std::array<Row, N>& rows, std::uint8_t languageId) {
  std::size_t count = 0;
  for (const Row& row : rows) {
    if (Sets(Column(row, languageId))) ++count;
  }
  return count;
}

// The column of one language, without the controls it leaves alone.
template <const auto& rows, std::uint8_t languageId>
constexpr auto Pick() {
  std::array<ControlText, CountSet(rows, languageId)> picked{};
  std::size_t next = 0;
  for (const Row& row : rows) {
    if (Sets(Column(row, languageId))) picked[next++] = {row.control, Column(row, languageId)};
  }
  return picked;
}

// Menu and control captions that each language operation sets itself. The
// shared rows and the captions composed from messages are elsewhere.
constexpr std::array<Row, 27> kCaptionRows{{
    {"MenuFile", "&File", "&Soubor", "&Datei"},
    {"MenuNew", "&New", "&Nový", "&Neu"},
    {"MenuOpen", "&Open", "&Otevřít", "&Öffnen"},
    {"MenuSave", "&Save", "&Uložit", "&Speichern"},
    {"MenuPrint", "&Print", "&Tisk", "&Drucken"},
    {"MenuExit", "E&xit", "&Konec", "&Beenden"},
    {"MenuCom", "&Com", "&Port", "&ComPort"},
    {"MenuDevice", "&Device", "&Zapalování", "&Zündbox"},
    {"MenuRead", "&Read", "Čí&st", "&Lesen"},
    {"MenuVerify", "&Verify", "&Verifikace", "&Vergleichen"},
    {"MenuProgram", "&Program", "&Programovat", "&Programmieren"},
    {"MenuLanguage", "&Language", "&Jazyk", "&Sprache"},
    {"MenuEnglish", "&English", "&Anglicky", "Englisch"},
    {"MenuCzech", "&Czech", "Če&sky", "&Tschechisch"},
    {"MenuGerman", "&German", "&Německy", "&Deutsch"},
    {"MenuHelp", "&Help", "&Nápověda", "&Hilfe"},
    {"MenuContens", "&Contents...", "&Obsah...", "&Inhalt..."},
    {"MenuAbout", "&About...", "&O programu...", "&Über Programm..."},
    {"CheckBoxIgnAll", "All", "Vše", "Alles"},
    {"CheckBoxProgHned", "Programming after change", "Programování po změně", "Programmieren nach Änderung"},
    {"Button1", "&Read", "Čí&st", "&Lesen"},
    {"BitBtn1", "&Program", "&Programovat", "&Programmieren"},
    {"BitBtn2", "&Verify", "&Verifikovat", "&Vergleichen"},
    {"Label2", "Advance [°]", "Předstih [°]", "Vorzündung [°]"},
    {"LabelOmez2", "Limiter [rpm]", "Omezovač [rpm]", "Begrenzer [rpm]"},
    {"CheckBoxBlokEnable", "Blocking enable", "Blokování povoleno", "Blockierung zugelast"},
    {"CheckBoxRpm2Krat", "Tachometer 2x", "Otáčkoměr 2x", "Drehzahl verdoppeln"},
}};

constexpr std::array<Row, 28> kHintRows{{
    {"Label26", "Round per Minute|Speed - Round per Minute", "Otáčky za minutu|Rychlost - Otáčky za minutu",
     "Umdrehungen pro Minute"},
    {"LabelVerze1", "Version of program in ignition", "Verze programu v zapalování",
     "Version des Programms der Zündung"},
    {"LabelVerze2", "Date of program in ignition", "Datum zhotovení programu v zapalování",
     "Datum des Programms der Zündung"},
    {"LabelVerze3", "Time of program in ignition", "Čas zhotovení programu v zapalování",
     "Zeit des Programms der Zündung"},
    {"SpeedButtonOpen", "Open file with parametrs", "Otevření souboru s parametry", "öffnen Datei mit Kenndaten"},
    {"SpeedButton6", "Set default parametrs", "Nastavení výchozích parametrů", "neue Kenndatendatei erstellen"},
    {"SpeedButtonSave", "Save parametrs to file", "Uložení parametrů do souboru", "Kenndaten in Datei speichern"},
    {"SpeedButtonPrint", "Print parametrs", "Tisk parametrů", "Druck der Kenndaten"},
    {"BitBtn1", "Programing  set parametrs to ignition", "Programování nastavených parametrů do zapalování",
     "Programmieren der Kenndaten auf die Zündbox"},
    {"BitBtn2", "Compare set parametrs  with parametrs of ignition",
     "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování",
     "Vergleich der Kenndaten mit Zündboxkenndaten"},
    {"BitBtnAdvMinus", "Take off 1 degree of Advance", "Zmenšení předstihu o 1 stupeň", "Vorzündung minus 1 Grad"},
    {"BitBtnAdvPlus", "Add 1 degree of Advance", "Zvětšení předstihu o 1 stupeň", "Vorzündung plus 1 Grad"},
    {"Button1", "Reading parametrs from ignition", "Čtení parametrů ze zapalování", "Lesen Kenndaten aus Zündbox"},
    {"MenuNew", "Set default parameters ", "Nastavení výchozích parametrů", "Neue Kenndatendatei erstellen"},
    {"MenuOpen", "Open file with parameters ", "Otevření souboru s parametry", "öffnen Datei mit Kenndaten"},
    {"MenuSave", "Save parameters to file", "Uložení parametrů do souboru", "Kenndaten in Datei speichern"},
    {"MenuPrint", "Print parameters", "Tisk parametrů", "Druck der Kenndaten"},
    {"MenuExit", "End of program", "Ukončení programu", "Programm beenden"},
    {"MenuCom", kUnchanged, kUnchanged, "Com Port festlegen"},
    {"MenuRead", "Reading parameters from unit", "Čtení|Čtení parametrů z jednotky", "Lesen Kenndaten aus Zündbox"},
    {"MenuVerify", "Compare set parameters  with parameters of unit",
     "Ověření|Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování",
     "Vergleich der Kenndaten Programm mit Kenndaten der Zündbox"},
    {"MenuProgram", "Programing  set parameters to unit",
     "Programování jednotky|Programování nastavených parametrů do jednotky",
     "Programmieren der Kenndaten auf die Zündbox"},
    {"MenuLanguage", "Language|Set English or Czech or German",
     "Nastavení jazyka na angličtinu, češtinu nebo němčinu", "Sprache"},
    {"MenuEnglish", "Set Englich menu", "Set Englich menu", "Set Englich menu"},
    {"MenuCzech", "Nastavit české menu", "Nastavit české menu", "Nastavit české menu"},
    {"MenuGerman", "Deutche Menü", "Deutche Menü", "Deutche Menü"},
    {"MenuHelp", "Not available jet", "Není k dispozici", "Noch nicht verfügbar"},
    {"CheckBoxProgHned", "Programing at once after change", "Programování ihned po změně",
     "Programmmieren gleich after die Umänderung"},
}};

constexpr auto kEnglishCaptions = Pick<kCaptionRows, kEnglish>();
constexpr auto kGermanCaptions = Pick<kCaptionRows, kGerman>();
constexpr auto kCzechCaptions = Pick<kCaptionRows, kCzech>();
constexpr auto kEnglishHints = Pick<kHintRows, kEnglish>();
constexpr auto kGermanHints = Pick<kHintRows, kGerman>();
constexpr auto kCzechHints = Pick<kHintRows, kCzech>();

struct MessageRow {
  std::string MessageTable::*entry;
  std::string_view english;
  std::string_view czech;
  std::string_view german;
};

constexpr std::array<MessageRow, 13> kMessageRows{{
    {&MessageTable::programError, "Program error!", "Chyba programování", "Programmierfehler!"},
    {&MessageTable::verifyError, "Verify error!", "Chyba verifikace!", "Vergleichsfehler"},
    {&MessageTable::readError, "Read error!", "Chyba čtení!", "Lesefehler"},
    {&MessageTable::programming, "Programing", "Programování", "Programmieren"},
    {&MessageTable::verify, "Verify", "Verifikace", "Vergleichen"},
    {&MessageTable::saving, "Saving:", "Ukládání:", "Speichern:"},
    {&MessageTable::versionMismatch, "Unmatched version of PC and Ignition programs!",
     "Neshodné verze proramu v PC a zapalování!",
     "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!"},
    {&MessageTable::comOpenError, "Com opening error!", "Chyba při otevírání portu Com!", "Falscher COM-Anschlußes!"},
    {&MessageTable::defaultQuestion, "Do you want default setting?", "Chcete nastavit základní hodnoty?",
     "Wollen Sie Standardeinstellungen öffnen?"},
    {&MessageTable::advance, "Advance", "Předstih", "Vorzündung"},
    {&MessageTable::pickUp, "Pick-up (CPS)", "Snímač (CPS)", "Geber(CPS)"},
    {&MessageTable::isRunning, " is running", " pracuje", " läuft"},
    {&MessageTable::noSignal, " no signal", " bez signálu", " kein Signal"},
}};

constexpr SharedTexts kSharedEnglish{
    .menuOpenExeDir = "Open from exe dir",
    .menuSaveExeDir = "Save to exe dir",
    .menuTools = "Tools",
    .menuUndo = "Undo",
    .menuRedo = "Redo",
    .excitationLong = "Excitation Long",
    .baseAdvance = "Base advance [°]",
    .correction = "Correction [%]",
    .inversePolarity = "Inverse polarity of pick-up",
    .specialSetting = "Special setting",
};

constexpr SharedTexts kSharedGerman{
    .menuOpenExeDir = "Öffnen aus exe dir",
    .menuSaveExeDir = "Speichern in exe dir",
    .menuTools = "Werkzeuge",
    .menuUndo = "Zurück",
    .menuRedo = "Wieder",
    .excitationLong = "Anfachung lange",
    .baseAdvance = "Basis Vorzündung [°]",
    .correction = "Korrektion [%]",
    .inversePolarity = "Umgekehrte Gebereingang",
    .specialSetting = "Sonderstellung",
};

constexpr SharedTexts kSharedFrench{};

constexpr SharedTexts kSharedCzech{
    .menuOpenExeDir = "Otevřít z exe dir",
    .menuSaveExeDir = "Uložit do exe dir",
    .menuTools = "Pomůcky",
    .menuUndo = "Zpet",
    .menuRedo = "Znovu",
    .excitationLong = "Buzení dlouhé",
    .baseAdvance = "Základní předstih [°]",
    .correction = "Korekce [%]",
    .inversePolarity = "Opačná polarita snímače",
    .specialSetting = "Speciální nastavení",
};

constexpr std::string_view kFileNameGap = "       ";

std::string Joined(std::string_view head, std::string_view tail) {
  std::string text;
  text.reserve(head.size() + tail.size());
  text.append(head);
  text.append(tail);
  return text;
}

}  // namespace

void FillMessageTable(MessageTable& table, std::uint8_t languageId) {
  table.captionPrefix = kCaptionPrefix;
  // The shared rows are indexed by the id; a wild id must not read past them.
  const std::uint8_t column = languageId > kCzech ? kEnglish : languageId;
  for (const MessageRow& row : kMessageRows) {
    table.*row.entry = Column(row, column);
  }
}

std::string FileWindowCaption(const MessageTable& table) {
  return Joined(Joined(table.captionPrefix, kFileNameGap), table.currentFileName);
}

std::string AdvanceMinusCaption(const MessageTable& table) { return Joined(table.advance, " -"); }

std::string AdvancePlusCaption(const MessageTable& table) { return Joined(table.advance, " +"); }

std::string NoConnectionAdvanceCaption(const MessageTable& table) { return Joined(table.advance, "= --- [°]"); }

std::string NoConnectionPickUpCaption(const MessageTable& table, int input) {
  return Joined(table.pickUp, " " + std::to_string(input) + " = ---");
}

std::optional<std::uint8_t> LanguageFromArgument(std::string_view argument) {
  if (argument == "ENGLISH") return kEnglish;
  if (argument == "CESKY") return kCzech;
  if (argument == "DEUTSCH") return kGerman;
  return std::nullopt;
}

std::uint8_t LanguageFromLocale(std::string_view localeName) {
  const std::string_view primary = localeName.substr(0, localeName.find_first_of("-_.@"));
  auto is = [primary](std::string_view code) {
    return primary.size() == code.size() &&
           std::equal(primary.begin(), primary.end(), code.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; });
  };
  if (is("cs")) return kCzech;
  if (is("de")) return kGerman;
  return kEnglish;
}

std::span<const ControlText> LanguageCaptions(std::uint8_t languageId) {
  switch (languageId) {
    case kEnglish:
      return kEnglishCaptions;
    case kGerman:
      return kGermanCaptions;
    case kCzech:
      return kCzechCaptions;
    default:
      return {};
  }
}

std::span<const ControlText> LanguageHints(std::uint8_t languageId) {
  switch (languageId) {
    case kEnglish:
      return kEnglishHints;
    case kGerman:
      return kGermanHints;
    case kCzech:
      return kCzechHints;
    default:
      return {};
  }
}

std::optional<std::string_view> FixedWindowCaption(std::uint8_t languageId) {
  switch (languageId) {
    case kGerman:
      return "Programmierung der \"Zelmo TCI\" Zündbox";
    case kCzech:
      return "Programování jednotky \"Zelmo TCI\"";
    default:
      return std::nullopt;
  }
}

const SharedTexts& Shared(std::uint8_t languageId) {
  switch (languageId) {
    case kGerman:
      return kSharedGerman;
    case kFrench:
      return kSharedFrench;
    case kCzech:
      return kSharedCzech;
    default:
      return kSharedEnglish;
  }
}

std::optional<std::string_view> OperationCaption(Operation operation, std::uint8_t languageId) {
  static constexpr Inline kCaptions[] = {
      {"Read device:", "Čtení:", "Lesen:"},
      {"Verify device:", "Verifikace:", "Vergleichen:"},
      {"Program device:", "Programování:", "Programmieren:"},
  };
  const auto index = static_cast<std::size_t>(operation);
  if (index >= std::size(kCaptions)) return std::nullopt;
  return Choose(kCaptions[index], languageId);
}

std::optional<std::string_view> IgnVersionMessage(std::uint8_t languageId) {
  return Choose({"Unmatched version of *.ign file!", "Neshodná verze souboru *.ign!",
                 "Uneinig Version der Datendatei *.ign!"},
                languageId);
}

std::optional<std::string_view> PrintStampPrefix(std::uint8_t languageId) {
  // German prints the English stamp.
  return Choose({"Date and Time of printing:  ", "Datum a čas tisku:  ", "Date and Time of printing:  "}, languageId);
}

std::string_view AboutCaption(std::uint8_t languageId) {
  switch (languageId) {
    case kGerman:
      return "Über Programm Zelmo_TCI";
    case kFrench:
      return "Information Zelmo_TCI";
    case kCzech:
      return "O programu Zelmo_TCI";
    default:
      return "About Zelmo_TCI";
  }
}

std::string_view LicenceLine(std::uint8_t languageId) {
  constexpr std::string_view english = "Licence: GPL-3.0-or-later";
  return Choose({english, "Licence: GPL-3.0-or-later", "Lizenz: GPL-3.0-or-later"}, languageId).value_or(english);
}

std::string_view LicenceName(std::uint8_t languageId) {
  constexpr std::string_view english = "GNU General Public License, version 3 or later";
  return Choose({english, "GNU General Public License, verze 3 nebo pozdější",
                 "GNU General Public License, Version 3 oder später"},
                languageId)
      .value_or(english);
}

std::optional<std::string_view> ManualSuffix(std::uint8_t languageId) {
  return Choose({"_en", "_cz", "_de"}, languageId);
}

}  // namespace zelmo
