// Starts the player again and again under the current X server and prints how long it takes
// from the process's start until its window is mapped on the screen, and its resident memory
// one second after that.  Usage: startup_bench PROGRAM [RUNS]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/x11_window_watch.h"

namespace {

const char kCaption[] = "欢迎使用Tazmelmp3播放器！";

bool Named(Display* display, Window window) {
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  bool match = false;
  if (XGetWindowProperty(display, window, net_name, 0, 256, False, utf8, &type, &format, &items, &after, &data) ==
          Success &&
      data) {
    match = std::string(reinterpret_cast<char*>(data), items) == kCaption;
    XFree(data);
  }
  return match;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [RUNS]\n", argv[0]);
    return 2;
  }
  int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  std::vector<double> shown_ms;
  std::vector<long> rss_kb;
  for (int run = 0; run < runs; ++run) {
    XSync(display, True);  // drop what earlier runs left
    double start = bench::NowMs();
    pid_t pid = fork();
    if (pid == 0) {
      execl(argv[1], argv[1], static_cast<char*>(nullptr));
      _exit(127);
    }
    double shown = -1;
    while (shown < 0 && bench::NowMs() - start < 10000) {
      while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        auto ours = [&](Window w) { return Named(display, w); };
        if (event.type == MapNotify && bench::HoldsWindow(display, event.xmap.window, ours))
          shown = bench::NowMs() - start;
      }
      if (shown < 0) usleep(200);
    }
    usleep(1000 * 1000);
    long rss = bench::ResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (shown < 0) {
      std::fprintf(stderr, "run %d: window never shown\n", run);
      return 1;
    }
    shown_ms.push_back(shown);
    rss_kb.push_back(rss);
  }
  std::sort(shown_ms.begin(), shown_ms.end());
  std::sort(rss_kb.begin(), rss_kb.end());
  std::printf("start to window shown: median %.1f ms, min %.1f ms, max %.1f ms (%d runs; target 150 ms)\n",
              shown_ms[shown_ms.size() / 2], shown_ms.front(), shown_ms.back(), runs);
  std::printf("resident memory 1 s after start: median %.1f MB, max %.1f MB (target 40 MB)\n",
              rss_kb[rss_kb.size() / 2] / 1024.0, rss_kb.back() / 1024.0);
  XCloseDisplay(display);
  return 0;
}
