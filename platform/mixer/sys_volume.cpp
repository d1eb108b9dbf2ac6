#include "platform/mixer/sys_volume.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "platform/audio/pulse_connection.h"

namespace {

using audio::PulseConnection;
using audio::PulseLock;
using Clock = std::chrono::steady_clock;

constexpr auto kConnectLimit = std::chrono::milliseconds(300);
constexpr auto kAnswerLimit = std::chrono::milliseconds(250);
// After the server could not be reached, a drag does not wait for it at every step.
constexpr auto kRetryAfter = std::chrono::seconds(2);

Clock::time_point unreachable_since{};  // user-interface thread only
bool unreachable = false;

// The default sink as the server describes it.
struct SinkState {
  bool found = false;
  uint32_t index = 0;
  pa_cvolume volume{};
  bool muted = false;
};

pa_context* Server() {
  if (unreachable && Clock::now() - unreachable_since < kRetryAfter) return nullptr;
  pa_context* context = PulseConnection::Instance().Context(kConnectLimit);
  unreachable = context == nullptr;
  if (unreachable) unreachable_since = Clock::now();
  return context;
}

// Runs an operation and waits, bounded, until it is done; false if it never finished. A server
// that does not answer in time counts as gone for a while, so that a drag does not wait on it.
bool Finish(pa_operation* operation) {
  if (!operation) return false;
  bool done = PulseConnection::Instance().WaitUntil(
      [operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; }, kAnswerLimit);
  if (!done) {
    pa_operation_cancel(operation);
    unreachable = true;
    unreachable_since = Clock::now();
  }
  pa_operation_unref(operation);
  return done;
}

void GotSink(pa_context*, const pa_sink_info* info, int eol, void* userdata) {
  auto* sink = static_cast<SinkState*>(userdata);
  if (eol == 0 && info) {
    sink->found = true;
    sink->index = info->index;
    sink->volume = info->volume;
    sink->muted = info->mute != 0;
  }
  PulseConnection::Instance().Signal();
}

void GotServer(pa_context*, const pa_server_info* info, void* userdata) {
  if (info && info->default_sink_name) *static_cast<std::string*>(userdata) = info->default_sink_name;
  PulseConnection::Instance().Signal();
}

void Succeeded(pa_context*, int success, void* userdata) {
  *static_cast<bool*>(userdata) = success != 0;
  PulseConnection::Instance().Signal();
}

SinkState DefaultSink(pa_context* context) {
  std::string name;
  SinkState sink;
  if (Finish(pa_context_get_server_info(context, GotServer, &name)) && !name.empty())
    Finish(pa_context_get_sink_info_by_name(context, name.c_str(), GotSink, &sink));
  return sink;
}

SinkState SinkByIndex(pa_context* context, uint32_t index) {
  SinkState sink;
  Finish(pa_context_get_sink_info_by_index(context, index, GotSink, &sink));
  return sink;
}

}  // namespace

int SysVolume::OpenLine(int selector) {
  CloseLine(2);
  if (selector != 4) return 0;
  PulseLock lock;
  pa_context* context = Server();
  if (!context) return 0;
  SinkState sink = DefaultSink(context);
  if (!sink.found) return 0;
  sink_ = sink.index;
  volume_open_ = mute_open_ = true;
  max_volume_ = PA_VOLUME_NORM;
  return 1;
}

int SysVolume::CloseLine(int which) {
  if (which != 1) volume_open_ = false;
  if (which != 0) mute_open_ = false;
  return 1;
}

int SysVolume::GetMute() {
  if (!mute_open_) return -1;
  PulseLock lock;
  pa_context* context = Server();
  if (!context) return -1;
  SinkState sink = SinkByIndex(context, sink_);
  return sink.found ? (sink.muted ? 1 : 0) : -1;
}

int SysVolume::SetMute(int value) {
  if (!mute_open_) return 0;
  PulseLock lock;
  pa_context* context = Server();
  bool success = false;
  return context && Finish(pa_context_set_sink_mute_by_index(context, sink_, value ? 1 : 0, Succeeded, &success)) &&
                 success
             ? 1
             : 0;
}

int SysVolume::SetVolume(uint32_t left, uint32_t right) {
  if (!volume_open_) return 0;
  PulseLock lock;
  pa_context* context = Server();
  if (!context) return 0;
  SinkState sink = SinkByIndex(context, sink_);
  if (!sink.found || sink.volume.channels == 0) return 0;
  pa_cvolume volume = sink.volume;  // channels past the second keep their levels
  volume.values[0] = std::min<uint32_t>(left, PA_VOLUME_MAX);
  if (volume.channels > 1) volume.values[1] = std::min<uint32_t>(right, PA_VOLUME_MAX);
  bool success = false;
  return Finish(pa_context_set_sink_volume_by_index(context, sink_, &volume, Succeeded, &success)) && success ? 1 : 0;
}
