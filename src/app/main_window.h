#pragma once
// TFormHlav, the tool's one main window. It owns the parameter image and the
// rest of the run-time state; its handlers read the controls into the image,
// put the breakpoints in order, show the image again and record the change.
#include <QDialog>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

#include "core/curve/curve_host.h"
#include "core/device/device_engine.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"
#include "core/settings/settings.h"
#include "core/undo/undo_history.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace zelmo {

class CurveWidget;
class WindowExtras;
class MouseCheckBox;
class ParameterEdit;
class UpDown;

struct WindowOptions {
  // What remains of the command line once the "--" options are taken out; the
  // first entry may name the language.
  QStringList arguments;
  // The program's own file, for the "exe dir" commands.
  QString programPath;
  // A PDF file that takes every printout instead of the printer (--print-to).
  QString printTo{};
};

class TFormHlav : public QMainWindow, public DeviceHost, public CurveHost {
  Q_OBJECT

 public:
  static constexpr int kWidth = 769;
  static constexpr int kHeight = 803;

  // The link must outlive the window. The settings files live where
  // ZELMO_TCI_CONFIG_DIR or the per-user configuration folder says.
  TFormHlav(SerialLink& link, WindowOptions options, QWidget* parent = nullptr);
  // The about box is created once by the program and shown by the About command.
  void setAboutBox(QDialog* about) { about_ = about; }
  ~TFormHlav() override;

  // The two mappings between the parameter controls and the image.
  void ControlsToImage();
  void ImageToControls() { imageToControls(); }
  void ApplyChange();
  void UpdateControlStates();
  void OrderBreakpoints();

  void ApplyEnglishTexts();
  void ApplyCzechTexts();
  void ApplyGermanTexts();

  ParameterImage& parameterImage() { return image_; }
  const MessageTable& messageTable() const { return messages_; }
  const StoredChoices& choices() const { return choices_; }
  const UndoHistory& undoHistory() const { return undo_; }
  DeviceEngine& engine() { return *engine_; }
  CurveWidget& curveGraph() { return *GrafAdv; }
  bool testMode() const { return testMode_; }
  QString lastFilePath() const { return lastFilePath_; }
  QString programFolderFile() const { return programFolderFile_; }

  // While set, the window shows its print appearance.
  void setPrintingMode(bool on) { printingMode_ = on; }

  // DeviceHost
  void controlsToImage() override { ControlsToImage(); }
  void orderBreakpoints() override { OrderBreakpoints(); }
  void imageToControls() override;
  void requestGraphRescale() override;
  void graphTick() override;
  void fileNameCleared() override;
  void showMessage(std::string_view text) override;
  bool blockingLabelsShown() const override;
  bool printingMode() const override { return printingMode_; }
  void clearPrintingMode() override { printingMode_ = false; }
  void transferEvent(TransferEvent event) override;
  void monitorFrame(const MonitorData& frame) override;

