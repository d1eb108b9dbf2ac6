// One playback of one file on a thread of its own: scan, decode, play, report. Reports go
// through `report` from that thread; it never calls into the program.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/audio/audio_output.h"

namespace audio {

class Playback {
 public:
  enum class State { kPlaying, kPaused, kStopped };
  // Takes the open file `fd`; starts playing at once from `start` percent (0 to 100).
  Playback(int fd, int start, std::function<void(int)> report);
  // Ends the playback: its sound stops and its thread is gone; no 100 is sent.
  ~Playback();
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  void Pause();   // playing -> paused
  void Resume();  // paused -> playing
  State CurrentState();
  // The song is over and not one frame of it could be decoded and played.
  bool EndedSilent();

 private:
  void Run();
  // Writes decoded sound to the current output, falling back to the silent clock for the rest
  // of the song if the server fails. false: the playback was ended.
  bool Play(const uint8_t* samples, size_t bytes, PcmFormat format);
  bool Finish();
  void SetOutput(std::unique_ptr<AudioOutput> output);

  const int fd_;
  const int start_;
  const std::function<void(int)> report_;
  std::mutex mutex_;  // guards state_, stop_, output_ and made_sound_
  State state_ = State::kPlaying;
  bool stop_ = false;
  std::shared_ptr<AudioOutput> output_;
  PcmFormat format_;
  bool made_sound_ = false;  // some decoded sound was written
  std::thread thread_;
};

}  // namespace audio
