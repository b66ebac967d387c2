// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/live_recorder.h"

#include <QMessageBox>
#include <chrono>

#include "app/widget_factory.h"
#include "core/lang/pattern.h"
#include "core/lang/texts.h"

namespace zelmo {
namespace {

long long SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

LiveRecorder::LiveRecorder(QWidget* window, QString folder)
    : QObject(window), window_(window), folder_(std::move(folder)) {}

LiveRecorder::~LiveRecorder() = default;

void LiveRecorder::toggle(std::uint8_t languageId) {
  if (recording())
    stop(languageId);
  else
    start(languageId);
  emit changed();
}

void LiveRecorder::start(std::uint8_t languageId) {
  const QString file =
      AskFileToWrite(window_, "RecordDialog", QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), folder_);
  if (file.isEmpty()) return;
  std::string reason;
  std::unique_ptr<FileRecordSink> sink = FileRecordSink::open(std::filesystem::path(file.toStdU16String()), &reason);
  if (!sink) {
    const std::string text = FillText(ExtraText(Extra::RecordWriteError, languageId), file.toStdString());
    emit failed(QString::fromStdString(text + "\n" + reason));
    return;
  }
  recording_ = std::make_unique<LiveRecording>(std::move(sink), file.toStdString(), SteadyMs());
  if (recording_->failed()) fail(languageId);
}

void LiveRecorder::stop(std::uint8_t languageId) {
  if (!recording_->stop()) {
    fail(languageId);
    return;
  }
  recording_.reset();
}

void LiveRecorder::fail(std::uint8_t languageId) {
  const QString text = QString::fromStdString(recording_->errorText(languageId));
  recording_.reset();
  emit changed();
  emit failed(text);
}

void LiveRecorder::frame(const MonitorData& data, std::uint8_t languageId) {
  if (recording_ && !recording_->frame(data, SteadyMs())) fail(languageId);
}

void LiveRecorder::windowClosing(std::uint8_t languageId) {
  if (!recording_) return;
  // No loop runs after this, so the box comes at once.
  if (!recording_->stop()) {
    QMessageBox::warning(window_, window_->windowTitle(), QString::fromStdString(recording_->errorText(languageId)));
  }
  recording_.reset();
  emit changed();
}

}  // namespace zelmo
