// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM (logout, shutdown), SIGHUP and SIGINT close the window the way its
// close command does: the port closed, a typed value taken, the settings and
// the shadow file saved. The signal handler only writes a byte into a socket
// pair; the rest runs in the event loop when a notifier sees that byte.
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace zelmo {

class CloseOnSignal final : public QObject {
  Q_OBJECT

 public:
  // Takes the three signals for as long as it lives; one per process.
  // `close` runs in the event loop once per signal that arrives.
  explicit CloseOnSignal(std::function<void()> close, QObject* parent = nullptr);
  ~CloseOnSignal() override;
  CloseOnSignal(const CloseOnSignal&) = delete;
  CloseOnSignal& operator=(const CloseOnSignal&) = delete;

  // False when the socket pair or a handler could not be set up; the
  // signals then keep their default action.
  bool active() const { return notifier_ != nullptr; }

 private:
  void arrived();

  std::function<void()> close_;
  int ends_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

// Closes the program's windows through their normal close: open modal
// dialogs are dismissed first (as Escape would), then the windows, then the
// event loop ends. For CloseOnSignal.
void CloseAllAndQuit();

}  // namespace zelmo
