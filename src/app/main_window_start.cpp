// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, start-up, close and the settings files of the main window.
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QtMath>

#include "app/about_dialog.h"
#include "app/device_panel.h"
#include "app/help.h"
#include "app/live_recorder.h"
#include "app/main_window.h"
#include "app/parameter_fields.h"
#include "app/workshop_tools.h"
#include "core/files/history_move.h"
#include "core/lang/pattern.h"
#include "core/settings/settings_store.h"
#include "core/settings/window_place.h"
#include "curve/curve_widget.h"

namespace zelmo {
namespace {

EditorSession::Setup SessionSetup(const std::optional<ConfigFiles>& files) {
  EditorSession::Setup setup;
  if (files) setup.historyFolder = files->historyFolder;
  setup.localTime = [] {
    const QDateTime now = QDateTime::currentDateTime();
    return LocalTime{now.date().year(), now.date().month(),  now.date().day(),
                     now.time().hour(), now.time().minute(), now.time().second()};
  };
  return setup;
}

}  // namespace

TFormHlav::TFormHlav(SerialLink& link, WindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      link_(link),
      options_(std::move(options)),
      session_(std::make_unique<EditorSession>(link_, static_cast<SessionListener&>(*this),
                                               SessionSetup(options_.configFiles))) {
  buildControls();
  connect(fields_, &ParameterFields::stepped, this, [this] { session_->stepField(fieldValues()); });
  connect(fields_, &ParameterFields::entered, this, [this] {
    // Leaving the field runs the change once, the key itself once more.
    focusNextChild();
    session_->applyFields(fieldValues());
  });
  connect(fields_, &ParameterFields::committed, this, [this] {
    session_->applyFields(fieldValues());
    UpdateControlStates();
  });
  connect(fields_, &ParameterFields::bikeChosen, this, [this](int index) { session_->chooseBike(index); });
  connect(fields_, &ParameterFields::advanceShift, this, &TFormHlav::shiftAdvance);
  connect(fields_, &ParameterFields::programAfterChangeToggled, this,
          [this](bool on) { session_->setProgramAfterChange(on); });
  connect(device_, &DevicePanel::differencesClicked, this, &TFormHlav::MenuDifferencesClick);
  connect(GrafAdv, &CurveWidget::focusRequested, fields_, &ParameterFields::focusField);
  connect(recorder_, &LiveRecorder::changed, this, &TFormHlav::updateIndicators);
  connect(recorder_, &LiveRecorder::failed, this, [this](const QString& text) { warning(text.toStdString()); });
  QCoreApplication::instance()->installEventFilter(this);
  timer1_.setInterval(55);
  connect(&timer1_, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
  timer1_.start();
  FormCreate();
}

TFormHlav::~TFormHlav() {
  // The controls go first, while the session their handlers would touch
  // still exists; a field losing the focus on the way out is no edit.
  closed_ = true;
  QCoreApplication::instance()->removeEventFilter(this);
  fields_->close();
  timer1_.stop();
  delete takeCentralWidget();
}

void TFormHlav::FormCreate() {
  BuildMenuCom();
  centreOnScreen();
  ParameterImage loaded = session_->image();
  StoredChoices choices = session_->choices();
  std::string fileName;
  LoadSettings(loaded, choices, fileName);
  if (!options_.arguments.isEmpty()) {
    if (const auto id = LanguageFromArgument(options_.arguments.first().toStdString())) choices.languageId = *id;
  }
  session_->begin(loaded, choices, std::move(fileName));
  moveEarlierHistory();
  // The French slot has no texts of its own; English keeps the window readable.
  const std::uint8_t language = session_->choices().languageId;
  applyLanguage(language == kCzech || language == kGerman ? language : kEnglish);
  // The port opens once the window is on the screen, so a "Com opening
  // error!" box stands over it and not alone on an empty desktop; so does a
  // file's message, after the port's, never two boxes at once.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (closed_) return;
        session_->openPort();
        showDeviceDisplay(true);
        if (!closed_ && !options_.startFile.isEmpty()) openPath(options_.startFile);
        if (!closed_ && !options_.recordingFile.isEmpty()) workshop_->openRecording(options_.recordingFile);
      },
      Qt::QueuedConnection);
  showDeviceDisplay(true);
  device_->hideOperation();
  device_->setTestMode(testMode_);
  UpdateControlStates();
}

namespace {

ScreenBox Box(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// The screen under the middle of the title bar, else the one that holds most
// of the window, else none: the window is on no screen at all.
const QScreen* ScreenOf(const QRect& frame) {
  if (const QScreen* screen = QGuiApplication::screenAt(QPoint(frame.center().x(), frame.top() + 8))) return screen;
  const QScreen* best = nullptr;
  qint64 bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect common = frame.intersected(screen->availableGeometry());
    const qint64 area = qint64(common.width()) * common.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best;
}

}  // namespace

WindowLimits TFormHlav::windowLimits(const QScreen& screen) const {
  WindowLimits limits{{}, minimumWidth(), minimumHeight()};
  const QRect frame = frameGeometry();
  const QRect inside = geometry();
  if (framed_) {
    limits.frame = {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                    frame.bottom() - inside.bottom()};
  } else {
    // Not shown yet: the frame of a usual desktop, in device pixels.
    const double ratio = screen.devicePixelRatio();
    auto units = [ratio](int pixels) { return qCeil(pixels / ratio); };
    limits.frame = {units(4), units(32), units(4), units(4)};
  }
  return limits;
}

void TFormHlav::applyPlace(const WindowRequest& place) {
  resize(place.width, place.height);
  move(place.left, place.top);
}

void TFormHlav::moveEarlierHistory() {
  if (!options_.configFiles) return;
  const ConfigFiles& files = *options_.configFiles;
  const HistoryMoveResult moved = MoveHistory(files.legacyHistoryFolder, files.historyFolder);
  if (moved.kept.empty()) return;
  std::string text =
      FillText(ExtraText(Extra::HistoryNotMoved, session_->choices().languageId), files.legacyHistoryFolder.string());
  for (const std::string& line : moved.kept) text += "\n" + line;
  warning(text);
}

void TFormHlav::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QSize size = designedSize();
  applyPlace(CentreWindow(size.width(), size.height(), windowLimits(*screen), Box(screen->availableGeometry())));
}

void TFormHlav::keepOnScreen() {
  const QScreen* screen = ScreenOf(QRect(pos(), size()));
  if (!screen) {
    centreOnScreen();
    return;
  }
  // More than the design shows only an empty band.
  const QSize designed = designedSize();
  const WindowRequest stored{x(), y(), std::min(width(), designed.width()), std::min(height(), designed.height())};
  applyPlace(PlaceWindow(stored, windowLimits(*screen), Box(screen->availableGeometry())));
}

void TFormHlav::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (framed_ || !isVisible() || frameGeometry() == geometry()) return;
  // The frame is known now; one thicker than the guess may have pushed the
  // bottom edge off the screen.
  framed_ = true;
  keepOnScreen();
}

