// What the start-up benchmarks share: a millisecond clock, a process's resident memory, and
// whether a window that was just mapped is, or frames, the window being waited for.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>
#include <time.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace bench {

inline double NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// The window matches, or holds a match a few levels down (window managers reparent clients
// into frames, and the frame is what gets mapped last).
inline bool HoldsWindow(Display* display, Window window, const std::function<bool(Window)>& matches, int depth = 0) {
  if (matches(window)) return true;
  if (depth > 3) return false;
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) found = HoldsWindow(display, children[i], matches, depth + 1);
  if (children) XFree(children);
  return found;
}

}  // namespace bench
