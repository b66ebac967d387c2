// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFormHlav, the tool's one main window: a front end of the editor session.
// It keeps the menu, the tool bar, the 55 ms timer and the order of start-up
// and close; the panels draw the session's document and the unit's side, and
// what the user does goes to the session.
#include <QDialog>
#include <QLocale>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/widget_factory.h"
#include "core/session/editor_session.h"
#include "core/settings/config_dir.h"
#include "core/settings/settings.h"
#include "core/settings/window_place.h"
#include "print/print_sheet.h"

class QAction;
class QGroupBox;
class QPushButton;
class QMenu;
class QScreen;
class QStatusBar;
class QToolButton;

namespace zelmo {

class ClientArea;
class CurveWidget;
class DevicePanel;
class LiveRecorder;
class WorkshopTools;
class ParameterFields;

struct WindowOptions {
  // The words of the command line that are no options; the first may name
  // the language.
  QStringList arguments;
  // The program's own file, for the "exe dir" commands.
  QString programPath;
  // A PDF file that takes every printout instead of the printer (--print-to).
  QString printTo{};
  // Where the settings, the shadow copy and the history live, found once at
  // start; none when the environment names no folder.
  std::optional<ConfigFiles> configFiles{};
  // The desktop's preferred language ("cs-CZ"), which a first start speaks.
  QString desktopLanguage = QLocale::system().uiLanguages().value(0);
  // A parameter file named on the command line, opened as the Open command
  // opens one once the window shows; empty for none.
  QString startFile{};
  // A recorded ride named with --recording, opened in the viewer at start.
  QString recordingFile{};
};

class TFormHlav : public QMainWindow, private SessionListener {
  Q_OBJECT

 public:
  // The link must outlive the window. The settings files live where
  // ZELMO_TCI_CONFIG_DIR or the per-user configuration folder says.
  TFormHlav(SerialLink& link, WindowOptions options, QWidget* parent = nullptr);
  ~TFormHlav() override;

  // The document and the unit's side that the window shows.
  EditorSession& session() { return *session_; }
  QString lastFilePath() const { return lastFilePath_; }
  // The white print appearance, without the controls that mean nothing on paper.
  void setPrintAppearance(bool on);

 public slots:
  void MenuNewClick();
  void MenuOpenClick();
  void MenuOpenExeDirClick();
  void MenuSaveClick();
  void MenuSaveExeDirClick();
  void SpeedButtonPrintClick();
  void MenuExitClick();
  void MenuReadClick();
  void MenuVerifyClick();
  void MenuProgramClick();
  void BitBtnAdvMinusClick() { shiftAdvance(-1); }
  void BitBtnAdvPlusClick() { shiftAdvance(+1); }
  void SpeedButtonZpetClick();
  void SpeedButtonZnovuClick();
  void MenuEnglishClick() { applyLanguage(kEnglish); }
  void MenuCzechClick() { applyLanguage(kCzech); }
  void MenuGermanClick() { applyLanguage(kGerman); }
  void MenuContensClick();
  void MenuAboutClick();
  void MenuHistoryClick();
  void MenuDifferencesClick();
  void MenuRecordClick();
  void MenuOpenRecordingClick();
  void MenuCompareClick();
  void MenuOperatingPointClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Once the window manager has put its frame around the window.
  void moveEvent(QMoveEvent* event) override;
  // Keeps the menu's shortcuts for the menu whatever control has the focus.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // SessionListener
  void imageChanged(bool rescaleGraph) override;
  void undoChanged() override { updateUndoButtons(); }
  void fileNameChanged() override;
  void sessionEvent(SessionEvent event) override;
  void monitorFrame(const MonitorData& data) override;
  void message(std::string_view text) override;
  void warning(std::string_view text) override;

  // Construction.
  void buildControls();
  void buildToolGroup(QWidget* client);
  // Read, Verify and Program as wide as their captions, the group and "No
  // Connection" moved aside for them.
  void fitToolRow();
  void buildMenus();
  void BuildMenuCom();
  // The design's shortcut first; the desktop's usual ones after it.
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, const QList<QKeySequence>& shortcuts);

