// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/recording.h"

#include <cerrno>
#include <system_error>

#include "core/files/platform_file.h"
#include "core/lang/pattern.h"
#include "core/lang/texts.h"

namespace zelmo {
namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

}  // namespace

std::unique_ptr<FileRecordSink> FileRecordSink::open(const std::filesystem::path& file, std::string* reason) {
  errno = 0;
  std::FILE* f = platform::OpenStdioFile(file, "wb");
  if (f == nullptr) {
    if (reason != nullptr) *reason = Reason(errno);
    return nullptr;
  }
  return std::unique_ptr<FileRecordSink>(new FileRecordSink(f));
}

FileRecordSink::~FileRecordSink() {
  if (file_ != nullptr) std::fclose(file_);
}

bool FileRecordSink::write(std::string_view text) {
  if (file_ == nullptr) return false;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    reason_ = Reason(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}

bool FileRecordSink::close() {
  if (file_ == nullptr) return true;
  errno = 0;
  const int result = std::fclose(file_);
  file_ = nullptr;
  if (result != 0) {
    reason_ = Reason(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}

LiveRecording::LiveRecording(std::unique_ptr<RecordSink> sink, std::string fileName, long long startMs)
    : sink_(std::move(sink)), fileName_(std::move(fileName)), startMs_(startMs) {
  if (sink_ && !sink_->write(MonitorCsvHeader() + "\n")) fail();
}

LiveRecording::~LiveRecording() {
  if (sink_) sink_->close();
}

bool LiveRecording::frame(const MonitorData& data, long long nowMs) {
  if (!sink_) return false;
  // A clock read before the start must not give negative times.
  const long long sinceStart = nowMs > startMs_ ? nowMs - startMs_ : 0;
  if (!sink_->write(MonitorCsvRow(data, sinceStart) + "\n")) {
    fail();
    return false;
  }
  ++rows_;
  return true;
}

bool LiveRecording::stop() {
  if (!sink_) return !failed_;
  const bool closed = sink_->close();
  if (!closed) {
    failed_ = true;
    reason_ = sink_->reason();
  }
  sink_.reset();
  return closed;
}

void LiveRecording::fail() {
  failed_ = true;
  reason_ = sink_->reason();
  sink_->close();
  sink_.reset();
}

std::string LiveRecording::errorText(std::uint8_t languageId) const {
  if (!failed_) return {};
  std::string text = FillText(ExtraText(Extra::RecordWriteError, languageId), fileName_);
  if (!reason_.empty()) text += "\n" + reason_;
  return text;
}

}  // namespace zelmo
