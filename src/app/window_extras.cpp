#include "app/window_extras.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <chrono>

#include "app/colours.h"
#include "app/differences_dialog.h"
#include "app/history_dialog.h"
#include "app/main_window.h"
#include "core/files/history.h"
#include "core/model/bike_code.h"
#include "core/report/differences.h"
#include "core/settings/config_dir.h"

namespace zelmo {
namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

// A transfer fails 20 ticks after its first send; a reply younger than this
// answered one of its sends, not an earlier command or poll.
constexpr std::uint8_t kFreshReplyTicks = 16;

long long SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

LocalTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return LocalTime{now.date().year(),   now.date().month(),  now.date().day(),
                   now.time().hour(),   now.time().minute(), now.time().second()};
}

}  // namespace

WindowExtras::WindowExtras(TFormHlav& window) : QObject(&window), window_(window) {
  QWidget* client = window_.client_;
  differencesButton_ = new QPushButton(client);
  differencesButton_->setObjectName(QStringLiteral("ButtonDifferences"));
  differencesButton_->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 3px; }"));
  QFont small = differencesButton_->font();
  small.setPixelSize(11);
  differencesButton_->setFont(small);
  differencesButton_->hide();
  connect(differencesButton_, &QPushButton::clicked, this, &WindowExtras::showDifferences);

  notProgrammed_ = new QLabel(client);
  notProgrammed_->setObjectName(QStringLiteral("LabelNotProgrammed"));
  QFont bold = notProgrammed_->font();
  bold.setPixelSize(11);
  bold.setBold(true);
  notProgrammed_->setFont(bold);
  QPalette red = notProgrammed_->palette();
  red.setColor(QPalette::WindowText, kRed);
  notProgrammed_->setPalette(red);

  // Right of "No Connection", clear of it in every language.
  rec_ = new QLabel(client);
  rec_->setObjectName(QStringLiteral("LabelRec"));
  rec_->move(712, 9);
  QFont big = rec_->font();
  big.setPixelSize(23);
  big.setBold(true);
  rec_->setFont(big);
  rec_->setAutoFillBackground(true);
  QPalette fill = rec_->palette();
  fill.setColor(QPalette::Window, kRed);
  rec_->setPalette(fill);
  rec_->hide();

  auto* file = qobject_cast<QMenu*>(window_.named_.value(QStringLiteral("MenuFile")));
  auto* device = qobject_cast<QMenu*>(window_.named_.value(QStringLiteral("MenuDevice")));
  historyItem_ = new QAction(this);
  historyItem_->setObjectName(QStringLiteral("MenuHistory"));
  // Among the open commands, before the separator that ends them.
  const QList<QAction*> fileItems = file->actions();
  const auto openExe = std::find_if(fileItems.begin(), fileItems.end(), [](QAction* item) {
    return item->objectName() == QStringLiteral("MenuOpenExeDir");
  });
  QAction* before = openExe != fileItems.end() && openExe + 1 != fileItems.end() ? *(openExe + 1) : nullptr;
  file->insertAction(before, historyItem_);
  connect(historyItem_, &QAction::triggered, this, &WindowExtras::showHistory);

  device->addSeparator();
  differencesItem_ = new QAction(this);
  differencesItem_->setObjectName(QStringLiteral("MenuDifferences"));
  differencesItem_->setEnabled(false);
  device->addAction(differencesItem_);
  connect(differencesItem_, &QAction::triggered, this, &WindowExtras::showDifferences);
  recordItem_ = new QAction(this);
  recordItem_->setObjectName(QStringLiteral("MenuRecord"));
  recordItem_->setCheckable(true);
  device->addAction(recordItem_);
  connect(recordItem_, &QAction::triggered, this, &WindowExtras::toggleRecording);
  for (QObject* made : std::initializer_list<QObject*>{differencesButton_, notProgrammed_, rec_, historyItem_,
                                                        differencesItem_, recordItem_}) {
    window_.named_.insert(made->objectName(), made);
  }
}

WindowExtras::~WindowExtras() = default;

