#include "platform/audio/playback_service.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "platform/audio/audio_output.h"
#include "platform/audio/playback.h"
#include "platform/audio/playback_status.h"
#include "platform/files/native_path.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/life_cycle.h"

namespace {

// User-interface thread only.
std::unique_ptr<audio::Playback>& Current() {
  static auto* current = new std::unique_ptr<audio::Playback>;
  return *current;
}

// Set once before any playback exists and kept to the end, so playback threads read it without
// a lock.
std::function<void()>& StatusWatcher() {
  static auto* watcher = new std::function<void()>;
  return *watcher;
}

void StatusMayHaveChanged() {
  if (StatusWatcher()) StatusWatcher()();
}

void EndService() {
  Current().reset();
  audio::CloseServerConnection();
}

// The file's exact bytes on disk; a folder or anything else that is no regular file is refused.
int OpenSong(std::string_view path) {
  int fd = open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

void PlayFile(std::string_view path, int start, toolkit::Label& feedback) {
  static bool registered = [] {
    AtPlatformEnd(EndService);
    return true;
  }();
  (void)registered;
  Current().reset();
  // A path that cannot be opened leaves the service stopped at once: no sound, no report.
  int fd = path.empty() ? -1 : OpenSong(path);
  if (fd >= 0) {
    toolkit::Label* label = &feedback;
    Current() = std::make_unique<audio::Playback>(fd, start, [label](int value) {
      label->PostFeedback(value, 0);
      if (value == 100) StatusMayHaveChanged();  // the song is over
    });
  }
  StatusMayHaveChanged();
}

void PausePlayback() {
  if (Current()) Current()->Pause();
  StatusMayHaveChanged();
}

void ResumePlayback() {
  if (Current()) Current()->Resume();
  StatusMayHaveChanged();
}

PlaybackStatus CurrentPlaybackStatus() {
  if (!Current()) return PlaybackStatus::kStopped;
  switch (Current()->CurrentState()) {
    case audio::Playback::State::kPlaying:
      return PlaybackStatus::kPlaying;
    case audio::Playback::State::kPaused:
      return PlaybackStatus::kPaused;
    case audio::Playback::State::kStopped:
      break;
  }
  return PlaybackStatus::kStopped;
}

void WatchPlaybackStatus(std::function<void()> changed) { StatusWatcher() = std::move(changed); }

bool PlaybackEndedSilent() { return Current() && Current()->EndedSilent(); }
