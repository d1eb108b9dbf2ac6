// Loaded into a player with LD_PRELOAD: every time the player hands the sound server sound after
// silence, the moment (CLOCK_MONOTONIC, ms) is appended to $TAZMEL_PROBE_FILE. The same probe
// sits in every player compared, so "first sample" means the same thing for all of them.
#include <dlfcn.h>
#include <fcntl.h>
#include <pulse/stream.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using WriteFunction = int (*)(pa_stream*, const void*, size_t, pa_free_cb_t, int64_t, pa_seek_mode_t);

std::atomic<bool> was_loud{false};

// Above the dither and rounding noise a player may add to digital silence.
bool Loud(pa_stream* stream, const void* data, size_t bytes) {
  const pa_sample_spec* sound_format = pa_stream_get_sample_spec(stream);
  switch (sound_format ? sound_format->format : PA_SAMPLE_INVALID) {
    case PA_SAMPLE_S16LE:
      for (size_t i = 0; i + 2 <= bytes; i += 2) {
        int16_t v;
        std::memcpy(&v, static_cast<const char*>(data) + i, 2);
        if (std::abs(v) > 100) return true;
      }
      return false;
    case PA_SAMPLE_S32LE:
      for (size_t i = 0; i + 4 <= bytes; i += 4) {
        int32_t v;
        std::memcpy(&v, static_cast<const char*>(data) + i, 4);
        if (std::abs(static_cast<long>(v)) > (100L << 16)) return true;
      }
      return false;
    case PA_SAMPLE_FLOAT32LE:
      for (size_t i = 0; i + 4 <= bytes; i += 4) {
        float v;
        std::memcpy(&v, static_cast<const char*>(data) + i, 4);
        if (std::fabs(v) > 100.0f / 32768) return true;
      }
      return false;
    default:
      for (size_t i = 0; i < bytes; ++i)
        if (static_cast<const unsigned char*>(data)[i] != 0) return true;
      return false;
  }
}

void Note() {
  const char* path = std::getenv("TAZMEL_PROBE_FILE");
  if (!path) return;
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  char line[64];
  int length = std::snprintf(line, sizeof line, "%.3f\n", t.tv_sec * 1e3 + t.tv_nsec / 1e6);
  int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  ssize_t written = write(fd, line, static_cast<size_t>(length));
  (void)written;
  close(fd);
}

}  // namespace

extern "C" int pa_stream_write(pa_stream* stream, const void* data, size_t bytes, pa_free_cb_t free_cb, int64_t offset,
                               pa_seek_mode_t seek) {
  static auto next = reinterpret_cast<WriteFunction>(dlsym(RTLD_NEXT, "pa_stream_write"));
  if (data && bytes) {
    bool loud = Loud(stream, data, bytes);
    if (loud && !was_loud.exchange(true)) Note();
    if (!loud) was_loud = false;
  }
  return next(stream, data, bytes, free_cb, offset, seek);
}
