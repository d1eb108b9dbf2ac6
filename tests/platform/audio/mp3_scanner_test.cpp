// The stream scanner on songs made by lame, checked against libmpg123's own reading of the
// same files and against the encoder's known parameters.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <cstring>
#include <fstream>

#include "platform/audio/mp3_scanner.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"

using namespace audio;
using testing_support::MakeSong;
using testing_support::ReadWholeFile;
using testing_support::Song;
using testing_support::TempFolder;

namespace {

// What libmpg123 finds by reading every frame: the number of audio frames and each one's offset.
struct Truth {
  std::vector<uint64_t> offsets;
};

Truth ReadWithMpg123(const std::string& path) {
  mpg123_handle* mh = mpg123_new(nullptr, nullptr);
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  mpg123_param(mh, MPG123_INDEX_SIZE, -1, 0);
  mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
  Truth truth;
  if (mpg123_open(mh, path.c_str()) == MPG123_OK) {
    mpg123_scan(mh);
    off_t* offsets = nullptr;
    off_t step = 0;
    size_t count = 0;
    if (mpg123_index(mh, &offsets, &step, &count) == MPG123_OK && step == 1)
      for (size_t i = 0; i < count; ++i) truth.offsets.push_back(static_cast<uint64_t>(offsets[i]));
    mpg123_close(mh);
  }
  mpg123_delete(mh);
  return truth;
}

StreamLayout Scan(const std::string& bytes) {
  MemorySource source(bytes);
  auto layout = ScanStream(source);
  EXPECT_TRUE(layout.has_value());
  return layout.value_or(StreamLayout{});
}

}  // namespace

TEST(FrameHeader, ReadsVersionLayerRateAndSize) {
  struct Case {
    uint8_t bytes[4];
    int version, layer, bitrate, rate, channels;
    uint32_t size;
  } cases[] = {
      {{0xFF, 0xFB, 0x90, 0x64}, 1, 3, 128000, 44100, 2, 417},
      {{0xFF, 0xFB, 0x92, 0x64}, 1, 3, 128000, 44100, 2, 418},  // padded
      {{0xFF, 0xFB, 0x94, 0xC4}, 1, 3, 128000, 48000, 1, 384},
      {{0xFF, 0xF3, 0x80, 0x64}, 2, 3, 64000, 22050, 2, 208},
      {{0xFF, 0xE3, 0x18, 0xC4}, 25, 3, 8000, 8000, 1, 72},
      {{0xFF, 0xFD, 0x90, 0x04}, 1, 2, 160000, 44100, 2, 522},
      {{0xFF, 0xFF, 0x90, 0x04}, 1, 1, 288000, 44100, 2, 312},
  };
  for (const Case& c : cases) {
    auto h = ParseFrameHeader(c.bytes);
    ASSERT_TRUE(h) << int(c.bytes[1]) << " " << int(c.bytes[2]);
    EXPECT_EQ(h->version, c.version);
    EXPECT_EQ(h->layer, c.layer);
    EXPECT_EQ(h->bitrate, c.bitrate);
    EXPECT_EQ(h->sample_rate, c.rate);
    EXPECT_EQ(h->channels, c.channels);
    EXPECT_EQ(h->size, c.size);
  }
  const uint8_t invalid[][4] = {
      {0xFF, 0xEB, 0x90, 0x64},  // reserved version
      {0xFF, 0xF9, 0x90, 0x64},  // reserved layer
      {0xFF, 0xFB, 0x00, 0x64},  // free bitrate
      {0xFF, 0xFB, 0xF0, 0x64},  // bad bitrate
      {0xFF, 0xFB, 0x9C, 0x64},  // reserved rate
      {0xFF, 0xFB, 0x90, 0x66},  // reserved emphasis
      {0xFE, 0xFB, 0x90, 0x64},  // no sync
  };
  for (const auto& bytes : invalid) EXPECT_FALSE(ParseFrameHeader(bytes));
}