void WindowExtras::retranslate() {
  const std::uint8_t language = window_.choices_.languageId;
  differencesButton_->setText(Text(ExtraText(Extra::DifferencesButton, language)));
  placeOperationExtras();
  historyItem_->setText(Text(ExtraText(Extra::HistoryMenu, language)));
  differencesItem_->setText(Text(ExtraText(Extra::DifferencesButton, language)));
  recordItem_->setText(Text(ExtraText(Extra::RecordMenu, language)));
  rec_->setText(Text(ExtraText(Extra::RecordLabel, language)));
  rec_->adjustSize();
  refresh();
}

void WindowExtras::placeOperationExtras() {
  // Under the operation message, the button on the left and the indicator to
  // the right of it, short of the COM label at x 427; a text too long for
  // that goes to the row below.
  constexpr int kLeft = 206;
  constexpr int kRight = 424;
  const int buttonWidth = differencesButton_->sizeHint().width();
  differencesButton_->setGeometry(kLeft, 537, buttonWidth, 21);
  const int besideLeft = kLeft + buttonWidth + 6;
  // The row below belongs to the data-error notice, so a long text first
  // gets a smaller font; only a text that fits at no size drops a row.
  QFont font = notProgrammed_->font();
  int textWidth = 0;
  for (int pixels = 11; pixels >= 9; --pixels) {
    font.setPixelSize(pixels);
    textWidth = QFontMetrics(font).horizontalAdvance(notProgrammed_->text()) + 2;
    if (besideLeft + textWidth <= kRight) break;
  }
  notProgrammed_->setFont(font);
  if (besideLeft + textWidth <= kRight) notProgrammed_->setGeometry(besideLeft, 539, textWidth, 17);
  else notProgrammed_->setGeometry(kLeft, 560, textWidth, 17);
}

void WindowExtras::refresh() {
  const bool printing = window_.printingMode_;
  const std::string_view indicator = programmed_.indicatorText(window_.image_, window_.choices_.languageId);
  const QString text = Text(indicator);
  if (notProgrammed_->text() != text) {
    notProgrammed_->setText(text);
    placeOperationExtras();
  }
  notProgrammed_->setVisible(!printing && !indicator.empty());
  differencesButton_->setVisible(!printing && unitAfterFailure_.has_value());
  differencesItem_->setEnabled(unitAfterFailure_.has_value());
  rec_->setVisible(!printing && recording());
}

void WindowExtras::transferEvent(TransferEvent event) {
  const std::optional<Payload>& unit = window_.engine_->lastUnitImage();
  switch (event) {
    case TransferEvent::ImageRead:
      unitAfterFailure_.reset();
      saveHistory(HistoryEvent::Read);
      break;
    case TransferEvent::ImageStored:
      unitAfterFailure_.reset();
      saveHistory(HistoryEvent::Program);
      break;
    case TransferEvent::VerifyOk:
      unitAfterFailure_.reset();
      programmed_.verified(window_.image_);
      break;
    case TransferEvent::VerifyFailed:
    case TransferEvent::ProgramFailed:
      programmed_.forget();
      // The engine keeps the bytes of an older transfer too; only a reply to
      // one of the last sends (no polls run during a transfer) is this one's.
      if (unit && window_.engine_->silenceTicks() < kFreshReplyTicks &&
          !std::ranges::equal(*unit, window_.image_.image())) {
        unitAfterFailure_ = unit;
      } else {
        unitAfterFailure_.reset();
      }
      break;
    case TransferEvent::UnitInfoAccepted:
    case TransferEvent::ReadFailed:
    case TransferEvent::VersionMismatch:
      break;
  }
  refresh();
}

void WindowExtras::showDifferences() {
  if (!unitAfterFailure_) return;
  const std::uint8_t language = window_.choices_.languageId;
  ShowDifferencesDialog(&window_, MakeDifferences(window_.image_, *unitAfterFailure_, language), language);
}

