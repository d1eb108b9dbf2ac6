// Reads the layout of an MP3 stream without decoding it: where the first audio frame starts
// (after an ID3v2 tag), where the audio ends (before an ID3v1 tag), the first frame's size, a
// Xing/Info header with its frame count and table of contents, and from those the song's total
// number of frames and the byte where a start percentage begins. Every read is bounds-checked.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace audio {

// Random access to the bytes of a stream (a file, or memory in tests).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies up to `length` bytes from `offset`; yields how many were copied.
  virtual size_t Read(uint64_t offset, uint8_t* into, size_t length) const = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  size_t Read(uint64_t offset, uint8_t* into, size_t length) const override;

 private:
  std::string_view bytes_;
};

struct FrameHeader {
  int version = 0;  // 1 MPEG 1, 2 MPEG 2, 25 MPEG 2.5
  int layer = 0;    // 1 to 3
  int bitrate = 0;  // bits per second
  int sample_rate = 0;
  int channels = 0;
  bool padding = false;
  uint32_t size = 0;  // bytes, header included
};

// The header that these four bytes start, if they form a valid one (free bitrate not taken).
std::optional<FrameHeader> ParseFrameHeader(const uint8_t bytes[4]);

struct StreamLayout {
  uint64_t first_frame = 0;  // offset of the first audio frame (a Xing/Info frame counts)
  uint64_t audio_end = 0;    // the stream's size less a trailing 128-byte ID3v1 tag
  uint32_t first_frame_size = 0;
  bool xing = false;  // a Xing or Info header in the first frame
  std::optional<uint32_t> xing_frames;
  std::optional<std::array<uint8_t, 100>> toc;
  uint64_t total_frames = 0;  // at least 1

  // S: the audio's size in bytes, tags left out.
  uint64_t Size() const { return audio_end - first_frame; }
};

// The layout, or nothing when the stream holds no MPEG audio frame.
std::optional<StreamLayout> ScanStream(const ByteSource& source);

struct StartPoint {
  uint64_t offset = 0;          // where decoding begins
  uint64_t frames_counted = 0;  // frames that count as played already, for the reports
};

// Where a start of `percent` (held within 0 to 100) begins: the table of contents where there
// is one, else whole frames of the first frame's size, moved on to the next frame header found
// within a frame's length. 100 is the end of the audio.
StartPoint StartAt(const ByteSource& source, const StreamLayout& layout, int percent);

}  // namespace audio
