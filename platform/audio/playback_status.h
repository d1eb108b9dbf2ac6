// What the playback service is doing, for the platform's own observers (the desktop's media
// controls); the program itself only reads progress reports.
#pragma once

#include <functional>

enum class PlaybackStatus { kStopped, kPlaying, kPaused };

// User-interface thread.
PlaybackStatus CurrentPlaybackStatus();

// `changed` runs after the status may have changed: on the user-interface thread for a play,
// pause or continue, on a playback thread when a song ends. One watcher, set before the first
// play and kept to the end.
void WatchPlaybackStatus(std::function<void()> changed);
