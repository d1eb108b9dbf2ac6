#include "tests/support/songs.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <vector>

namespace testing_support {
namespace {

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

std::string Quoted(const std::string& path) {
  std::string quoted = "'";
  for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string MakeSong(const std::string& path, const Song& song) {
  size_t frames = static_cast<size_t>(song.seconds * song.rate);
  std::string wav = "RIFF";
  Put32(wav, static_cast<uint32_t>(36 + frames * song.channels * 2));
  wav += "WAVEfmt ";
  Put32(wav, 16);
  Put16(wav, 1);
  Put16(wav, static_cast<uint16_t>(song.channels));
  Put32(wav, static_cast<uint32_t>(song.rate));
  Put32(wav, static_cast<uint32_t>(song.rate * song.channels * 2));
  Put16(wav, static_cast<uint16_t>(song.channels * 2));
  Put16(wav, 16);
  wav += "data";
  Put32(wav, static_cast<uint32_t>(frames * song.channels * 2));
  double phase = 0;
  for (size_t i = 0; i < frames; ++i) {
    phase += 2 * M_PI * song.tone(static_cast<double>(i) / song.rate) / song.rate;
    auto sample = static_cast<int16_t>(std::lround(12000 * std::sin(phase)));
    for (int c = 0; c < song.channels; ++c) Put16(wav, static_cast<uint16_t>(sample));
  }
  std::string wav_path = path + ".wav";
  std::ofstream(wav_path, std::ios::binary) << wav;
  std::string command = "lame --quiet " + song.lame + " " + Quoted(wav_path) + " " + Quoted(path);
  int rc = std::system(command.c_str());
  std::remove(wav_path.c_str());
  return rc == 0 ? path : std::string();
}

std::string Id3v2Tag(size_t picture_bytes) {
  std::mt19937 random(11);
  std::string frame_body = std::string("\0image/jpeg\0\x03\0", 14);
  for (size_t i = 0; i < picture_bytes; ++i) frame_body.push_back(static_cast<char>(random()));
  // Sync-like bytes on purpose: a frame header that a careless scanner would take.
  for (size_t at = 100; at + 4 < frame_body.size(); at += 5000) frame_body.replace(at, 4, "\xFF\xFB\x90\x64", 4);
  std::string frame = "APIC";
  uint32_t size = static_cast<uint32_t>(frame_body.size());
  frame += std::string{static_cast<char>(size >> 24), static_cast<char>(size >> 16), static_cast<char>(size >> 8),
                       static_cast<char>(size)};
  frame += std::string("\0\0", 2) + frame_body;
  uint32_t tag_size = static_cast<uint32_t>(frame.size());
  std::string tag = std::string("ID3\x03\x00\x00", 6);
  for (int shift : {21, 14, 7, 0}) tag.push_back(static_cast<char>((tag_size >> shift) & 0x7F));
  return tag + frame;
}

}  // namespace testing_support
