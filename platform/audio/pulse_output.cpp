// A playback stream on the sound server. Pausing corks it; a server that goes away or stops
// taking sound makes Write and Drain report a failure instead of blocking.
#include <atomic>

#include "platform/audio/audio_output.h"
#include "platform/audio/pulse_connection.h"

namespace audio {
namespace {

constexpr auto kReadyLimit = std::chrono::milliseconds(1000);
constexpr auto kStallLimit = std::chrono::milliseconds(3000);  // an uncorked stream taking nothing
constexpr auto kTick = std::chrono::milliseconds(100);
constexpr pa_usec_t kLatency = 200 * 1000;  // microseconds of sound buffered ahead
constexpr pa_usec_t kStartAfter = 50 * 1000;  // sound starts once this much is buffered
constexpr pa_usec_t kRequest = 50 * 1000;     // the server asks for sound in pieces this long

void StreamChanged(pa_stream*, void*) { PulseConnection::Instance().Signal(); }

// Leaves the server and drops what is buffered: the sound stops here. Lock held.
void CloseStream(pa_stream* stream) {
  pa_stream_set_state_callback(stream, nullptr, nullptr);
  pa_stream_set_write_callback(stream, nullptr, nullptr);
  pa_stream_disconnect(stream);
  pa_stream_unref(stream);
}
void StreamWritable(pa_stream*, size_t, void*) { PulseConnection::Instance().Signal(); }
void Drained(pa_stream*, int, void* flag) {
  *static_cast<bool*>(flag) = true;
  PulseConnection::Instance().Signal();
}

class PulseOutput : public AudioOutput {
 public:
  explicit PulseOutput(pa_stream* stream) : stream_(stream) {}

  ~PulseOutput() override {
    PulseLock lock;
    CloseStream(stream_);
  }

  Outcome Write(const uint8_t* bytes, size_t length) override {
    PulseLock lock;
    auto& server = PulseConnection::Instance();
    auto waited = std::chrono::milliseconds(0);
    while (length > 0) {
      if (stopped_) return Outcome::kStopped;
      if (pa_stream_get_state(stream_) != PA_STREAM_READY) return Outcome::kFailed;
      size_t room = pa_stream_writable_size(stream_);
      if (room == static_cast<size_t>(-1)) return Outcome::kFailed;
      if (room == 0) {
        server.WaitUntil([&] { return stopped_ || pa_stream_writable_size(stream_) != 0 ||
                                      pa_stream_get_state(stream_) != PA_STREAM_READY; },
                         kTick);
        waited = paused_ ? std::chrono::milliseconds(0) : waited + kTick;
        if (waited >= kStallLimit) return Outcome::kFailed;
        continue;
      }
      waited = std::chrono::milliseconds(0);
      size_t n = std::min(room, length);
      if (pa_stream_write(stream_, bytes, n, nullptr, 0, PA_SEEK_RELATIVE) < 0) return Outcome::kFailed;
      bytes += n;
      length -= n;
    }
    return Outcome::kDone;
  }

  Outcome Drain() override {
    PulseLock lock;
    auto& server = PulseConnection::Instance();
    bool drained = false;
    pa_operation* operation = pa_stream_drain(stream_, Drained, &drained);
    if (!operation) return Outcome::kFailed;
    auto waited = std::chrono::milliseconds(0);
    Outcome outcome = Outcome::kDone;
    while (!drained) {
      if (stopped_) {
        outcome = Outcome::kStopped;
        break;
      }
      if (pa_stream_get_state(stream_) != PA_STREAM_READY || waited >= kStallLimit) {
        outcome = Outcome::kFailed;
        break;
      }
      server.WaitUntil([&] { return drained || stopped_; }, kTick);
      waited = paused_ ? std::chrono::milliseconds(0) : waited + kTick;
    }
    // The callback must not outlive `drained`.
    pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return outcome;
  }

  void SetPaused(bool paused) override {
    PulseLock lock;
    paused_ = paused;
    if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
      if (pa_operation* op = pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr)) pa_operation_unref(op);
    }
    PulseConnection::Instance().Signal();
  }

  void Stop() override {
    PulseLock lock;
    stopped_ = true;
    PulseConnection::Instance().Signal();
  }

 private:
  pa_stream* stream_;
  bool paused_ = false, stopped_ = false;  // under the main loop's lock
};

}  // namespace

std::unique_ptr<AudioOutput> OpenServerOutput(PcmFormat format) {
  if (format.rate <= 0 || format.channels < 1 || format.channels > 2) return nullptr;
  auto& server = PulseConnection::Instance();
  PulseLock lock;
  pa_context* context = server.Context();
  if (!context) return nullptr;
  pa_sample_spec sample_format{PA_SAMPLE_S16LE, static_cast<uint32_t>(format.rate), static_cast<uint8_t>(format.channels)};
  pa_stream* stream = pa_stream_new(context, "歌曲", &sample_format, nullptr);
  if (!stream) return nullptr;
  pa_stream_set_state_callback(stream, StreamChanged, nullptr);
  pa_stream_set_write_callback(stream, StreamWritable, nullptr);
  pa_buffer_attr buffer{static_cast<uint32_t>(-1), static_cast<uint32_t>(pa_usec_to_bytes(kLatency, &sample_format)),
                        static_cast<uint32_t>(pa_usec_to_bytes(kStartAfter, &sample_format)),
                        static_cast<uint32_t>(pa_usec_to_bytes(kRequest, &sample_format)), static_cast<uint32_t>(-1)};
  auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
  bool ready = pa_stream_connect_playback(stream, nullptr, &buffer, flags, nullptr, nullptr) == 0 &&
               server.WaitUntil([stream] { return pa_stream_get_state(stream) != PA_STREAM_CREATING; },
                                kReadyLimit) &&
               pa_stream_get_state(stream) == PA_STREAM_READY;
  if (!ready) {
    CloseStream(stream);
    return nullptr;
  }
  return std::make_unique<PulseOutput>(stream);
}

void CloseServerConnection() { PulseConnection::Instance().Close(); }

}  // namespace audio
