// The silent output: keeps time as a sound card would, with a buffer of the same length as the
// server's, so that progress reports and the end of a song come at their real moments.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/audio/audio_output.h"

namespace audio {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kBuffer = std::chrono::milliseconds(200);  // written ahead of what is "heard"

class ClockOutput : public AudioOutput {
 public:
  explicit ClockOutput(PcmFormat format)
      : bytes_per_second_(static_cast<double>(format.rate) * std::max(1, format.channels) * 2) {}

  Outcome Write(const uint8_t*, size_t length) override {
    std::unique_lock lock(mutex_);
    written_ += std::chrono::duration<double>(length / bytes_per_second_);
    return WaitUntilHeard(lock, kBuffer);
  }

  Outcome Drain() override {
    std::unique_lock lock(mutex_);
    return WaitUntilHeard(lock, std::chrono::duration<double>(0));
  }

  void SetPaused(bool paused) override {
    std::lock_guard lock(mutex_);
    Advance();
    paused_ = paused;
    changed_.notify_all();
  }

  void Stop() override {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  // Time heard moves on only while not paused.
  void Advance() {
    auto now = Clock::now();
    if (!paused_) heard_ += now - last_;
    last_ = now;
  }

  Outcome WaitUntilHeard(std::unique_lock<std::mutex>& lock, std::chrono::duration<double> ahead) {
    for (;;) {
      if (stopped_) return Outcome::kStopped;
      Advance();
      auto behind = written_ - ahead - heard_;
      if (behind <= std::chrono::duration<double>(0)) return Outcome::kDone;
      if (paused_)
        changed_.wait(lock);
      else
        changed_.wait_for(lock, behind);
    }
  }

  const double bytes_per_second_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::duration<double> written_{0}, heard_{0};
  Clock::time_point last_ = Clock::now();
  bool paused_ = false, stopped_ = false;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenClockOutput(PcmFormat format) { return std::make_unique<ClockOutput>(format); }

}  // namespace audio
