// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#if defined(__APPLE__)
#include <util.h>
#else
#include <pty.h>
#endif

namespace zelmo::sim {
namespace {

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

std::string PseudoTerminal::open() {
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return Reason("openpty");
  slavePath_ = name;
  // Raw before the tool opens it: an echoing line discipline would send every
  // request straight back.
  termios t{};
  if (::tcgetattr(slave_, &t) != 0) return Reason("tcgetattr");
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B57600);
  ::cfsetospeed(&t, B57600);
  if (::tcsetattr(slave_, TCSANOW, &t) != 0) return Reason("tcsetattr");
  const int flags = ::fcntl(master_, F_GETFL);
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return Reason("fcntl");
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  return {};
}

void PseudoTerminal::close() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = slave_ = -1;
}

TerminalLink::~TerminalLink() { remove(); }

std::string TerminalLink::create(const std::string& linkPath, const std::string& target) {
  struct stat st {};
  if (::lstat(linkPath.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return linkPath + ": exists and is not a symbolic link";
    // A link left behind by a simulator that was killed.
    if (::unlink(linkPath.c_str()) != 0) return Reason(linkPath.c_str());
  }
  if (::symlink(target.c_str(), linkPath.c_str()) != 0) return Reason(linkPath.c_str());
  path_ = linkPath;
  target_ = target;
  return {};
}

void TerminalLink::remove() {
  if (path_.empty()) return;
  // A simulator started since on the same path owns the link now.
  char buf[4096];
  const ssize_t n = ::readlink(path_.c_str(), buf, sizeof buf);
  if (n >= 0 && std::string(buf, static_cast<std::size_t>(n)) == target_) ::unlink(path_.c_str());
  path_.clear();
}

}  // namespace zelmo::sim
