// The playback service: at most one current playback, of one MP3 file, on threads of its own.
// Progress reports (0 to 99 while playing, 100 once when the sound has ended) are posted to the
// feedback label and arrive there as Feedback events on the user-interface thread.
#pragma once

#include <string_view>

namespace toolkit {
class Label;
}

// Ends the current playback completely (its sound stops, its thread is gone), then starts the
// file at `path` (the program's path form) from `start` percent, held within 0 to 100, and
// returns at once. An empty path starts nothing; a file that cannot be opened plays nothing and
// sends no report.
void PlayFile(std::string_view path, int start, toolkit::Label& feedback);
inline void PlayFile(std::string_view path, toolkit::Label& feedback) { PlayFile(path, 0, feedback); }

// Playing -> paused (the sound stops where it is); anything else is left alone.
void PausePlayback();
// Paused -> playing (the sound goes on from there); anything else is left alone.
void ResumePlayback();

// The current playback is over and made no sound at all (a file without decodable audio).
bool PlaybackEndedSilent();
