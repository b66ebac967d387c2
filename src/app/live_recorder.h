// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording of live values into a CSV file, switched on and off from the
// Device menu; the REC label shows while it runs.
#include <QObject>
#include <QString>
#include <memory>

#include "core/device/monitor.h"
#include "core/report/recording.h"

class QWidget;

namespace zelmo {

class LiveRecorder : public QObject {
  Q_OBJECT

 public:
  // folder: where the file dialog starts; none, Qt's choice.
  LiveRecorder(QWidget* window, QString folder);
  ~LiveRecorder() override;

  bool recording() const { return recording_ != nullptr; }
  // Asks for a file and starts, or stops a running recording.
  void toggle(std::uint8_t languageId);
  void frame(const MonitorData& data, std::uint8_t languageId);
  // The window closes: a running recording ends, a failure is told at once.
  void windowClosing(std::uint8_t languageId);

 signals:
  // Recording started or stopped, by the user or by a failure.
  void changed();
  // A failure to tell; it may come from inside a tick.
  void failed(const QString& text);

 private:
  void start(std::uint8_t languageId);
  void stop(std::uint8_t languageId);
  void fail(std::uint8_t languageId);

  QWidget* window_;
  QString folder_;
  std::unique_ptr<LiveRecording> recording_;
};

}  // namespace zelmo
