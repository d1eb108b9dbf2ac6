// Where decoded sound goes: the sound server, or a silent clock that plays at real speed when
// no server can be reached. Write and Drain block on the playback's own thread; SetPaused and
// Stop come from other threads and take effect at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/decoder.h"

namespace audio {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  enum class Outcome { kDone, kStopped, kFailed };
  // Blocks until every byte is taken (while paused nothing is taken), Stop() is called, or the
  // output fails (the server went away or hangs).
  virtual Outcome Write(const uint8_t* bytes, size_t length) = 0;
  // Blocks until what was written has been heard; while paused it waits.
  virtual Outcome Drain() = 0;
  virtual void SetPaused(bool paused) = 0;
  virtual void Stop() = 0;
};

// A stream on the sound server, or nothing when the server cannot be reached in time.
std::unique_ptr<AudioOutput> OpenServerOutput(PcmFormat format);
// Plays nothing, at real speed.
std::unique_ptr<AudioOutput> OpenClockOutput(PcmFormat format);

// Closes the connection to the sound server; the next OpenServerOutput connects again.
void CloseServerConnection();

}  // namespace audio
