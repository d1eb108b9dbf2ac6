#include "platform/toolkit/icon_file.h"

#include <cstring>

namespace toolkit {
namespace {

uint32_t U16(std::string_view b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}
uint32_t U32(std::string_view b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

constexpr size_t kHeaderSize = 6, kEntrySize = 16, kBitmapHeaderSize = 40;
constexpr int kLargestSide = 1024;  // more than any icon needs; bounds the memory a file asks for

QImage ReadBitmap(std::string_view data) {
  if (data.size() < kBitmapHeaderSize || U32(data, 0) < kBitmapHeaderSize) return {};
  size_t header = U32(data, 0);
  int width = static_cast<int32_t>(U32(data, 4));
  int height2 = static_cast<int32_t>(U32(data, 8));
  int bits = static_cast<int>(U16(data, 14));
  uint32_t compression = U32(data, 16);
  uint32_t used_colours = U32(data, 32);
  if (compression != 0 || width <= 0 || height2 <= 0 || height2 % 2 != 0) return {};
  int height = height2 / 2;
  if (width > kLargestSide || height > kLargestSide) return {};
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};

  size_t palette_count = bits <= 8 ? (used_colours ? used_colours : 1u << bits) : 0;
  if (palette_count > 256) return {};
  size_t palette_at = header;
  size_t pixels_at = palette_at + palette_count * 4;
  size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  size_t mask_row = ((static_cast<size_t>(width) + 31) / 32) * 4;
  size_t mask_at = pixels_at + row * height;
  if (header > data.size() || mask_at > data.size()) return {};
  bool has_mask = mask_at + mask_row * height <= data.size();

  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return {};
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    const auto* src = reinterpret_cast<const uint8_t*>(data.data() + pixels_at + row * (height - 1 - y));
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb pixel;
      if (bits == 32) {
        pixel = qRgba(src[x * 4 + 2], src[x * 4 + 1], src[x * 4], src[x * 4 + 3]);
        any_alpha |= src[x * 4 + 3] != 0;
      } else if (bits == 24) {
        pixel = qRgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
      } else {
        int per_byte = 8 / bits;
        int index = (src[x / per_byte] >> ((per_byte - 1 - x % per_byte) * bits)) & ((1 << bits) - 1);
        if (static_cast<size_t>(index) >= palette_count) index = 0;
        const auto* entry = reinterpret_cast<const uint8_t*>(data.data() + palette_at + index * 4);
        pixel = qRgb(entry[2], entry[1], entry[0]);
      }
      dst[x] = pixel;
    }
  }
  // Without per-pixel alpha the 1-bit mask says which pixels are transparent.
  if (!any_alpha || bits != 32) {
    for (int y = 0; y < height; ++y) {
      auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
      const auto* mask =
          has_mask ? reinterpret_cast<const uint8_t*>(data.data() + mask_at + mask_row * (height - 1 - y)) : nullptr;
      for (int x = 0; x < width; ++x) {
        bool transparent = mask && (mask[x / 8] & (0x80 >> (x % 8)));
        dst[x] = transparent ? qRgba(0, 0, 0, 0) : (dst[x] | 0xff000000u);
      }
    }
  }
  return image;
}

}  // namespace

std::optional<std::vector<IconEntry>> ReadIconDirectory(std::string_view bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  uint32_t reserved = U16(bytes, 0), type = U16(bytes, 2), count = U16(bytes, 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
  if (bytes.size() < kHeaderSize + count * kEntrySize) return std::nullopt;
  std::vector<IconEntry> entries;
  for (uint32_t i = 0; i < count; ++i) {
    size_t at = kHeaderSize + i * kEntrySize;
    IconEntry entry;
    entry.width = static_cast<uint8_t>(bytes[at]) ? static_cast<uint8_t>(bytes[at]) : 256;
    entry.height = static_cast<uint8_t>(bytes[at + 1]) ? static_cast<uint8_t>(bytes[at + 1]) : 256;
    entry.colours = static_cast<uint8_t>(bytes[at + 2]);
    entry.size = U32(bytes, at + 8);
    entry.offset = U32(bytes, at + 12);
    entries.push_back(entry);
  }
  return entries;
}

int ChooseIconEntry(const std::vector<IconEntry>& entries, int width) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].width == width && entries[i].colours >= 16) return static_cast<int>(i);
  return static_cast<int>(entries.size()) - 1;
}

QImage ReadIconImage(std::string_view bytes, const IconEntry& entry) {
  if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset) return {};
  std::string_view data = bytes.substr(entry.offset, entry.size);
  static const char kPng[] = "\x89PNG\r\n\x1a\n";
  if (data.size() >= 8 && std::memcmp(data.data(), kPng, 8) == 0) {
    QImage png;
    if (entry.width > kLargestSide) return {};
    png.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), "PNG");
    return png;
  }
  return ReadBitmap(data);
}

std::vector<QImage> ReadAllIconImages(std::string_view bytes) {
  std::vector<QImage> images;
  if (auto entries = ReadIconDirectory(bytes)) {
    for (const IconEntry& entry : *entries) {
      QImage image = ReadIconImage(bytes, entry);
      if (!image.isNull()) images.push_back(image);
    }
  }
  return images;
}

}  // namespace toolkit
