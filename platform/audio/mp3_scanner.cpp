#include "platform/audio/mp3_scanner.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace audio {
namespace {

constexpr uint64_t kSearchWindow = 1 << 20;  // how far past the tags the first frame may lie
constexpr size_t kId3v1Size = 128;
constexpr size_t kSearchPiece = 16 * 1024;

// Kilobits per second by [MPEG 1 or not][layer - 1][index].
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};
constexpr int kSampleRates[3] = {44100, 48000, 32000};

uint32_t BigEndian32(const uint8_t* b) {
  return static_cast<uint32_t>(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sample_rate == b.sample_rate;
}

std::optional<FrameHeader> HeaderAt(const ByteSource& source, uint64_t offset) {
  uint8_t bytes[4];
  if (source.Read(offset, bytes, 4) != 4) return std::nullopt;
  return ParseFrameHeader(bytes);
}

// Size of the ID3v2 tags at the start, footers included; 0 when there is none.
uint64_t Id3v2Size(const ByteSource& source) {
  uint64_t at = 0;
  uint8_t h[10];
  while (source.Read(at, h, 10) == 10 && std::memcmp(h, "ID3", 3) == 0 && h[3] != 0xFF && h[4] != 0xFF &&
         (h[6] | h[7] | h[8] | h[9]) < 0x80) {
    uint64_t size = (uint64_t{h[6]} << 21) | (h[7] << 14) | (h[8] << 7) | h[9];
    at += 10 + size + ((h[5] & 0x10) ? 10 : 0);
  }
  return std::min(at, source.Size());
}

void ReadXing(const ByteSource& source, const FrameHeader& header, StreamLayout& layout) {
  bool mono = header.channels == 1;
  uint64_t side = header.version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
  uint64_t at = layout.first_frame + 4 + side;
  uint8_t tag[8];
  if (header.layer != 3 || source.Read(at, tag, 8) != 8) return;
  if (std::memcmp(tag, "Xing", 4) != 0 && std::memcmp(tag, "Info", 4) != 0) return;
  layout.xing = true;
  uint32_t flags = BigEndian32(tag + 4);
  at += 8;
  uint8_t field[4];
  if (flags & 1) {
    if (source.Read(at, field, 4) != 4) return;
    layout.xing_frames = BigEndian32(field);
    at += 4;
  }
  if (flags & 2) at += 4;  // the byte count; the file's own size is used instead
  if (flags & 4) {
    std::array<uint8_t, 100> toc;
    if (source.Read(at, toc.data(), toc.size()) == toc.size()) layout.toc = toc;
  }
}

}  // namespace

size_t MemorySource::Read(uint64_t offset, uint8_t* into, size_t length) const {
  if (offset >= bytes_.size()) return 0;
  size_t n = static_cast<size_t>(std::min<uint64_t>(length, bytes_.size() - offset));
  std::memcpy(into, bytes_.data() + offset, n);
  return n;
}

std::optional<FrameHeader> ParseFrameHeader(const uint8_t b[4]) {
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return std::nullopt;
  int version_bits = (b[1] >> 3) & 3, layer_bits = (b[1] >> 1) & 3;
  int bitrate_index = b[2] >> 4, rate_index = (b[2] >> 2) & 3;
  if (version_bits == 1 || layer_bits == 0 || bitrate_index == 0 || bitrate_index == 15 || rate_index == 3 ||
      (b[3] & 3) == 2)
    return std::nullopt;
  FrameHeader h;
  h.version = version_bits == 3 ? 1 : (version_bits == 2 ? 2 : 25);
  h.layer = 4 - layer_bits;
  h.bitrate = kBitrates[h.version == 1 ? 0 : 1][h.layer - 1][bitrate_index] * 1000;
  h.sample_rate = kSampleRates[rate_index] / (h.version == 1 ? 1 : (h.version == 2 ? 2 : 4));
  h.padding = (b[2] >> 1) & 1;
  h.channels = (b[3] >> 6) == 3 ? 1 : 2;
  if (h.layer == 1) {
    h.size = (12 * h.bitrate / h.sample_rate + h.padding) * 4;
  } else {
    int per_frame = (h.layer == 3 && h.version != 1) ? 72 : 144;
    h.size = per_frame * h.bitrate / h.sample_rate + h.padding;
  }
  return h;
}

