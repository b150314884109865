// Start-up of the desktop program as a user meets it: from starting the
// process to its main window appearing on the X display (every window made,
// settings, memory, sound bank, tables and speech engines loaded before it
// is shown), and its resident memory once it has settled.
//
// Usage: bench_startup DRUM_EXECUTABLE [runs=20]   (run by bench/desktop.sh)
// The executable is started in its own folder; it needs an X display.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

double nowms() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The main window: class "drum" and a real size (Qt's helper windows are tiny).
bool isdrumwindow(Display* display, Window window) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool drum = hint.res_class && std::strcmp(hint.res_class, "drum") == 0;
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  XWindowAttributes attributes{};
  return drum && XGetWindowAttributes(display, window, &attributes) && attributes.width > 100;
}

// Waits for the main window to be mapped; false after `timeoutms`.
bool waitformap(Display* display, double timeoutms) {
  const double deadline = nowms() + timeoutms;
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && isdrumwindow(display, event.xmap.window)) return true;
    }
    const double left = deadline - nowms();
    if (left <= 0) return false;
    poll(&fd, 1, static_cast<int>(left) + 1);
  }
}

long residentkb(pid_t pid, const char* field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DRUM_EXECUTABLE [runs]\n", argv[0]);
    return 2;
  }
  const std::string drum = argv[1];
  const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
  const std::string folder = drum.substr(0, drum.find_last_of('/'));
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);

  std::vector<double> shown, rss, peak;
  for (int run = 0; run < runs; ++run) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* args[] = {const_cast<char*>(drum.c_str()), nullptr};
    pid_t pid = 0;
    const double start = nowms();
    if (posix_spawn(&pid, drum.c_str(), &actions, nullptr, args, environ) != 0) {
      std::perror("posix_spawn");
      return 1;
    }
    posix_spawn_file_actions_destroy(&actions);
    const bool mapped = waitformap(display, 20000);
    const double took = nowms() - start;
    if (!mapped) {
      std::fprintf(stderr, "run %d: no window within 20 s\n", run + 1);
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return 1;
    }
    // Settled: painted, idle, waiting for a key.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const long resident = residentkb(pid, "VmRSS:");
    const long highest = residentkb(pid, "VmHWM:");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::printf("run %2d: window shown after %6.1f ms, resident %6.1f MB (peak %6.1f MB)\n", run + 1, took,
                resident / 1024.0, highest / 1024.0);
    shown.push_back(took);
    rss.push_back(resident / 1024.0);
    peak.push_back(highest / 1024.0);
  }
  std::printf("\nprocess start to main window shown: median %.1f ms, first run %.1f ms, slowest %.1f ms (goal: median <= 300 ms)\n",
              median(shown), shown.front(), *std::max_element(shown.begin(), shown.end()));
  std::printf("resident memory after start-up: median %.1f MB, largest %.1f MB, peak during start-up %.1f MB (goal: <= 80 MB)\n",
              median(rss), *std::max_element(rss.begin(), rss.end()), *std::max_element(peak.begin(), peak.end()));
  XCloseDisplay(display);
  return 0;
}
