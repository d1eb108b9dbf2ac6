#include "platform/audio/pulse_connection.h"

namespace audio {
namespace {

void Wake(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* userdata) {
  pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

void ContextChanged(pa_context*, void* userdata) {
  pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

}  // namespace

PulseConnection& PulseConnection::Instance() {
  static auto* connection = new PulseConnection;  // lives until the process ends
  return *connection;
}

void PulseConnection::Lock() {
  pa_threaded_mainloop* loop;
  {
    // The first user may be the user-interface thread (the mixer) or a playback thread.
    std::lock_guard<std::mutex> making(making_);
    if (!loop_) {
      loop_ = pa_threaded_mainloop_new();
      pa_threaded_mainloop_start(loop_);
    }
    loop = loop_;
  }
  pa_threaded_mainloop_lock(loop);
}

void PulseConnection::Unlock() { pa_threaded_mainloop_unlock(loop_); }

void PulseConnection::Signal() { pa_threaded_mainloop_signal(loop_, 0); }

bool PulseConnection::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  if (done()) return true;
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
  struct timeval deadline;
  pa_timeval_add(pa_gettimeofday(&deadline), static_cast<pa_usec_t>(limit.count()) * 1000);
  pa_time_event* alarm = api->time_new(api, &deadline, Wake, loop_);
  pa_usec_t end = pa_timeval_load(&deadline);
  struct timeval now;
  while (!done() && pa_timeval_load(pa_gettimeofday(&now)) < end) pa_threaded_mainloop_wait(loop_);
  api->time_free(alarm);
  return done();
}

pa_context* PulseConnection::Context(std::chrono::milliseconds limit) {
  if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) return context_;
  Disconnect();
  pa_proplist* properties = pa_proplist_new();
  pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "TazmelMP3播放器");
  pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "tazmel-mp3");
  context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "TazmelMP3播放器", properties);
  pa_proplist_free(properties);
  if (!context_) return nullptr;
  pa_context_set_state_callback(context_, ContextChanged, loop_);
  // Never start a server of our own: no server means silence.
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    Disconnect();
    return nullptr;
  }
  bool settled = WaitUntil(
      [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) ||
                      pa_context_get_state(context_) == PA_CONTEXT_READY; },
      limit);
  if (!settled || pa_context_get_state(context_) != PA_CONTEXT_READY) {
    Disconnect();
    return nullptr;
  }
  return context_;
}

void PulseConnection::Disconnect() {
  if (!context_) return;
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
}

void PulseConnection::Close() {
  std::lock_guard<std::mutex> making(making_);
  if (!loop_) return;
  pa_threaded_mainloop_lock(loop_);
  Disconnect();
  pa_threaded_mainloop_unlock(loop_);
  pa_threaded_mainloop_stop(loop_);
  pa_threaded_mainloop_free(loop_);
  loop_ = nullptr;
}

}  // namespace audio
