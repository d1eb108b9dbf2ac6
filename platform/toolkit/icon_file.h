// Reading icon files (the Windows ICO and CUR formats) from bytes: the directory, the choice of
// an entry by width, and the entry's image. Every offset and size is checked against the bytes:
// bad input yields no image, never a crash.
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace toolkit {

struct IconEntry {
  int width = 0, height = 0;  // 0 in the file means 256
  int colours = 0;            // as declared; 0 for 256 or more
  uint32_t size = 0, offset = 0;
};

// The directory, or nothing when the bytes do not start with an icon-file header
// (reserved 0, type 1 or 2, at least one entry) or the directory is cut short.
std::optional<std::vector<IconEntry>> ReadIconDirectory(std::string_view bytes);

// The first entry `width` pixels wide that declares at least 16 colours; else the last entry.
int ChooseIconEntry(const std::vector<IconEntry>& entries, int width);

// The entry's picture at its own size, from a device-independent bitmap with its mask (1, 4, 8,
// 24 or 32 bits per pixel) or an embedded PNG; a null image when the data is broken.
QImage ReadIconImage(std::string_view bytes, const IconEntry& entry);

// Every entry's picture, for a window icon; broken entries are left out.
std::vector<QImage> ReadAllIconImages(std::string_view bytes);

}  // namespace toolkit
