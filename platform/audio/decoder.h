// MPEG audio decoding with libmpg123's feed interface: bytes go in as they are read, frames of
// 16-bit interleaved samples come out. Corrupt data is skipped; no input makes it fail for good.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace audio {

struct PcmFormat {
  long rate = 0;
  int channels = 0;
  bool operator==(const PcmFormat&) const = default;
};

class Decoder {
 public:
  Decoder();
  ~Decoder();
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  void Feed(const uint8_t* bytes, size_t length);

  enum class Result { kFrame, kNeedMore };
  // Decodes the next frame of what has been fed; on kFrame, `samples` and `bytes` describe its
  // output (valid until the next call) and Format() its rate and channels.
  Result NextFrame(const uint8_t** samples, size_t* bytes);
  PcmFormat Format() const { return format_; }

 private:
  void Open();
  struct Handle;
  std::unique_ptr<Handle> handle_;
  PcmFormat format_;
};

}  // namespace audio
