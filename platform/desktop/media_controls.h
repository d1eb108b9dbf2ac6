// The desktop's media controls: media keys, the desktop's player applet and playerctl reach the
// program over the session bus (MPRIS 2) and run its handlers, like a click on a button would.
// Without a session bus nothing is offered and the program runs as before.
#pragma once

#include <functional>

namespace toolkit {
class TransLabel;
class Window;
}  // namespace toolkit

struct MediaControls {
  std::function<void()> play;      // Play; PlayPause while not playing
  std::function<void()> pause;     // Pause and Stop; PlayPause while playing
  std::function<void()> next;
  std::function<void()> previous;
  std::function<void()> raise;     // then the window is brought to the front
  std::function<void()> quit;
  const toolkit::TransLabel* title = nullptr;  // its text is the playing song's title
};

// Offers the controls for `window` until it is destroyed. Handlers run on the user-interface
// thread and not while event suppression is raised.
void OfferMediaControls(toolkit::Window& window, MediaControls controls);