TEST(ScanStream, FindsTotalFramesAsLibmpg123CountsThem) {
  struct Case {
    const char* name;
    Song song;
    bool xing;
  } cases[] = {
      {"CBR with Info header", {1.5, 44100, 2, {}, "-b 128"}, true},
      {"VBR with Xing header", {1.5, 44100, 2, {}, "-V 4"}, true},
      {"MPEG 2 at 22050 Hz", {1.5, 22050, 2, {}, "-b 64"}, true},
      {"mono", {1.5, 44100, 1, {}, "-m m -b 96"}, true},
      {"CBR without Xing header", {1.5, 44100, 2, {}, "-b 128 -t"}, false},
  };
  TempFolder temp;
  for (auto& c : cases) {
    c.song.tone = [](double) { return 440.0; };
    std::string path = MakeSong(temp / "song.mp3", c.song);
    ASSERT_FALSE(path.empty());
    std::string bytes = ReadWholeFile(path);
    StreamLayout layout = Scan(bytes);
    Truth truth = ReadWithMpg123(path);
    EXPECT_EQ(layout.xing, c.xing) << c.name;
    EXPECT_EQ(layout.first_frame, 0u) << c.name;
    EXPECT_EQ(layout.audio_end, bytes.size()) << c.name;
    size_t audio_frames = truth.offsets.size();  // libmpg123's index leaves an Info frame out
    if (c.xing) {
      EXPECT_EQ(layout.total_frames, audio_frames) << c.name;
      EXPECT_TRUE(layout.toc) << c.name;
    } else {
      EXPECT_EQ(layout.total_frames, bytes.size() / layout.first_frame_size) << c.name;
      EXPECT_NEAR(static_cast<double>(layout.total_frames), static_cast<double>(audio_frames), 1.0) << c.name;
    }
  }
}

TEST(ScanStream, TagsAreLeftOutOfTheSongAndStraySyncBytesInThemAreNoFrames) {
  TempFolder temp;
  std::string cbr = ReadWholeFile(MakeSong(temp / "plain.mp3", Song{2.0, 44100, 2, [](double) { return 440.0; }, "-b 128 -t"}));
  std::string id3v1 = "TAG" + std::string(125, 'x');
  std::string tag = testing_support::Id3v2Tag(300 * 1024);
  std::string bytes = tag + cbr + id3v1;
  StreamLayout layout = Scan(bytes);
  EXPECT_EQ(layout.first_frame, tag.size());
  EXPECT_EQ(layout.audio_end, bytes.size() - 128);
  uint32_t frame_size = 417 + ((static_cast<uint8_t>(cbr[2]) >> 1) & 1);
  EXPECT_EQ(layout.first_frame_size, frame_size);
  EXPECT_EQ(layout.total_frames, cbr.size() / frame_size);
  // Whole frames of the first frame's size from the first audio frame, then on to the frame
  // that begins there (padded frames are a byte longer).
  temp.Write("t.mp3", bytes);
  Truth truth = ReadWithMpg123(temp / "t.mp3");
  MemorySource source(bytes);
  for (int p : {1, 25, 50, 99}) {
    uint64_t skip = p * cbr.size() / frame_size / 100;
    uint64_t by_rule = tag.size() + skip * frame_size;
    StartPoint start = StartAt(source, layout, p);
    EXPECT_EQ(start.frames_counted, skip) << p;
    EXPECT_GE(start.offset, by_rule) << p;
    EXPECT_LT(start.offset, by_rule + frame_size + 1) << p;
    EXPECT_TRUE(std::count(truth.offsets.begin(), truth.offsets.end(), start.offset)) << p << " is a frame start";
  }
  EXPECT_EQ(StartAt(source, layout, 0).offset, tag.size());
  EXPECT_EQ(StartAt(source, layout, 100).offset, layout.audio_end);
  EXPECT_EQ(StartAt(source, layout, 250).offset, layout.audio_end);  // held within 0 to 100
  EXPECT_EQ(StartAt(source, layout, -5).offset, tag.size());
}

