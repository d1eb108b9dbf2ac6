// One connection to the PulseAudio server (PipeWire serves it too), shared by every playback:
// a threaded main loop and a context, made on first use and made again after the server went
// away. Every wait on the server is bounded in time.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>
#include <mutex>

namespace audio {

class PulseConnection {
 public:
  static PulseConnection& Instance();

  // The main loop's lock; every call into libpulse is made while holding it.
  void Lock();
  void Unlock();
  // A ready context, connecting first if needed; nullptr when the server cannot be reached
  // within `limit`. Call with the lock held.
  pa_context* Context(std::chrono::milliseconds limit = std::chrono::milliseconds(1000));
  // Waits (lock held) until `done` holds or `limit` has passed; yields `done()`.
  bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  // Wakes every waiter (lock held).
  void Signal();
  // Disconnects and stops the main loop.
  void Close();

 private:
  PulseConnection() = default;
  void Disconnect();
  std::mutex making_;  // guards the making and the end of loop_
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
};

// Holds the main loop's lock for a scope.
struct PulseLock {
  PulseLock() { PulseConnection::Instance().Lock(); }
  ~PulseLock() { PulseConnection::Instance().Unlock(); }
  PulseLock(const PulseLock&) = delete;
  PulseLock& operator=(const PulseLock&) = delete;
};

}  // namespace audio