  // CurveHost
  ParameterImage& image() override { return image_; }
  OrderingMemory& orderingMemory() override { return ordering_; }
  StoredChoices& storedChoices() override { return choices_; }
  void focusField(int pointCode) override;
  void pushUndo() override;

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
  void BitBtnAdvMinusClick();
  void BitBtnAdvPlusClick();
  void SpeedButtonZpetClick();
  void SpeedButtonZnovuClick();
  void MenuEnglishClick() { ApplyEnglishTexts(); }
  void MenuCzechClick() { ApplyCzechTexts(); }
  void MenuGermanClick() { ApplyGermanTexts(); }
  void MenuContensClick();
  void MenuAboutClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction of the designed controls.
  void buildControls();
  void buildToolGroup(QWidget* client);
  void buildCurveGroup(QWidget* client);
  void buildPickupGroup(QWidget* client);
  void buildSettingsGroup(QWidget* client);
  void buildTachometerGroup(QWidget* client);
  void buildLiveColumn(QWidget* client);
  void buildDeviceColumn(QWidget* client);
  void buildMenus();
  void BuildMenuCom();
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut);
  UpDown* addUpDownPair(QWidget* parent, const char* editName, const char* upDownName, int x, int y, int editWidth,
                        int minimum, int maximum, int step, bool thousands);
  QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int pixelSize = 11,
                   bool bold = false);
  MouseCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& text, int x, int y, int width);

  // Start-up and close.
  void FormCreate();
  void FormClose();
  SettingsRecord settingsRecord() const;
  void LoadSettings();
  void SaveSettings();
  void centreOnScreen();
  void keepOnScreen();

  // Editing.
  void UpDownClick();
  void EditExit();
  void EditEnter();
  void CheckBoxProgHnedMouseUp();
  void CheckBoxProgHnedClick();
  void ComboBoxBikeChange(int index);
  void shiftAdvance(int delta);
  void push();
  void updateUndoButtons();
  void undoStep(bool forward);

  // Languages.
  void ApplySharedTexts();
  void applyLanguage(std::uint8_t languageId);
  void applyControlText(const ControlText& text);
  void applyHint(std::string_view control, std::string_view hint);
  void setWindowCaption();
  // The caption naming the current file, in every language.
  void setFileCaption();

  // Files.
  bool chooseOpenFile(QString& path);
  bool chooseSaveFile(QString& path);
  void openFile(bool fromToolbar);
  // Reads a parameter file into the editor as Open does, without an undo step.
  void openPath(const QString& path);
  void saveFile(bool fromToolbar);

  // The device side on screen.
  void Timer1Timer();
  void showDeviceDisplay(bool force);
  void MenuCom1Click(int index);
  void hideOperationDisplay();
  void refreshComCaptions();

  QColor backgroundColour() const;

  SerialLink& link_;
  WindowOptions options_;

  ParameterImage image_;
  OrderingMemory ordering_;
  StoredChoices choices_;
  UndoHistory undo_;
  MessageTable messages_;
  std::unique_ptr<DeviceEngine> engine_;
  DeviceDisplay shown_;
  std::uint64_t shownRevision_ = 0;
  bool refreshing_ = false;
  bool bikeChosen_ = false;
  bool printingMode_ = false;
  bool testMode_ = false;
  bool closed_ = false;
  QString lastFilePath_;
  QString openDialogFile_;  // the file name each dialog starts with
  QString saveDialogFile_;
  QString programFolderFile_;

  QTimer timer1_;
  QPointer<QDialog> about_;

  std::array<ParameterEdit*, kBreakpointCount> SpeedEdits{};
  std::array<ParameterEdit*, kBreakpointCount> AdvanceEdits{};
  std::array<UpDown*, kBreakpointCount> SpeedUpDowns{};
  std::array<UpDown*, kBreakpointCount> AdvanceUpDowns{};
  std::array<QAction*, kComItemCount> MenuComItems{};

  QWidget* client_ = nullptr;
  UpDown* UpDownBaseAdv = nullptr;
  UpDown* UpDownOmez2 = nullptr;
  UpDown* UpDownPalec13 = nullptr;
  UpDown* UpDownPalec24 = nullptr;
  UpDown* UpDownRpmKorekce = nullptr;
  ParameterEdit* EditPalec13 = nullptr;
  ParameterEdit* EditPalec24 = nullptr;
  MouseCheckBox* CheckBoxBlokEnable = nullptr;
  MouseCheckBox* CheckBoxBuzDlouhe = nullptr;
  MouseCheckBox* CheckBoxRpm2Krat = nullptr;
  MouseCheckBox* CheckBoxInvInput = nullptr;
  MouseCheckBox* CheckBoxProgHned = nullptr;
  QCheckBox* CheckBoxIgnAll = nullptr;
  QComboBox* ComboBoxBike = nullptr;
  QPushButton* BitBtnAdvMinus = nullptr;
  QPushButton* BitBtnAdvPlus = nullptr;
  QToolButton* SpeedButtonZpet = nullptr;
  QToolButton* SpeedButtonZnovu = nullptr;
  QLabel* Image3 = nullptr;
  QLabel* LabelPalec13 = nullptr;
  QLabel* LabelPalec24 = nullptr;
  QLabel* LabelSpojeni = nullptr;
  QLabel* LabelCom = nullptr;
  QLabel* LabelHlaseni = nullptr;
  QProgressBar* CGaugeProgram = nullptr;
  QProgressBar* CGaugeRpm = nullptr;
  QLabel* LabelRpm = nullptr;
  QLabel* LabelAdvance = nullptr;
  QLabel* LabelNapeti = nullptr;
  QLabel* LabelBlocking = nullptr;
  QLabel* LabelNeutral = nullptr;
  QLabel* LabelSideStand = nullptr;
  QLabel* LabelMonSnimac1 = nullptr;
  QLabel* LabelMonSnimac2 = nullptr;
  QLabel* LabelPocetProgramovani = nullptr;
  QLabel* LabelEeDataErr = nullptr;
  QLabel* LabelVersion = nullptr;
  std::array<QLabel*, 3> LabelVerze{};
  std::array<QLabel*, 8> LabelTest{};
  QStatusBar* StatusBar1 = nullptr;
  QAction* MenuZpet = nullptr;
  QAction* MenuZnovu = nullptr;
  QAction* MenuEnglish = nullptr;
  QAction* MenuCzech = nullptr;
  QAction* MenuGerman = nullptr;
  QMenu* MenuCom = nullptr;
  CurveWidget* GrafAdv = nullptr;
  // Every designed control and menu item by its object name, for the language texts.
  QHash<QString, QObject*> named_;
  // Its own controls and menu items; it reads the window's state directly.
  friend class WindowExtras;
  std::unique_ptr<WindowExtras> extras_;
};

}  // namespace zelmo
