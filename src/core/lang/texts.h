// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every user-interface text of the tool, as UTF-8 constants indexed by the
// language id. Captions keep their "&" accelerator marks and hints their
// "short|long" form exactly as written; the window applies them to the
// controls whose object names are given here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelmo {

// The selected language. 2 is the French slot that nothing selects; its texts
// are empty.
inline constexpr std::uint8_t kEnglish = 0;
inline constexpr std::uint8_t kGerman = 1;
inline constexpr std::uint8_t kFrench = 2;
inline constexpr std::uint8_t kCzech = 3;

// The texts of the current language that other parts show.
struct MessageTable {
  std::string captionPrefix;    // "  Zelmo_TCI"
  std::string currentFileName;  // not a text: the current parameter file; kept by FillMessageTable
  std::string programError;
  std::string verifyError;
  std::string readError;
  std::string programming;
  std::string verify;
  std::string saving;
  std::string versionMismatch;
  std::string comOpenError;
  std::string defaultQuestion;
  std::string advance;
  std::string pickUp;
  std::string isRunning;
  std::string noSignal;
};

// Fills every message entry for the language (leaves currentFileName alone).
// The French slot gets empty messages; ids above 3 get English.
void FillMessageTable(MessageTable& table, std::uint8_t languageId);

// The captions built from the message table. The caption with the file name
// is the English one and the one every language shows after the file changes.
std::string FileWindowCaption(const MessageTable& table);
std::string AdvanceMinusCaption(const MessageTable& table);  // "Advance -"
std::string AdvancePlusCaption(const MessageTable& table);   // "Advance +"
// Set only while "No Connection" shows; input is 1 or 2.
std::string NoConnectionAdvanceCaption(const MessageTable& table);            // "Advance= --- [°]"
std::string NoConnectionPickUpCaption(const MessageTable& table, int input);  // "Pick-up (CPS) 1 = ---"

// The language a first command-line argument asks for: "ENGLISH", "DEUTSCH"
// or "CESKY", whole and case-sensitive; anything else asks for none.
std::optional<std::uint8_t> LanguageFromArgument(std::string_view argument);

// The language of a first start, from the desktop's locale name ("cs",
// "de-AT", "cs_CZ.UTF-8"): Czech for cs, German for de, English otherwise.
std::uint8_t LanguageFromLocale(std::string_view localeName);

// A text for the control (widget, menu action) of that object name.
struct ControlText {
  std::string_view control;
  std::string_view text;
};

// The captions a per-language operation sets (the rows of the menu and control
// caption tables that are not shared), in table order. Empty for other ids.
std::span<const ControlText> LanguageCaptions(std::uint8_t languageId);
// The hints a per-language operation sets, in table order; a control whose
// hint that language leaves unchanged is absent. Empty for other ids.
std::span<const ControlText> LanguageHints(std::uint8_t languageId);
// The fixed window caption of Czech and German; nothing for English (which
// shows the prefix and the file name) and other ids.
std::optional<std::string_view> FixedWindowCaption(std::uint8_t languageId);

// The rows that the shared operation sets, by language id (0..3; 2 empty;
// above 3 English).
struct SharedTexts {
  std::string_view menuOpenExeDir;
  std::string_view menuSaveExeDir;
  std::string_view menuTools;
  std::string_view menuUndo;         // MenuZpet
  std::string_view menuRedo;         // MenuZnovu
  std::string_view excitationLong;   // CheckBoxBuzDlouhe
  std::string_view baseAdvance;      // LabelBaseAdv
  std::string_view correction;       // LabelRpmKorekce
  std::string_view inversePolarity;  // CheckBoxInvInput
  std::string_view specialSetting;   // tenth bike list entry
};
const SharedTexts& Shared(std::uint8_t languageId);

