// Construction, start-up, close and the settings files of the main window.
// Ahead of the device headers: the drawing kinds name a "Frame" of their own.
#include "curve/curve_widget.h"
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>

#include "app/help.h"
#include "app/main_window.h"
#include "app/mouse_check_box.h"
#include "app/up_down.h"
#include "app/window_extras.h"
#include "core/model/presets.h"
#include "core/settings/config_dir.h"
#include "core/settings/settings.h"
#include "core/settings/settings_store.h"

namespace zelmo {
namespace {

constexpr qsizetype kMaxProgramPath = 8190;

QString ProgramFolderFileOf(QString programPath) {
  programPath.truncate(kMaxProgramPath);
  const qsizetype cut = std::max(programPath.lastIndexOf(QLatin1Char('/')), programPath.lastIndexOf(QLatin1Char('\\')));
  return programPath.left(cut + 1) + QStringLiteral("data.ign");
}

}  // namespace

TFormHlav::TFormHlav(SerialLink& link, WindowOptions options, QWidget* parent)
    : QMainWindow(parent), link_(link), options_(std::move(options)) {
  buildControls();
  engine_ = std::make_unique<DeviceEngine>(link_, *this, image_, messages_, choices_);
  extras_ = std::make_unique<WindowExtras>(*this);
  ForgetPushes(ordering_);
  requestGraphRescale();
  timer1_.setInterval(55);
  connect(&timer1_, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
  timer1_.start();
  FormCreate();
}

TFormHlav::~TFormHlav() {
  // The controls go first, while the state their handlers would touch still
  // exists; a field losing the focus on the way out is no edit.
  closed_ = true;
  timer1_.stop();
  delete takeCentralWidget();
}

void TFormHlav::FormCreate() {
  BuildMenuCom();
  choices_.selectedComIndex = 1;
  ApplyBikePresets(image_, bikeChosen_);
  centreOnScreen();
  programFolderFile_ = ProgramFolderFileOf(options_.programPath);
  LoadSettings();
  if (image_.speedCorrection() == 0) image_.speedCorrection() = 100;
  if (!options_.arguments.isEmpty()) {
    if (const auto id = LanguageFromArgument(options_.arguments.first().toStdString())) choices_.languageId = *id;
  }
  OrderBreakpoints();
  ImageToControls();
  switch (choices_.languageId) {
    case kCzech: ApplyCzechTexts(); break;
    case kGerman: ApplyGermanTexts(); break;
    // The French slot has no texts of its own; English keeps the window readable.
    default: ApplyEnglishTexts(); break;
  }
  ImageToControls();
  undo_.reset(image_);
  updateUndoButtons();
  engine_->openPort();
  showDeviceDisplay(true);
  LabelHlaseni->hide();
  CGaugeProgram->hide();
  CGaugeProgram->setMaximum(1);
  LabelEeDataErr->hide();
  LabelVersion->hide();
  for (QLabel* label : LabelTest) label->setVisible(testMode_);
  UpdateControlStates();
}

void TFormHlav::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TFormHlav::keepOnScreen() {
  // The title bar must be reachable on some screen, or nobody can move the window back.
  const QRect titleBar(x(), y(), width(), 30);
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect visible = titleBar.intersected(screen->availableGeometry());
    if (visible.width() >= 40 && visible.height() >= 10) return;
  }
  centreOnScreen();
}

SettingsRecord TFormHlav::settingsRecord() const {
  SettingsRecord record;
  record.left = x();
  record.top = y();
  record.height = height();
  record.width = width();
  record.selectedComIndex = choices_.selectedComIndex;
  record.autoPortIndex = choices_.autoPortIndex;
  record.languageId = choices_.languageId;
  record.currentFileName = messages_.currentFileName;
  record.lastFilePath = lastFilePath_.toStdString();
  record.ignAll = CheckBoxIgnAll->isChecked();
  return record;
}

void TFormHlav::LoadSettings() {
  const auto files = FindConfigFiles(ProcessEnvironment);
  if (!files) return;
  // The window's current values are the defaults of whatever the file lacks.
  SettingsRecord record = settingsRecord();
  const StartupFiles startup = LoadStartupFiles(*files, record, image_);
  resize(record.width, record.height);
  move(record.left, record.top);
  keepOnScreen();
  choices_.selectedComIndex = record.selectedComIndex;
  choices_.autoPortIndex = record.autoPortIndex;
  choices_.languageId = record.languageId;
  messages_.currentFileName = record.currentFileName;
  lastFilePath_ = QString::fromStdString(record.lastFilePath);
  openDialogFile_ = lastFilePath_;
  saveDialogFile_ = lastFilePath_;
  CheckBoxIgnAll->setChecked(record.ignAll);
  testMode_ = startup.testMode;
}

void TFormHlav::SaveSettings() {
  const auto files = FindConfigFiles(ProcessEnvironment);
  if (!files) return;
  const SettingsRecord record = settingsRecord();
  const FileResult saved = SaveCloseFiles(*files, record, image_);
  if (saved.ok) return;
  const std::string_view pattern = ExtraText(Extra::SettingsWriteError, choices_.languageId);
  QString text = QString::fromUtf8(pattern.data(), static_cast<qsizetype>(pattern.size()))
                     .replace(QStringLiteral("%s"), QString::fromStdString(files->settingsFile.string()));
  text += QStringLiteral("\n") + QString::fromStdString(saved.error);
  QMessageBox::warning(this, windowTitle(), text);
}

void TFormHlav::FormClose() {
  engine_->closePort();
  ControlsToImage();
  OrderBreakpoints();
  SaveSettings();
}

void TFormHlav::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    // No tick may reopen the port or touch the image once closing has begun.
    timer1_.stop();
    FormClose();
    extras_->windowClosing();
  }
  event->accept();
}

void TFormHlav::MenuExitClick() { close(); }

void TFormHlav::MenuAboutClick() {
  if (about_) about_->exec();
}

void TFormHlav::MenuContensClick() { OpenManual(choices_.languageId); }

void TFormHlav::requestGraphRescale() { GrafAdv->request(GraphRescale); }

void TFormHlav::graphTick() { GrafAdv->tick(engine_->liveRpm()); }

void TFormHlav::focusField(int pointCode) {
  if (pointCode == LimiterPoint) {
    UpDownOmez2->buddy()->setFocus();
  } else if (pointCode == BasePoint) {
    UpDownBaseAdv->buddy()->setFocus();
  } else if (pointCode >= 0 && pointCode < kBreakpointCount) {
    AdvanceEdits[static_cast<std::size_t>(pointCode)]->setFocus();
  }
}

void TFormHlav::pushUndo() { push(); }

}  // namespace zelmo
