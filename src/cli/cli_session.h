#pragma once
// The device engine as the command-line tool runs it: the same 55 ms tick as
// the window, on a Qt timer, with the window's duties done in text. Every
// message the window would show in a box or in its operation label goes to
// standard error.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <optional>
#include <ostream>

#include "cli/stop_signals.h"
#include "cli/trace_link.h"
#include "core/device/device_engine.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"

namespace zelmo::cli {

class CliSession final : public DeviceHost {
 public:
  static constexpr int kTickMs = 55;

  // link must outlive the session. With trace, every frame in and out is
  // reported with its tick.
  CliSession(SerialLink& link, std::ostream& messages, bool trace);

  ParameterImage& image() { return image_; }
  const MessageTable& messageTable() const { return messageTable_; }
  DeviceEngine& engine() { return engine_; }
  long ticks() const { return tick_; }
  long long elapsedMs() const { return clock_.elapsed(); }

  // Opens COM portNumber (1..20) as the window does at start-up; false (the
  // reason already printed) when it cannot be opened.
  bool openPort(int portNumber);
  // Runs ticks until finish() or a stop signal; returns finish()'s status, or
  // stopStatus after a stop signal.
  int run(int stopStatus);
  // Ends run() after the current tick, once its messages are printed.
  void finish(int status);

  std::function<void(TransferEvent)> onTransferEvent;
  std::function<void(const MonitorData&)> onMonitorFrame;
  std::function<void()> afterTick;
  // While set, operation messages are not printed (a later one will say more).
  bool holdOperationMessages = false;
  // Prints what changed on the display since the last time; every tick does.
  void printChanges();

  // DeviceHost
  void controlsToImage() override {}
  void orderBreakpoints() override { OrderBreakpoints(image_, ordering_, choices_); }
  void imageToControls() override {}
  void requestGraphRescale() override {}
  void graphTick() override {}
  void fileNameCleared() override {}
  void showMessage(std::string_view text) override;
  bool blockingLabelsShown() const override { return true; }
  bool printingMode() const override { return false; }
  void clearPrintingMode() override {}
  void transferEvent(TransferEvent event) override;
  void monitorFrame(const MonitorData& data) override;

 private:
  void tick();

  std::ostream& out_;
  long tick_ = 0;
  std::optional<TraceLink> trace_;
  ParameterImage image_;
  OrderingMemory ordering_;
  StoredChoices choices_;
  MessageTable messageTable_;
  DeviceEngine engine_;
  StopSignals stop_;
  QTimer timer_;
  QEventLoop loop_;
  QElapsedTimer clock_;
  std::optional<int> finished_;
  int stopStatus_ = 1;
  LabelState printedOperation_;
  int printedGauge_ = -1;
  bool noConnectionPrinted_ = false;
  bool everConnected_ = false;
};

}  // namespace zelmo::cli