// Texts that do not belong to the message table: each part chooses its own by
// language id and shows nothing (or keeps what was there) for other ids.
enum class Operation { Read, Verify, Program };
std::optional<std::string_view> OperationCaption(Operation operation, std::uint8_t languageId);
std::optional<std::string_view> IgnVersionMessage(std::uint8_t languageId);
std::optional<std::string_view> PrintStampPrefix(std::uint8_t languageId);
// Every id has a caption; 2 gives "Information Zelmo_TCI", above 3 English.
std::string_view AboutCaption(std::uint8_t languageId);
// The licence's line in the about box and its full name; the French slot
// falls back to English.
std::string_view LicenceLine(std::uint8_t languageId);
std::string_view LicenceName(std::uint8_t languageId);
// "_en", "_de", "_cz" for the manuals; nothing for other ids.
std::optional<std::string_view> ManualSuffix(std::uint8_t languageId);

// Texts of our own, beyond the unit's original tool: open-failure advice, the
// difference report, history, recording, the unprogrammed-changes indicator,
// saving and printing problems. English, German and Czech; the French slot
// falls back to English. Texts with %s or %d are printf-style patterns.
enum class Extra {
  PortDevice,            // "Device: %s"
  PortPermissionDenied,  // what to do when the device may not be opened
  PortBusy,              // another program holds the port
  PortNotFound,          // the device does not exist
  PortOtherError,        // "Reason: %s"
  NotProgrammed,         // "Not programmed"
  DifferencesButton,     // "Differences..."
  DifferencesCaption,    // dialog caption
  DifferencesParameter,  // column heads
  DifferencesEditor,
  DifferencesUnit,
  ReservedBytesDiffer,  // "reserved bytes: %d differ"
  HistoryMenu,          // "History..."
  HistoryCaption,
  HistoryDate,
  HistoryEvent,
  HistoryBike,
  HistoryEventRead,
  HistoryEventProgram,
  RecordMenu,           // "Record live values..."
  RecordLabel,          // "REC"
  RecordWriteError,     // recording stopped, "%s" names the file
  SaveFailed,           // "%s" the file, second "%s" the reason
  SettingsWriteError,   // "Unable to write to %s"
  NoPrinter,            // no default printer: offer a PDF file instead
  PrintFailed,          // "%s" the reason
  ManualViewerMissing,  // no program could show the manual; "%s" its file
  HistoryNotMoved,      // entries of the earlier history left in "%s", listed after it
  CompareMenu,          // "Compare with file..."
  CompareCaption,       // "Compare with %s"
  CompareFileFilter,    // parameter files in the compare dialog
  OperatingPointMenu,   // "Show operating point"
  // Field names of the difference report, in user units.
  FieldBike,
  FieldRpmPoint,  // "Speed %d [rpm]"
  FieldAdvance,   // "Advance %d [°]"
  FieldTop14,
  FieldTop23,
  FieldBaseAdvance,
  FieldLimiter,
  FieldTacho2x,
  FieldBlockEnable,
  FieldLongExcitation,
  FieldSpeedCorrection,
  FieldInverseInput,
  On,
  Off,
  CurveGraph,  // the graph's name for screen readers
};
std::string_view ExtraText(Extra text, std::uint8_t languageId);

// Texts that no language changes.
inline constexpr std::string_view kOpenFileError = "Open file error";
inline constexpr std::string_view kCaptionPrefix = "  Zelmo_TCI";
inline constexpr std::string_view kNoConnection = "No Connection";  // LabelSpojeni
inline constexpr std::string_view kRpmColumnHead = "RPM";           // Label26
inline constexpr std::string_view kTop14Label = "TOP 1,4";          // LabelPalec13
inline constexpr std::string_view kTop23Label = "TOP 2,3";          // LabelPalec24
inline constexpr std::string_view kAdvanceMinusFace = "-";          // BitBtnAdvMinus
inline constexpr std::string_view kAdvancePlusFace = "+";           // BitBtnAdvPlus
inline constexpr std::string_view kAdvanceMinusHint = "Curve A minus|Take off 1 degree of curve A";
inline constexpr std::string_view kAdvancePlusHint = "Curve A plus|Add 1 degree of curve A";
inline constexpr std::string_view kBikeListHint = "Type of keying";  // ComboBoxBike
// MenuCom until German replaces it; English and Czech leave it as they find it.
inline constexpr std::string_view kComMenuHint = "Com|Set number of com ";
inline constexpr std::string_view kDataErrorLabel = "Programmed data error";  // LabelEeDataErr

}  // namespace zelmo
