// Starts a program once under the current X server and prints how long it took from the start
// of its process until a top-level window of its own (_NET_WM_PID) was mapped, and its resident
// memory a while after that; then ends it. Works for any program, ours or another player.
// Usage: window_clock SETTLE_MS PROGRAM [ARGS...]   Prints: "SHOWN_MS RSS_KB"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/x11_window_watch.h"

namespace {

bool OwnedBy(Display* display, Window window, pid_t pid) {
  Atom net_pid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  bool match = false;
  if (XGetWindowProperty(display, window, net_pid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) ==
          Success &&
      data) {
    match = items == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    XFree(data);
  }
  return match;
}

void End(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(50 * 1000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

int XErrorsIgnored(Display*, XErrorEvent*) { return 0; }  // a window may vanish while we look

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  int settle_ms = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  XSetErrorHandler(XErrorsIgnored);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);
  double start = bench::NowMs();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  double shown = -1;
  while (shown < 0 && bench::NowMs() - start < 20000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      auto owned = [&](Window w) { return OwnedBy(display, w, pid); };
      if (event.type == MapNotify && bench::HoldsWindow(display, event.xmap.window, owned)) shown = bench::NowMs() - start;
    }
    if (shown < 0) usleep(200);
  }
  usleep(settle_ms * 1000);
  long rss = bench::ResidentKb(pid);
  End(pid);
  XCloseDisplay(display);
  if (shown < 0) {
    std::fprintf(stderr, "%s: no window shown\n", argv[2]);
    return 1;
  }
  std::printf("%.1f %ld\n", shown, rss);
  return 0;
}
