// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor session as the command-line tool runs it: the window's document
// and device engine, ticked every 55 ms on a Qt timer, with the window's
// duties done in text. Every message the window would show in a box or in its
// operation label goes to standard error.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/stop_signals.h"
#include "cli/trace_link.h"
#include "core/session/editor_session.h"

namespace zelmo::cli {

class CliSession final : public SessionListener {
 public:
  static constexpr int kTickMs = 55;

  // link must outlive the session. With trace, every frame in and out and
  // every session event is reported with its tick. setup: the history.
  CliSession(SerialLink& link, std::ostream& messages, bool trace, EditorSession::Setup setup);

  EditorSession& session() { return session_; }
  const EditorSession& session() const { return session_; }
  const DeviceEngine& engine() const { return session_.engine(); }
  long ticks() const { return tick_; }
  long long elapsedMs() const { return clock_.elapsed(); }

  // Chooses a Com menu item (0..19 open COM1 to COM20) as the window's Com
  // menu does; false (the reason already printed, in the tool's own words)
  // when its port cannot be opened.
  bool choosePort(int comIndex);
  // Runs ticks until finish() or a stop signal; returns finish()'s status, or
  // 128 plus the signal's number after a stop signal, with stopLine's text.
  int run();
  // Ends run() after the current tick, once its messages are printed; a
  // closing line comes after them, the last thing said. The first call counts.
  void finish(int status, std::string closingLine = {});

  std::function<void(SessionEvent)> onEvent;
  std::function<void(const MonitorData&)> onMonitorFrame;
  std::function<void()> afterTick;
  // The last line after a stop signal; "zelmo-cli: interrupted" and the like without it.
  std::function<std::string(int signal)> stopLine;
  // While set, operation messages are not printed (a later one will say more,
  // or the command has said its last).
  bool holdOperationMessages = false;
  // Prints what changed on the display since the last time; every tick does.
  void printChanges();

  // SessionListener
  void imageChanged(bool /*rescaleGraph*/) override {}
  void sessionEvent(SessionEvent event) override;
  void monitorFrame(const MonitorData& data) override;
  void message(std::string_view text) override;
  void warning(std::string_view text) override;

 private:
  SerialLink& traced(SerialLink& link, bool trace);
  void tick();
  void printClosingLine();

  std::ostream& out_;
  long tick_ = 0;
  std::optional<TraceLink> trace_;
  EditorSession session_;
  DeferredStop stop_;
  QTimer timer_;
  QEventLoop loop_;
  QElapsedTimer clock_;
  std::optional<int> finished_;
  std::string closingLine_;
  bool choosingPort_ = false;
  LabelState printedOperation_;
  int printedGauge_ = -1;
  bool noConnectionPrinted_ = false;
  bool everConnected_ = false;
};

}  // namespace zelmo::cli
