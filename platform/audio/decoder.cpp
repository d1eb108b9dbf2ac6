#include "platform/audio/decoder.h"

#include <mpg123.h>

namespace audio {

struct Decoder::Handle {
  mpg123_handle* mh = nullptr;
  ~Handle() {
    if (mh) mpg123_delete(mh);
  }
};

Decoder::Decoder() : handle_(std::make_unique<Handle>()) { Open(); }
Decoder::~Decoder() = default;

void Decoder::Open() {
  if (handle_->mh) mpg123_delete(handle_->mh);
  int error = MPG123_OK;
  handle_->mh = mpg123_new(nullptr, &error);
  mpg123_handle* mh = handle_->mh;
  if (!mh) return;
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  // Playback may begin in the middle of a song: no encoder-delay trimming by frame numbers.
  mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
  mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0);
  mpg123_format_none(mh);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i) mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_open_feed(mh);
}

void Decoder::Feed(const uint8_t* bytes, size_t length) {
  if (handle_->mh && length > 0) mpg123_feed(handle_->mh, bytes, length);
}

Decoder::Result Decoder::NextFrame(const uint8_t** samples, size_t* bytes) {
  for (;;) {
    if (!handle_->mh) return Result::kNeedMore;
    off_t frame = 0;
    unsigned char* audio = nullptr;
    size_t size = 0;
    int rc = mpg123_decode_frame(handle_->mh, &frame, &audio, &size);
    if (rc == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      mpg123_getformat(handle_->mh, &rate, &channels, &encoding);
      format_ = {rate, channels};
      continue;
    }
    if (rc == MPG123_OK) {
      if (size == 0) continue;
      *samples = audio;
      *bytes = size;
      return Result::kFrame;
    }
    if (rc == MPG123_NEED_MORE || rc == MPG123_DONE) return Result::kNeedMore;
    // A hard error: start a fresh decoder; what is fed next resyncs on the next frame.
    Open();
    return Result::kNeedMore;
  }
}

}  // namespace audio
