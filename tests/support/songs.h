// MP3 files made for tests: the sound is computed here, written as a WAV file and encoded by
// lame, so a test knows exactly what each song holds.
#pragma once

#include <functional>
#include <string>

namespace testing_support {

struct Song {
  double seconds = 1.0;
  int rate = 44100;
  int channels = 2;
  // Hertz of the tone at a moment (seconds from the start); a steady 440 Hz unless set.
  std::function<double(double)> tone = [](double) { return 440.0; };
  std::string lame = "-b 128";  // lame's options: "-b 128 -t" for CBR without a Xing header
};

// Encodes the song into `path` (made or replaced); yields `path`, or "" when lame failed.
std::string MakeSong(const std::string& path, const Song& song);

// Bytes of an ID3v2.3 tag holding a picture frame of `picture_bytes` random bytes (stray sync
// bytes included).
std::string Id3v2Tag(size_t picture_bytes);

}  // namespace testing_support
