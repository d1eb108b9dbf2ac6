#include "platform/audio/playback_service.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "platform/audio/audio_output.h"
#include "platform/audio/playback.h"
#include "platform/files/native_path.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/life_cycle.h"

namespace {

// User-interface thread only.
std::unique_ptr<audio::Playback>& Current() {
  static auto* current = new std::unique_ptr<audio::Playback>;
  return *current;
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
  if (path.empty()) return;
  int fd = OpenSong(path);
  if (fd < 0) return;  // stopped at once: no sound, no report
  toolkit::Label* label = &feedback;
  Current() = std::make_unique<audio::Playback>(fd, start, [label](int value) { label->PostFeedback(value, 0); });
}

void PausePlayback() {
  if (Current()) Current()->Pause();
}

void ResumePlayback() {
  if (Current()) Current()->Resume();
}

bool PlaybackEndedSilent() { return Current() && Current()->EndedSilent(); }
