// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_texts.h"

#include <array>
#include <cstddef>

#include "core/lang/pattern.h"
#include "core/lang/text_row.h"
#include "core/lang/texts.h"

namespace zelmo {
namespace {

using RideRow = TextRow<RideText>;

// In enumerator order; checked at compile time.
constexpr std::array kRows{
    RideRow{RideText::OpenMenu, "Open recording...", "Aufzeichnung öffnen...", "Otevřít záznam..."},
    RideRow{RideText::Caption, "Recording - %s", "Aufzeichnung - %s", "Záznam - %s"},
    RideRow{RideText::FileFilter, "Recordings (*.csv)", "Aufzeichnungen (*.csv)", "Záznamy (*.csv)"},
    RideRow{RideText::Speed, "Engine speed [rpm]", "Drehzahl [U/min]", "Otáčky [ot/min]"},
    RideRow{RideText::Advance, "Advance [°]", "Vorzündung [°]", "Předstih [°]"},
    RideRow{RideText::Supply, "Supply [V]", "Versorgung [V]", "Napájení [V]"},
    RideRow{RideText::Blocking, "Blocking", "Sperre", "Blokování"},
    RideRow{RideText::Neutral, "Neutral sw. OFF", "Leerlaufschalter AUS", "Spínač neutrálu VYP"},
    RideRow{RideText::SideStand, "Side stand sw. OFF", "Seitenständerschalter AUS", "Spínač stojanu VYP"},
    RideRow{RideText::Pickup1, "Pick-up 1", "Geber 1", "Snímač 1"},
    RideRow{RideText::Pickup2, "Pick-up 2", "Geber 2", "Snímač 2"},
    RideRow{RideText::Time, "Time", "Zeit", "Čas"},
    RideRow{RideText::Visits, "Where the engine ran", "Wo der Motor lief", "Kde motor běžel"},
    RideRow{RideText::ExportPng, "Export as PNG...", "Als PNG exportieren...", "Exportovat jako PNG..."},
    RideRow{RideText::ExportPdf, "Export as PDF...", "Als PDF exportieren...", "Exportovat jako PDF..."},
    RideRow{RideText::ExportFailed, "Unable to write %s", "%s kann nicht geschrieben werden", "Nelze zapsat %s"},
    RideRow{RideText::Unreadable, "Unable to read %s", "%s kann nicht gelesen werden", "Nelze přečíst %s"},
    RideRow{RideText::Empty, "%s holds no recorded values.", "%s enthält keine aufgezeichneten Werte.",
            "%s neobsahuje žádné zaznamenané hodnoty."},
    RideRow{RideText::Foreign,
            "%s is not a recording of live values. Choose a CSV file written by \"Record live values\" or by "
            "zelmo-cli monitor --csv.",
            "%s ist keine Aufzeichnung von Live-Werten. Wählen Sie eine CSV-Datei, die \"Live-Werte aufzeichnen\" "
            "oder zelmo-cli monitor --csv geschrieben hat.",
            "%s není záznam živých hodnot. Vyberte soubor CSV zapsaný funkcí \"Zaznamenávat živé hodnoty\" nebo "
            "příkazem zelmo-cli monitor --csv."},
    RideRow{RideText::TooLarge, "%s is too large to open (more than 1 GB).",
            "%s ist zu groß zum Öffnen (mehr als 1 GB).", "%s je příliš velký (více než 1 GB)."},
    RideRow{RideText::SkippedLines, "%d lines could not be read and were skipped:",
            "%d Zeilen konnten nicht gelesen werden und wurden übersprungen:",
            "Počet řádků, které nešlo přečíst a byly přeskočeny: %d"},
    RideRow{RideText::SkipFieldCount, "line %d: wrong number of fields", "Zeile %d: falsche Anzahl Felder",
            "řádek %d: nesprávný počet polí"},
    RideRow{RideText::SkipNotANumber, "line %d: text where a number belongs", "Zeile %d: Text statt einer Zahl",
            "řádek %d: text místo čísla"},
    RideRow{RideText::SkipTimeNotIncreasing, "line %d: the time does not move forward",
            "Zeile %d: die Zeit läuft nicht vorwärts", "řádek %d: čas neroste"},
    RideRow{RideText::SkipCutShort, "line %d: cut short at the end of the file", "Zeile %d: am Dateiende abgeschnitten",
            "řádek %d: useknutý na konci souboru"},
    RideRow{RideText::SkippedMore, "... and %d more", "... und %d weitere", "... a dalších %d"},
    RideRow{RideText::MissingColumns, "Not in the file: %s", "Nicht in der Datei: %s", "V souboru chybí: %s"},
    RideRow{RideText::Help, "Wheel: zoom   Drag: move   Double click: whole ride",
            "Mausrad: zoomen   Ziehen: verschieben   Doppelklick: ganze Fahrt",
            "Kolečko: přiblížit   Tažení: posunout   Dvojklik: celá jízda"},
};

static_assert(RowsInEnumeratorOrder(kRows, RideText::Help), "every RideText needs its row, in enumerator order");

RideText SkipText(SkipReason reason) {
  switch (reason) {
    case SkipReason::FieldCount:
      return RideText::SkipFieldCount;
    case SkipReason::NotANumber:
      return RideText::SkipNotANumber;
    case SkipReason::TimeNotIncreasing:
      return RideText::SkipTimeNotIncreasing;
    case SkipReason::CutShort:
      break;
  }
  return RideText::SkipCutShort;
}

}  // namespace

std::string_view RideTextOf(RideText text, std::uint8_t languageId) {
  return InLanguage(kRows[static_cast<std::size_t>(text)], languageId);
}

std::string RideLogNotes(const RideLogRead& read, std::uint8_t languageId) {
  std::string notes;
  if (read.skippedCount > 0) {
    notes = FillNumber(RideTextOf(RideText::SkippedLines, languageId), read.skippedCount);
    for (const SkippedLine& s : read.skipped) {
      notes += "\n" + FillNumber(RideTextOf(SkipText(s.reason), languageId), s.line);
    }
    const long more = read.skippedCount - static_cast<long>(read.skipped.size());
    if (more > 0) notes += "\n" + FillNumber(RideTextOf(RideText::SkippedMore, languageId), more);
  }
  if (!read.missingColumns.empty()) {
    std::string names;
    for (const std::string& name : read.missingColumns) names += (names.empty() ? "" : ", ") + name;
    if (!notes.empty()) notes += "\n\n";
    notes += FillText(RideTextOf(RideText::MissingColumns, languageId), names);
  }
  return notes;
}

std::string RideLogErrorText(const RideLogRead& read, std::string_view fileName, std::uint8_t languageId) {
  switch (read.error) {
    case RideLogError::None:
      return {};
    case RideLogError::Unreadable: {
      std::string text = FillText(RideTextOf(RideText::Unreadable, languageId), fileName);
      if (!read.reason.empty()) text += "\n" + read.reason;
      return text;
    }
    case RideLogError::Empty:
      return FillText(RideTextOf(RideText::Empty, languageId), fileName);
    case RideLogError::Foreign:
      return FillText(RideTextOf(RideText::Foreign, languageId), fileName);
    case RideLogError::TooLarge:
      break;
  }
  return FillText(RideTextOf(RideText::TooLarge, languageId), fileName);
}

}  // namespace zelmo
