// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and reports how long it takes until it maps its first
// top-level window on the X display, without any help from the program.
// Usage: map_watch PROGRAM [ARGS...]
// Prints "<milliseconds> <pid>" once the window is mapped and leaves the
// program running; exits non-zero when the program ends or 20 s pass first.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kTimeoutMs = 20000;

bool IsOverrideRedirect(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
      connection, xcb_get_window_attributes(connection, window), nullptr);
  const bool result = attributes != nullptr && attributes->override_redirect != 0;
  std::free(attributes);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: map_watch PROGRAM [ARGS...]\n");
    return 2;
  }
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection) != 0) {
    std::fprintf(stderr, "map_watch: cannot connect to the X display\n");
    return 2;
  }
  const xcb_setup_t* setup = xcb_get_setup(connection);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_void_cookie_t selected =
      xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
  if (xcb_generic_error_t* error = xcb_request_check(connection, selected)) {
    std::free(error);
    std::fprintf(stderr, "map_watch: cannot watch the root window\n");
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror("map_watch: exec");
    _exit(127);
  }
  if (child < 0) {
    std::perror("map_watch: fork");
    return 2;
  }

  pollfd watched{xcb_get_file_descriptor(connection), POLLIN, 0};
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
      const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
      std::free(event);
      if (mapped && !IsOverrideRedirect(connection, window)) {
        const auto elapsed = std::chrono::duration<double, std::milli>(
            std::chrono::steady_clock::now() - start);
        std::printf("%.1f %d\n", elapsed.count(), static_cast<int>(child));
        std::fflush(stdout);
        xcb_disconnect(connection);
        return 0;
      }
    }
    if (xcb_connection_has_error(connection) != 0) return 3;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "map_watch: %s ended before it showed a window\n", argv[1]);
      return 3;
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    if (waited > std::chrono::milliseconds(kTimeoutMs)) {
      std::fprintf(stderr, "map_watch: no window after %d ms\n", kTimeoutMs);
      return 3;
    }
    poll(&watched, 1, 20);
  }
}