std::optional<StreamLayout> ScanStream(const ByteSource& source) {
  StreamLayout layout;
  uint64_t size = source.Size();
  layout.audio_end = size;
  uint8_t tag[3];
  if (size >= kId3v1Size && source.Read(size - kId3v1Size, tag, 3) == 3 && std::memcmp(tag, "TAG", 3) == 0)
    layout.audio_end = size - kId3v1Size;
  uint64_t start = Id3v2Size(source);
  if (start >= layout.audio_end) return std::nullopt;

  // A candidate counts only when the next frame's header agrees with it, or the candidate
  // ends the audio exactly: stray sync bytes in tags or data are not frames.
  uint64_t limit = std::min(layout.audio_end, start + kSearchWindow);
  // Read in pieces: the first frame nearly always lies at once after the tags, and a song
  // starts sooner when only that much of it is read.
  std::vector<uint8_t> piece(kSearchPiece + 3);
  for (uint64_t base = start; base < limit; base += kSearchPiece) {
    size_t length = static_cast<size_t>(std::min<uint64_t>(kSearchPiece, limit - base));
    size_t got = source.Read(base, piece.data(), length + 3);
    for (size_t i = 0; i < length && i + 4 <= got; ++i) {
      if (piece[i] != 0xFF) continue;
      auto header = ParseFrameHeader(&piece[i]);
      if (!header) continue;
      uint64_t at = base + i, next = at + header->size;
      if (next > layout.audio_end) continue;
      if (next != layout.audio_end) {
        auto following = HeaderAt(source, next);
        if (!following || !SameStream(*header, *following)) continue;
      }
      layout.first_frame = at;
      layout.first_frame_size = header->size;
      ReadXing(source, *header, layout);
      uint64_t by_size = layout.Size() / layout.first_frame_size;
      bool counted = layout.xing_frames && *layout.xing_frames > 0;
      layout.total_frames = std::max<uint64_t>(1, counted ? *layout.xing_frames : by_size);
      return layout;
    }
  }
  return std::nullopt;
}

namespace {
// The first frame header at or after `offset` within one frame's length whose next frame agrees;
// `offset` itself when there is none.
uint64_t NextFrameStart(const ByteSource& source, const StreamLayout& layout, uint64_t offset) {
  constexpr size_t kLongestFrame = 2881;  // layer II at 384 kbit/s and 8 kHz would be longer; rare
  uint8_t bytes[kLongestFrame + 4];
  size_t got = source.Read(offset, bytes, sizeof bytes);
  for (size_t i = 0; i + 4 <= got; ++i) {
    auto header = ParseFrameHeader(&bytes[i]);
    if (!header) continue;
    uint64_t next = offset + i + header->size;
    auto following = next < layout.audio_end ? HeaderAt(source, next) : std::nullopt;
    if (next == layout.audio_end || (following && SameStream(*header, *following))) return offset + i;
  }
  return offset;
}
}  // namespace

StartPoint StartAt(const ByteSource& source, const StreamLayout& layout, int percent) {
  uint64_t p = static_cast<uint64_t>(std::clamp(percent, 0, 100));
  uint64_t size = layout.Size();
  if (p == 0) return {layout.first_frame, 0};
  if (p == 100) return {layout.audio_end, layout.total_frames};
  uint64_t offset, counted;
  if (layout.toc) {
    // (T[a] + (T[a+1] - T[a]) × (p - a)) with a = p below 100: the entry itself, out of 256.
    uint64_t position = (*layout.toc)[p];
    offset = layout.first_frame + std::min(size, position * size / 256);
    counted = p * layout.total_frames / 100;
  } else {
    counted = p * size / layout.first_frame_size / 100;
    offset = std::min(layout.audio_end, layout.first_frame + counted * layout.first_frame_size);
  }
  return {NextFrameStart(source, layout, offset), counted};
}

}  // namespace audio