void WindowExtras::saveHistory(HistoryEvent event) {
  ParameterImage entry = window_.image_;
  // A read keeps the unit's own bytes, before the window put them in order.
  if (event == HistoryEvent::Read && window_.engine_->lastUnitImage()) {
    std::ranges::copy(*window_.engine_->lastUnitImage(), entry.image().begin());
  }
  const auto files = FindConfigFiles(ProcessEnvironment);
  HistorySaveResult saved;
  std::filesystem::path folder = kHistoryFolderName;
  if (files) {
    folder = HistoryFolder(files->settingsFile);
    saved = SaveHistoryEntry(folder, entry, event, Now());
  } else {
    saved.error = "no configuration folder";
  }
  if (saved.ok) return;
  QString text = Text(ExtraText(Extra::SaveFailed, window_.choices_.languageId));
  text.replace(text.indexOf(QStringLiteral("%s")), 2, QString::fromStdString(folder.string()));
  text.replace(QStringLiteral("%s"), QString::fromStdString(saved.error));
  warn(text);
}

void WindowExtras::showHistory() {
  const auto files = FindConfigFiles(ProcessEnvironment);
  if (!files) return;
  const std::vector<HistoryEntry> entries = ListHistory(HistoryFolder(files->settingsFile));
  const auto bikeText = [this](std::uint8_t code) {
    const std::optional<int> index = BikeCodeToIndex(code);
    return index ? window_.ComboBoxBike->itemText(*index) : QString::number(code);
  };
  QString open;
  if (const auto* item = qobject_cast<QAction*>(window_.named_.value(QStringLiteral("MenuOpen")))) open = item->text();
  open.remove(QLatin1Char('&'));
  const auto chosen = ChooseHistoryEntry(&window_, entries, bikeText, open, window_.choices_.languageId);
  if (chosen) window_.openPath(QString::fromStdU16String(chosen->u16string()));
}

void WindowExtras::toggleRecording() {
  if (recording()) stopRecording();
  else startRecording();
  recordItem_->setChecked(recording());
  refresh();
}

void WindowExtras::startRecording() {
  QFileDialog dialog(&window_);
  dialog.setObjectName(QStringLiteral("RecordDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("CSV (*.csv)")});
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().first();
  std::string reason;
  std::unique_ptr<FileRecordSink> sink = FileRecordSink::open(PathOf(file), &reason);
  if (!sink) {
    QString text = Text(ExtraText(Extra::RecordWriteError, window_.choices_.languageId));
    text.replace(QStringLiteral("%s"), file);
    warn(text + QStringLiteral("\n") + QString::fromStdString(reason));
    return;
  }
  recording_ = std::make_unique<LiveRecording>(std::move(sink), file.toStdString(), SteadyMs());
  if (recording_->failed()) recordingFailed();
}

void WindowExtras::stopRecording() {
  if (!recording_->stop()) recordingFailed();
  recording_.reset();
}

void WindowExtras::recordingFailed() {
  const QString text = QString::fromStdString(recording_->errorText(window_.choices_.languageId));
  recording_.reset();
  recordItem_->setChecked(false);
  refresh();
  warn(text);
}

void WindowExtras::monitorFrame(const MonitorData& data) {
  if (recording_ && !recording_->frame(data, SteadyMs())) recordingFailed();
}

void WindowExtras::windowClosing() {
  recordItem_->setChecked(false);
  if (!recording_) return;
  // No loop runs after this, so the box comes at once.
  if (!recording_->stop()) {
    QMessageBox::warning(&window_, window_.windowTitle(),
                         QString::fromStdString(recording_->errorText(window_.choices_.languageId)));
  }
  recording_.reset();
}

void WindowExtras::warn(const QString& text) {
  // Most failures arrive inside the engine's tick: the box waits for it to end.
  QMetaObject::invokeMethod(
      this, [this, text] { QMessageBox::warning(&window_, window_.windowTitle(), text); }, Qt::QueuedConnection);
}

void TFormHlav::transferEvent(TransferEvent event) { extras_->transferEvent(event); }

void TFormHlav::monitorFrame(const MonitorData& frame) { extras_->monitorFrame(frame); }

}  // namespace zelmo
