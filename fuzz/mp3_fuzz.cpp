// Arbitrary bytes through the stream scanner, every start percentage, and the decoder, as the
// playback service uses them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/audio/decoder.h"
#include "platform/audio/mp3_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  audio::MemorySource source(bytes);
  auto layout = audio::ScanStream(source);
  uint64_t from = 0;
  if (layout) {
    for (int p : {-1, 0, 1, 37, 50, 99, 100, 101}) {
      audio::StartPoint start = audio::StartAt(source, *layout, p);
      if (start.offset > size) __builtin_trap();
      if (p == 37) from = start.offset;
    }
  }
  audio::Decoder decoder;
  // Fed in uneven pieces, as reads from a file arrive.
  for (size_t at = from; at < size;) {
    size_t n = std::min<size_t>(size - at, 1 + (at % 4093));
    decoder.Feed(data + at, n);
    at += n;
    const uint8_t* samples = nullptr;
    size_t out = 0;
    while (decoder.NextFrame(&samples, &out) == audio::Decoder::Result::kFrame) {
      volatile uint8_t touch = samples[out - 1];
      (void)touch;
    }
  }
  return 0;
}