TEST(ScanStream, TableOfContentsPlacesAStartNearItsFrame) {
  TempFolder temp;
  std::string path = MakeSong(temp / "vbr.mp3", Song{6.0, 44100, 2, [](double t) { return 200 + 300 * t; }, "-V 2"});
  std::string tag = testing_support::Id3v2Tag(5000);
  std::string tagged = tag + ReadWholeFile(path);
  temp.Write("tagged.mp3", tagged);
  Truth truth = ReadWithMpg123(temp / "tagged.mp3");
  StreamLayout layout = Scan(tagged);
  ASSERT_TRUE(layout.toc);
  uint64_t total = layout.total_frames;
  MemorySource source(tagged);
  for (int p : {10, 50, 90}) {
    StartPoint start = StartAt(source, layout, p);
    EXPECT_TRUE(std::count(truth.offsets.begin(), truth.offsets.end(), start.offset)) << p << " is a frame start";
    EXPECT_EQ(start.frames_counted, p * total / 100);
    // The frame that starts nearest the offset lies within 2 % of the song of the p-th percent.
    size_t nearest = 0;
    while (nearest + 1 < truth.offsets.size() && truth.offsets[nearest + 1] <= start.offset) ++nearest;
    EXPECT_NEAR(static_cast<double>(nearest), p * total / 100.0, total * 0.02) << p;
  }
}

TEST(ScanStream, BrokenAndForeignFilesAreNoSongOrAreReadAsFarAsTheyGo) {
  TempFolder temp;
  std::string good = ReadWholeFile(MakeSong(temp / "g.mp3", Song{2.0, 44100, 2, [](double) { return 440.0; }, "-b 128 -t"}));
  MemorySource empty("");
  EXPECT_FALSE(ScanStream(empty));
  std::string text = "这不是MP3文件。\n";
  for (int i = 0; i < 8; ++i) text += text;
  MemorySource foreign(text);
  EXPECT_FALSE(ScanStream(foreign));
  std::string tag = testing_support::Id3v2Tag(1000);
  MemorySource only_tag(tag);
  EXPECT_FALSE(ScanStream(only_tag));
  std::string truncated = good.substr(0, good.size() * 6 / 10);
  EXPECT_EQ(Scan(truncated).total_frames, truncated.size() / 417);
  std::string corrupted = good;
  for (size_t i = good.size() / 2; i < good.size() / 2 + 4096; ++i) corrupted[i] = static_cast<char>(i * 7919);
  EXPECT_EQ(Scan(corrupted).total_frames, good.size() / 417);
}

TEST(ScanStream, TheFirstFrameIsFoundWhereverJunkBeforeItEndsEvenAcrossReadPieces) {
  TempFolder temp;
  std::string song = ReadWholeFile(MakeSong(temp / "s.mp3", Song{1.0, 44100, 2, [](double) { return 440.0; }, "-b 128 -t"}));
  // Junk that is no tag: text, with stray sync bytes that start no agreeing pair of frames.
  for (size_t junk : {size_t{1}, size_t{16381}, size_t{16382}, size_t{16383}, size_t{16384}, size_t{40000}}) {
    std::string bytes(junk, 'x');
    for (size_t i = 0; i + 1 < junk; i += 997) bytes[i] = '\xFF';
    bytes += song;
    StreamLayout layout = Scan(bytes);
    EXPECT_EQ(layout.first_frame, junk) << junk << " bytes of junk";
    EXPECT_EQ(layout.first_frame_size, 417u) << junk << " bytes of junk";
  }
  // Past the search window nothing is looked for.
  std::string far = std::string(1 << 20, 'x') + song;
  MemorySource beyond(far);
  EXPECT_FALSE(ScanStream(beyond));
}