SettingsRecord TFormHlav::settingsRecord() const {
  SettingsRecord record;
  record.left = x();
  record.top = y();
  record.height = height();
  record.width = width();
  record.selectedComIndex = session_->choices().selectedComIndex;
  record.autoPortIndex = session_->choices().autoPortIndex;
  record.languageId = session_->choices().languageId;
  record.currentFileName = session_->fileName();
  record.lastFilePath = lastFilePath_.toStdString();
  record.ignAll = fields_->shiftAll();
  record.showOperatingPoint = workshop_->showsOperatingPoint();
  record.ports = session_->rememberedPorts();
  return record;
}

void TFormHlav::LoadSettings(ParameterImage& image, StoredChoices& choices, std::string& fileName) {
  const std::uint8_t desktop = LanguageFromLocale(options_.desktopLanguage.toStdString());
  if (!options_.configFiles) {
    choices.languageId = desktop;
    return;
  }
  // The window's current values are the defaults of whatever the file lacks.
  SettingsRecord record = settingsRecord();
  const StartupFiles startup = LoadStartupFiles(*options_.configFiles, record, image);
  resize(record.width, record.height);
  move(record.left, record.top);
  keepOnScreen();
  choices.selectedComIndex = record.selectedComIndex;
  choices.autoPortIndex = record.autoPortIndex;
  // A first start speaks the desktop's language; later ones what was chosen.
  choices.languageId = startup.settingsFound ? record.languageId : desktop;
  fileName = record.currentFileName;
  lastFilePath_ = QString::fromStdString(record.lastFilePath);
  openDialogFile_ = lastFilePath_;
  saveDialogFile_ = lastFilePath_;
  fields_->setShiftAll(record.ignAll);
  workshop_->setShowOperatingPoint(record.showOperatingPoint);
  MenuOperatingPoint->setChecked(record.showOperatingPoint);
  session_->setRememberedPorts(record.ports);
  testMode_ = startup.testMode;
}

void TFormHlav::SaveSettings() {
  if (!options_.configFiles) return;
  const FileResult saved = SaveCloseFiles(*options_.configFiles, settingsRecord(), session_->image());
  if (saved.ok) return;
  const std::uint8_t language = session_->choices().languageId;
  const std::string text =
      FillText(ExtraText(Extra::SettingsWriteError, language), options_.configFiles->settingsFile.string());
  QMessageBox::warning(this, windowTitle(), QString::fromStdString(text + "\n" + saved.error));
}

void TFormHlav::FormClose() {
  session_->closePort();
  session_->takeFields(fieldValues());
  SaveSettings();
}

void TFormHlav::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    // No tick may reopen the port or touch the image once closing has begun.
    timer1_.stop();
    FormClose();
    fields_->close();
    MenuRecord->setChecked(false);
    recorder_->windowClosing(session_->choices().languageId);
  }
  event->accept();
}

void TFormHlav::MenuExitClick() { close(); }

void TFormHlav::MenuAboutClick() {
  if (!about_) about_ = new TFormAbout([this] { return session_->choices().languageId; }, this);
  about_->exec();
}

void TFormHlav::MenuContensClick() {
  const std::uint8_t language = session_->choices().languageId;
  const ManualOpening manual = OpenManual(language);
  if (manual.file.isEmpty() || manual.opened) return;
  // Without a viewer the mechanic can still open the file by hand.
  const std::string text = FillText(ExtraText(Extra::ManualViewerMissing, language), manual.file.toStdString());
  QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
}

}  // namespace zelmo
