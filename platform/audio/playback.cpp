#include "platform/audio/playback.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/audio/decoder.h"
#include "platform/audio/mp3_scanner.h"
#include "platform/audio/playback_timing.h"

namespace audio {
namespace {

class FileSource : public ByteSource {
 public:
  explicit FileSource(int fd) : fd_(fd) {
    struct stat info;
    size_ = fstat(fd, &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
  }
  uint64_t Size() const override { return size_; }
  size_t Read(uint64_t offset, uint8_t* into, size_t length) const override {
    size_t done = 0;
    while (done < length) {
      ssize_t n = pread(fd_, into + done, length - done, static_cast<off_t>(offset + done));
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    return done;
  }

 private:
  int fd_;
  uint64_t size_;
};

constexpr size_t kChunk = 16 * 1024;

}  // namespace

std::atomic<int64_t>& FirstWriteTime() {
  static std::atomic<int64_t> nanoseconds{-1};
  return nanoseconds;
}

Playback::Playback(int fd, int start, std::function<void(int)> report)
    : fd_(fd), start_(std::clamp(start, 0, 100)), report_(std::move(report)) {
  FirstWriteTime() = -1;
  thread_ = std::thread([this] { Run(); });
}

Playback::~Playback() {
  std::shared_ptr<AudioOutput> output;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    output = output_;
  }
  if (output) output->Stop();
  thread_.join();
  output_.reset();  // the stream goes with it
  close(fd_);
}

void Playback::Pause() {
  std::lock_guard lock(mutex_);
  if (state_ != State::kPlaying) return;
  state_ = State::kPaused;
  if (output_) output_->SetPaused(true);
}

void Playback::Resume() {
  std::lock_guard lock(mutex_);
  if (state_ != State::kPaused) return;
  state_ = State::kPlaying;
  if (output_) output_->SetPaused(false);
}

Playback::State Playback::CurrentState() {
  std::lock_guard lock(mutex_);
  return state_;
}

bool Playback::EndedSilent() {
  std::lock_guard lock(mutex_);
  return state_ == State::kStopped && !made_sound_;
}

void Playback::SetOutput(std::unique_ptr<AudioOutput> output) {
  std::shared_ptr<AudioOutput> old;
  std::lock_guard lock(mutex_);
  old = std::move(output_);
  output_ = std::move(output);
  if (output_ && state_ == State::kPaused) output_->SetPaused(true);
  if (output_ && stop_) output_->Stop();
}

bool Playback::Play(const uint8_t* samples, size_t bytes, PcmFormat format) {
  if (!output_ || !(format == format_)) {
    // A new song, or its rate or channels changed: what was written is heard out first.
    if (output_ && Finish() == false) return false;
    format_ = format;
    std::unique_ptr<AudioOutput> output = OpenServerOutput(format);
    SetOutput(output ? std::move(output) : OpenClockOutput(format));
  }
  for (;;) {
    std::shared_ptr<AudioOutput> output;
    {
      std::lock_guard lock(mutex_);
      output = output_;
    }
    switch (output->Write(samples, bytes)) {
      case AudioOutput::Outcome::kDone:
        if (!made_sound_) {
          std::lock_guard lock(mutex_);
          made_sound_ = true;
          FirstWriteTime() = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
        }
        return true;
      case AudioOutput::Outcome::kStopped:
        return false;
      case AudioOutput::Outcome::kFailed:
        // The server went away: the rest of the song goes on silently at real speed.
        SetOutput(OpenClockOutput(format_));
        break;
    }
  }
}

bool Playback::Finish() {
  for (;;) {
    std::shared_ptr<AudioOutput> output;
    {
      std::lock_guard lock(mutex_);
      output = output_;
    }
    if (!output) return true;
    switch (output->Drain()) {
      case AudioOutput::Outcome::kDone:
        return true;
      case AudioOutput::Outcome::kStopped:
        return false;
      case AudioOutput::Outcome::kFailed:
        SetOutput(nullptr);  // nothing more can be heard from a failed server
        return true;
    }
  }
}

void Playback::Run() {
  FileSource source(fd_);
  auto layout = ScanStream(source);
  auto stopped = [this] {
    std::lock_guard lock(mutex_);
    return stop_;
  };
  if (layout) {
    StartPoint start = StartAt(source, *layout, start_);
    uint64_t counted = start.frames_counted, offset = start.offset;
    Decoder decoder;
    std::vector<uint8_t> chunk(kChunk);
    int last = -1;
    for (;;) {
      int value = static_cast<int>(std::min<uint64_t>(99, counted * 100 / layout->total_frames));
      if (value != last) report_(value);
      last = value;
      const uint8_t* samples = nullptr;
      size_t bytes = 0;
      bool more = true;
      while (decoder.NextFrame(&samples, &bytes) == Decoder::Result::kNeedMore) {
        size_t n = offset < layout->audio_end
                       ? source.Read(offset, chunk.data(), std::min<uint64_t>(kChunk, layout->audio_end - offset))
                       : 0;
        if (n == 0 || stopped()) {
          more = false;
          break;
        }
        offset += n;
        decoder.Feed(chunk.data(), n);
      }
      if (!more) break;
      ++counted;
      if (!Play(samples, bytes, decoder.Format())) return;
    }
    if (stopped() || !Finish()) return;
  }
  // The song is over and heard out; a file without MPEG audio gets here at once.
  {
    std::lock_guard lock(mutex_);
    if (stop_) return;
    state_ = State::kStopped;
  }
  report_(100);
}

}  // namespace audio
