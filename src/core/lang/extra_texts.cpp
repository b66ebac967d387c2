// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/texts.h"

#include <array>
#include <cstddef>

#include "core/lang/text_row.h"

namespace zelmo {
namespace {

using ExtraRow = TextRow<Extra>;

// In enumerator order; the lookup checks that order at compile time.
constexpr std::array kExtraRows{
    ExtraRow{Extra::PortDevice, "Device: %s", "Gerät: %s", "Zařízení: %s"},
    ExtraRow{Extra::PortPermissionDenied,
             "Permission denied. Add your user to the group that owns the device (usually dialout), "
             "then log out and in again.",
             "Zugriff verweigert. Nehmen Sie Ihren Benutzer in die Gruppe auf, der das Gerät gehört "
             "(meist dialout), und melden Sie sich danach ab und wieder an.",
             "Přístup odepřen. Přidejte svého uživatele do skupiny, které zařízení patří "
             "(obvykle dialout), a potom se odhlaste a znovu přihlaste."},
    ExtraRow{Extra::PortBusy, "The port is in use by another program. Close that program and try again.",
             "Der Port wird von einem anderen Programm benutzt. Schließen Sie dieses Programm und versuchen "
             "Sie es erneut.",
             "Port používá jiný program. Ukončete ho a zkuste to znovu."},
    ExtraRow{Extra::PortNotFound, "The device does not exist. Check the cable and the port choice in the Com menu.",
             "Das Gerät ist nicht vorhanden. Prüfen Sie das Kabel und die Portwahl im Menü ComPort.",
             "Zařízení neexistuje. Zkontrolujte kabel a volbu portu v nabídce Port."},
    ExtraRow{Extra::PortOtherError, "Reason: %s", "Grund: %s", "Příčina: %s"},
    ExtraRow{Extra::NotProgrammed, "Not programmed", "Nicht programmiert", "Nenaprogramováno"},
    ExtraRow{Extra::DifferencesButton, "Differences...", "Unterschiede...", "Rozdíly..."},
    ExtraRow{Extra::DifferencesCaption, "Differences between editor and unit",
             "Unterschiede zwischen Editor und Zündbox", "Rozdíly mezi editorem a jednotkou"},
    ExtraRow{Extra::DifferencesParameter, "Parameter", "Parameter", "Parametr"},
    ExtraRow{Extra::DifferencesEditor, "Editor", "Editor", "Editor"},
    ExtraRow{Extra::DifferencesUnit, "Unit", "Zündbox", "Jednotka"},
    ExtraRow{Extra::ReservedBytesDiffer, "reserved bytes: %d differ", "reservierte Bytes: %d abweichend",
             "rezervované bajty: počet rozdílů %d"},
    ExtraRow{Extra::HistoryMenu, "History...", "Verlauf...", "Historie..."},
    ExtraRow{Extra::HistoryCaption, "History of read and programmed units",
             "Verlauf gelesener und programmierter Zündboxen", "Historie čtení a programování jednotek"},
    ExtraRow{Extra::HistoryDate, "Date", "Datum", "Datum"},
    ExtraRow{Extra::HistoryEvent, "Event", "Ereignis", "Událost"},
    ExtraRow{Extra::HistoryBike, "Bike", "Motorrad", "Motocykl"},
    ExtraRow{Extra::HistoryEventRead, "Read", "Gelesen", "Přečteno"},
    ExtraRow{Extra::HistoryEventProgram, "Programmed", "Programmiert", "Naprogramováno"},
    ExtraRow{Extra::RecordMenu, "Record live values...", "Live-Werte aufzeichnen...", "Zaznamenávat živé hodnoty..."},
    ExtraRow{Extra::RecordLabel, "REC", "REC", "REC"},
    ExtraRow{Extra::RecordWriteError, "Recording stopped: unable to write to %s",
             "Aufzeichnung beendet: %s kann nicht geschrieben werden", "Záznam zastaven: do %s nelze zapisovat"},
    ExtraRow{Extra::SaveFailed, "Unable to save %s: %s", "%s kann nicht gespeichert werden: %s",
             "Soubor %s nelze uložit: %s"},
    ExtraRow{Extra::SettingsWriteError, "Unable to write to %s", "%s kann nicht geschrieben werden",
             "Do %s nelze zapisovat"},
    ExtraRow{Extra::NoPrinter, "No default printer is set up. Save the printout as a PDF file instead?",
             "Kein Standarddrucker eingerichtet. Den Ausdruck stattdessen als PDF-Datei speichern?",
             "Není nastavena výchozí tiskárna. Uložit výtisk místo toho jako soubor PDF?"},
    ExtraRow{Extra::PrintFailed, "Printing failed: %s", "Drucken fehlgeschlagen: %s", "Tisk se nezdařil: %s"},
    ExtraRow{Extra::ManualViewerMissing,
             "No program could be started to show the manual. Open this file in a web browser:\n%s",
             "Es konnte kein Programm zum Anzeigen der Anleitung gestartet werden. Öffnen Sie diese Datei in "
             "einem Webbrowser:\n%s",
             "Nepodařilo se spustit žádný program pro zobrazení návodu. Otevřete tento soubor ve webovém "
             "prohlížeči:\n%s"},
    ExtraRow{Extra::HistoryNotMoved,
             "These entries of the earlier history could not be moved to the new history folder and stay in %s:",
             "Diese Einträge des bisherigen Verlaufs konnten nicht in den neuen Verlaufsordner verschoben werden "
             "und bleiben in %s:",
             "Tyto záznamy dosavadní historie nelze přesunout do nové složky historie a zůstávají v %s:"},
    ExtraRow{Extra::CompareMenu, "Compare with file...", "Mit Datei vergleichen...", "Porovnat se souborem..."},
    ExtraRow{Extra::CompareCaption, "Compare with %s", "Vergleich mit %s", "Porovnání s %s"},
    ExtraRow{Extra::CompareFileFilter, "Parameter files (*.ign)", "Parameterdateien (*.ign)",
             "Soubory parametrů (*.ign)"},
    ExtraRow{Extra::OperatingPointMenu, "Show operating point", "Betriebspunkt anzeigen", "Zobrazit pracovní bod"},
    ExtraRow{Extra::FieldBike, "Bike", "Motorrad", "Motocykl"},
    ExtraRow{Extra::FieldRpmPoint, "Speed %d [rpm]", "Drehzahl %d [rpm]", "Otáčky %d [rpm]"},
    ExtraRow{Extra::FieldAdvance, "Advance %d [°]", "Vorzündung %d [°]", "Předstih %d [°]"},
    ExtraRow{Extra::FieldTop14, "TOP 1,4", "TOP 1,4", "TOP 1,4"},
    ExtraRow{Extra::FieldTop23, "TOP 2,3", "TOP 2,3", "TOP 2,3"},
    ExtraRow{Extra::FieldBaseAdvance, "Base advance [°]", "Grundvorzündung [°]", "Základní předstih [°]"},
    ExtraRow{Extra::FieldLimiter, "Limiter [rpm]", "Begrenzer [rpm]", "Omezovač [rpm]"},
    ExtraRow{Extra::FieldTacho2x, "Tachometer 2x", "Drehzahlmesser 2x", "Otáčkoměr 2x"},
    ExtraRow{Extra::FieldBlockEnable, "Blocking enabled", "Blockierung aktiv", "Blokování povoleno"},
    ExtraRow{Extra::FieldLongExcitation, "Long excitation", "Lange Erregung", "Dlouhé buzení"},
    ExtraRow{Extra::FieldSpeedCorrection, "Speed correction [%]", "Drehzahlkorrektur [%]", "Korekce otáček [%]"},
    ExtraRow{Extra::FieldInverseInput, "Inverse pick-up polarity", "Umgekehrte Geberpolarität",
             "Opačná polarita snímače"},
    ExtraRow{Extra::On, "On", "Ein", "Zapnuto"},
    ExtraRow{Extra::Off, "Off", "Aus", "Vypnuto"},
    ExtraRow{Extra::CurveGraph, "Advance curve", "Zündkurve", "Křivka předstihu"},
};

static_assert(RowsInEnumeratorOrder(kExtraRows, Extra::CurveGraph), "every Extra needs its row, in enumerator order");

}  // namespace

std::string_view ExtraText(Extra text, std::uint8_t languageId) {
  const auto index = static_cast<std::size_t>(text);
  if (index >= kExtraRows.size()) return {};
  return InLanguage(kExtraRows[index], languageId);
}

}  // namespace zelmo
