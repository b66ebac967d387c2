// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests need of the system beyond the standard library: the process
// id for private temporary folders, setting an environment variable, and on POSIX a child process in which a
// save fails as on a full disk or in a folder it may not write. One of the
// core's platform files: the only place the tests fork or limit file sizes.
// Where a system has no such child (Windows), the tests that need one are
// skipped with kNoChildLimits as the reason.
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#if defined(_WIN32)
#include <process.h>
#include <stdlib.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#endif

namespace zelmo::test {

#if defined(_WIN32)

inline constexpr bool kChildLimits = false;
// Also: a read-only folder there still takes new files, and links need rights.
inline constexpr bool kPosixFileModes = false;
inline constexpr const char* kNoChildLimits = "Windows has neither fork() nor a per-process file size limit";
inline constexpr const char* kNoPosixFileModes = "Windows knows no POSIX file modes and makes links only with rights";

inline int ProcessId() { return _getpid(); }
// value is UTF-8; set through the wide API so that every letter arrives.
inline void SetEnvironment(const std::string& name, const std::string& value) {
  const auto wide = [](const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end())).wstring();
  };
  _wputenv_s(wide(name).c_str(), wide(value).c_str());
}
inline bool InChildWithFileSizeLimit(unsigned long, const std::function<bool()>&) { return false; }
inline bool InChildWithoutRoot(const std::function<bool()>&) { return false; }
inline bool RunningAsRoot() { return false; }
template <typename Duration>
inline bool KillChildAfter(Duration, const std::function<void()>&) {
  return false;
}
inline bool MakePipe(const std::filesystem::path&) { return false; }

#else

inline constexpr bool kChildLimits = true;
inline constexpr bool kPosixFileModes = true;
inline constexpr const char* kNoChildLimits = "";
inline constexpr const char* kNoPosixFileModes = "";

inline int ProcessId() { return static_cast<int>(::getpid()); }
inline void SetEnvironment(const std::string& name, const std::string& value) {
  ::setenv(name.c_str(), value.c_str(), 1);
}

namespace detail {
// True when `check` ran in a child prepared by `prepare` and returned true there.
inline bool InChild(const std::function<bool()>& prepare, const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) ::_exit(prepare() && check() ? 0 : 1);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace detail

// Files of the child may not grow past `bytes`, so a write fails part way.
inline bool InChildWithFileSizeLimit(rlim_t bytes, const std::function<bool()>& check) {
  return detail::InChild(
      [bytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return true;
      },
      check);
}

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// A child repeats `step` until it is killed (SIGKILL, as a crash or a pulled
// plug ends a program) after `delay`; false when no child could be made.
template <typename Duration>
inline bool KillChildAfter(Duration delay, const std::function<void()>& step) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    for (;;) step();
  }
  std::this_thread::sleep_for(delay);
  ::kill(child, SIGKILL);
  return ::waitpid(child, nullptr, 0) == child;
}
// A named pipe (FIFO) at path.
inline bool MakePipe(const std::filesystem::path& path) { return ::mkfifo(path.c_str(), 0600) == 0; }

// Root writes anywhere, so a child run as root gives root up first.
inline bool InChildWithoutRoot(const std::function<bool()>& check) {
  return detail::InChild([] { return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0); }, check);
}

#endif

}  // namespace zelmo::test
