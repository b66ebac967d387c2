// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/close_on_signal.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace zelmo {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// The handler can reach nothing but a plain int: the write end of the pair.
// It is set before the handlers are installed and reset after they are gone.
volatile std::sig_atomic_t g_writeEnd = -1;

extern "C" void OnStopSignal(int signalNumber) {
  const int saved = errno;
  const char byte = static_cast<char>(signalNumber);
  // A full buffer already holds a close request; losing this one is harmless.
  [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

CloseOnSignal::CloseOnSignal(std::function<void()> close, QObject* parent) : QObject(parent), close_(std::move(close)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends_) != 0) return;
  g_writeEnd = ends_[0];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signalNumber : kSignals) ::sigaction(signalNumber, &action, nullptr);
  notifier_ = std::make_unique<QSocketNotifier>(ends_[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &CloseOnSignal::arrived);
}

CloseOnSignal::~CloseOnSignal() {
  if (ends_[0] < 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : kSignals) ::sigaction(signalNumber, &action, nullptr);
  g_writeEnd = -1;
  notifier_.reset();
  ::close(ends_[0]);
  ::close(ends_[1]);
}

void CloseOnSignal::arrived() {
  char bytes[16];
  while (::read(ends_[1], bytes, sizeof bytes) > 0) {
  }
  close_();
}

void CloseAllAndQuit() {
  // A modal box runs its own event loop; it must end before the windows
  // close, so the close waits for the box to go.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    // reject() also ends a message box that has no button for Escape.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
    QTimer::singleShot(10, QCoreApplication::instance(), CloseAllAndQuit);
    return;
  }
  QApplication::closeAllWindows();
  QApplication::quit();
}

}  // namespace zelmo
