// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording the live values: the columns of the command-line monitor's CSV,
// one row per accepted monitor frame, the first column the milliseconds since
// the recording started. Each row is written and flushed on its own: frames
// come about three times a second, and a recording cut short by a crash or a
// pulled cable keeps every row but the one being written.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/monitor.h"

namespace zelmo {

// Where the rows go. The window may give any file of its own.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Writes the text and hands it on to the file (flush); false on failure,
  // with the reason in reason().
  virtual bool write(std::string_view text) = 0;
  // Ends the file; false when the last of it could not be written.
  virtual bool close() = 0;
  virtual std::string reason() const = 0;
};

// A sink on a file of the C library, opened for writing (replacing it).
class FileRecordSink final : public RecordSink {
 public:
  // Nothing when the file cannot be opened; the reason goes to *reason.
  static std::unique_ptr<FileRecordSink> open(const std::filesystem::path& file, std::string* reason);
  ~FileRecordSink() override;
  FileRecordSink(const FileRecordSink&) = delete;
  FileRecordSink& operator=(const FileRecordSink&) = delete;

  bool write(std::string_view text) override;
  bool close() override;
  std::string reason() const override { return reason_; }

 private:
  explicit FileRecordSink(std::FILE* file) : file_(file) {}
  std::FILE* file_;
  std::string reason_;
};

class LiveRecording {
 public:
  // Writes the header at once. fileName names the sink in the error text;
  // startMs is the reading of the clock that later calls use too (a steady one).
  LiveRecording(std::unique_ptr<RecordSink> sink, std::string fileName, long long startMs);
  ~LiveRecording();
  LiveRecording(const LiveRecording&) = delete;
  LiveRecording& operator=(const LiveRecording&) = delete;

  // One row for an accepted monitor frame. A failed write stops the recording
  // for good and closes the sink; false then and for every later call.
  bool frame(const MonitorData& data, long long nowMs);
  // Ends the recording (the item chosen again, the window closing); false when
  // the end of the file could not be written, which stops it with an error too.
  bool stop();

  bool recording() const { return sink_ != nullptr; }
  bool failed() const { return failed_; }
  long rows() const { return rows_; }
  // "Recording stopped: unable to write to FILE" in the language, then the
  // reason on a line of its own when the sink gave one; empty unless failed().
  std::string errorText(std::uint8_t languageId) const;

 private:
  void fail();

  std::unique_ptr<RecordSink> sink_;
  std::string fileName_;
  long long startMs_;
  long rows_ = 0;
  bool failed_ = false;
  std::string reason_;
};

}  // namespace zelmo