  // Start-up and close.
  void FormCreate();
  void FormClose();
  SettingsRecord settingsRecord() const;
  void LoadSettings(ParameterImage& image, StoredChoices& choices, std::string& fileName);
  void SaveSettings();
  // The window's inside with the whole design, the menu bar and the status bar.
  QSize designedSize() const;
  WindowLimits windowLimits(const QScreen& screen) const;
  void applyPlace(const WindowRequest& place);
  void centreOnScreen();
  // Entries an earlier version kept beside the settings file go to the data folder.
  void moveEarlierHistory();
  // Brings the window inside the available area of the screen it is on.
  void keepOnScreen();

  // Editing.
  ParameterImage fieldValues() const;
  void UpdateControlStates();
  void updateUndoButtons();
  void updateIndicators();
  void shiftAdvance(int delta);

  // Languages.
  void applyLanguage(std::uint8_t languageId);
  void ApplySharedTexts();
  void applyControlText(const ControlText& text);
  void applyHint(std::string_view control, std::string_view hint);
  // The names and the graph's description that screen readers announce.
  void nameControls();
  void describeCurve();
  void setWindowCaption();
  void setFileCaption();

  // Files.
  // The dialogs, starting with that file selected.
  bool chooseOpenFile(QString& path, const QString& start);
  bool chooseSaveFile(QString& path, const QString& start);
  // exeDir: offer the exe-dir file this once instead of the dialog's last one.
  void openFile(bool exeDir);
  // Reads a parameter file into the editor as Open does, without an undo step.
  void openPath(const QString& path);
  void saveFile(bool exeDir);
  void openFromToolbar();
  void saveFromToolbar();
  // data.ign beside the program, or in the per-user data folder when the
  // program's folder cannot be written.
  QString exeDirFile() const;

  // The device side on screen.
  void Timer1Timer();
  void showDeviceDisplay(bool force);
  void refreshComCaptions();

  SerialLink& link_;
  WindowOptions options_;
  std::unique_ptr<EditorSession> session_;
  std::uint64_t shownRevision_ = 0;
  bool printingMode_ = false;
  PrintModule printModule_;  // loaded at the first printout
  bool testMode_ = false;
  bool closed_ = false;
  bool framed_ = false;  // placed knowing the window manager's frame
  QString lastFilePath_;
  QString openDialogFile_;  // the file name each dialog starts with
  QString saveDialogFile_;

  QTimer timer1_;
  // Made at the first About: nobody waits for it at start-up.
  QDialog* about_ = nullptr;

  ControlRegistry named_;
  ClientArea* client_ = nullptr;
  ParameterFields* fields_ = nullptr;
  DevicePanel* device_ = nullptr;
  CurveWidget* GrafAdv = nullptr;
  LiveRecorder* recorder_ = nullptr;
  WorkshopTools* workshop_ = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  std::array<QPushButton*, 3> commandButtons_{};  // Read, Verify, Program
  QToolButton* SpeedButtonZpet = nullptr;
  QToolButton* SpeedButtonZnovu = nullptr;
  std::array<QAction*, kComItemCount> MenuComItems{};
  std::vector<QAction*> shortcutItems_;  // the menu items that have a shortcut
  QAction* MenuZpet = nullptr;
  QAction* MenuZnovu = nullptr;
  QAction* MenuEnglish = nullptr;
  QAction* MenuCzech = nullptr;
  QAction* MenuGerman = nullptr;
  QAction* MenuHistory = nullptr;
  QAction* MenuDifferences = nullptr;
  QAction* MenuRecord = nullptr;
  QAction* MenuOpenRecording = nullptr;
  QAction* MenuCompare = nullptr;
  QAction* MenuOperatingPoint = nullptr;
  QMenu* MenuCom = nullptr;
};

}  // namespace zelmo
