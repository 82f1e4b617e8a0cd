// The time from starting a program to its first window on screen, as the X server sees it: the
// map of a top-level window that is not a pop-up. Used by bench/startup.sh under xvfb-run.
//   startup_probe PROGRAM [ARGUMENT...]
// Prints the milliseconds on standard output, then ends the program (SIGTERM). Exit status 1 when
// the program ended, or showed nothing within 30 seconds (STARTUP_PROBE_PATIENCE).
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
// STARTUP_PROBE_PATIENCE (seconds) gives a program under a profiler more time.
std::chrono::seconds patience() {
  const char* given = std::getenv("STARTUP_PROBE_PATIENCE");
  const int seconds = given ? std::atoi(given) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 30);
}

struct Connection {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  ~Connection() { xcb_disconnect(c); }
};

// Waits for the first top-level window's map; false when the program ends first (ended) or takes
// too long.
bool wait_for_window(xcb_connection_t* c, xcb_window_t root, pid_t program, bool& ended) {
  const Clock::time_point deadline = Clock::now() + patience();
  pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
      if ((event->response_type & ~0x80) != XCB_MAP_NOTIFY) continue;
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      if (map->event == root && !map->override_redirect) return true;
    }
    ended = waitpid(program, nullptr, WNOHANG) != 0;
    if (ended || xcb_connection_has_error(c)) return false;
    if (Clock::now() > deadline) return false;
    poll(&fd, 1, 20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_probe PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  Connection x;
  if (xcb_connection_has_error(x.c)) {
    std::fprintf(stderr, "startup_probe: no X display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
  const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_generic_error_t* error = xcb_request_check(
      x.c, xcb_change_window_attributes_checked(x.c, root, XCB_CW_EVENT_MASK, &events));
  if (error) {
    std::free(error);
    std::fprintf(stderr, "startup_probe: cannot watch the root window\n");
    return 2;
  }

  const Clock::time_point start = Clock::now();
  const pid_t program = fork();
  if (program == 0) {
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  if (program < 0) {
    std::perror("fork");
    return 2;
  }
  bool ended = false;
  const bool shown = wait_for_window(x.c, root, program, ended);
  const std::chrono::duration<double, std::milli> taken = Clock::now() - start;
  if (!ended) {
    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
  }
  if (!shown) {
    std::fprintf(stderr, "startup_probe: %s showed no window\n", argv[1]);
    return 1;
  }
  std::printf("%.1f\n", taken.count());
  return 0;
}
