// The playback service with real files, real decoding and the bench's sound server (or, where
// none is reachable, the silent clock): report sequences, the state table, pause and resume.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <sys/stat.h>

#include "platform/audio/playback_service.h"
#include "platform/toolkit/controls.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"

using testing_support::MakeSong;
using testing_support::ReadWholeFile;
using testing_support::Song;
using testing_support::TempFolder;
using testing_support::WaitUntil;

namespace {

// Reports as a label receives them.
struct Reports {
  explicit Reports(toolkit::Label& label) {
    label.Feedback = [this](int value, int extra) {
      values.push_back(value);
      EXPECT_EQ(extra, 0);
    };
  }
  bool Ended() const { return !values.empty() && values.back() == 100; }
  std::vector<int> values;
};

class PlaybackService : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TempFolder;
    Song one_second;
    one_second.seconds = 1.0;
    one_second.lame = "-b 128 -t";
    cbr = MakeSong(*folder / "一秒.mp3", one_second);
    Song vbr = one_second;
    vbr.lame = "-V 4";
    vbr.seconds = 1.5;
    xing = MakeSong(*folder / "vbr.mp3", vbr);
    Song four = one_second;
    four.seconds = 4.0;
    long_song = MakeSong(*folder / "four.mp3", four);
  }
  static void TearDownTestSuite() {
    PlayFile("", label1());  // nothing left playing into the next suite
    delete folder;
  }
  void SetUp() override {
    if (!window) window = testing_support::BuildMainWindow().release();
  }
  void TearDown() override { PlayFile("", label1()); }
  static toolkit::Label& label1() { return window->Get<toolkit::Label>("标签1"); }
  static toolkit::Label& label2() { return window->Get<toolkit::Label>("标签2"); }

  static inline toolkit::Window* window = nullptr;
  static inline TempFolder* folder = nullptr;
  static inline std::string cbr, xing, long_song;
};

void ExpectWholeSong(const std::vector<int>& values, int first) {
  ASSERT_GE(values.size(), 2u);
  EXPECT_EQ(values.front(), first);
  EXPECT_EQ(values.back(), 100);
  EXPECT_EQ(std::count(values.begin(), values.end(), 100), 1);
  EXPECT_TRUE(std::adjacent_find(values.begin(), values.end(), std::greater_equal<int>()) == values.end())
      << "strictly rising";
  EXPECT_EQ(values[values.size() - 2], 99);
}

}  // namespace

TEST_F(PlaybackService, ASongReportsRisingPercentsThenOneHundredOnceTheSoundHasEnded) {
  for (const std::string& song : {cbr, xing}) {
    Reports reports(label1());
    QElapsedTimer clock;
    clock.start();
    PlayFile(song, label1());
    ASSERT_TRUE(WaitUntil([&] { return reports.Ended(); }, 8000)) << song;
    ExpectWholeSong(reports.values, 0);
    // 100 comes when the sound has been heard, not when decoding is done.
    EXPECT_GE(clock.elapsed(), 900) << song;
    QTest::qWait(300);
    EXPECT_EQ(std::count(reports.values.begin(), reports.values.end(), 100), 1);
  }
}

TEST_F(PlaybackService, AStartPercentBeginsThereAndOneHundredEndsAtOnce) {
  struct Case {
    int start, first_low, first_high;
  } cases[] = {{50, 47, 50}, {-20, 0, 0}, {99, 96, 99}};
  for (const Case& c : cases) {
    Reports reports(label1());
    PlayFile(long_song, c.start, label1());
    ASSERT_TRUE(WaitUntil([&] { return reports.Ended(); }, 8000)) << c.start;
    EXPECT_GE(reports.values.front(), c.first_low) << c.start;
    EXPECT_LE(reports.values.front(), c.first_high) << c.start;
    EXPECT_EQ(reports.values.back(), 100);
  }
  Reports at_end(label1());
  QElapsedTimer clock;
  clock.start();
  PlayFile(long_song, 100, label1());
  ASSERT_TRUE(WaitUntil([&] { return at_end.Ended(); }, 3000));
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_LE(at_end.values.size(), 2u);
}

TEST_F(PlaybackService, FilesThatAreNoSongs) {
  std::string empty = folder->Write("empty.mp3", "");
  std::string text = folder->Write("text.mp3", "我是一个文本文件，不是歌曲。\n");
  folder->Folder("folder.mp3");
  struct Case {
    std::string path;
    std::vector<int> expected;
  } cases[] = {
      {empty, {100}},
      {text, {100}},
      {*folder / "missing.mp3", {}},
      {*folder / "folder.mp3", {}},
      {*folder / "", {}},  // "folder\" with no item: a folder
  };
  for (const Case& c : cases) {
    Reports reports(label1());
    PlayFile(c.path, label1());
    QTest::qWait(400);
    EXPECT_EQ(reports.values, c.expected) << c.path;
  }
}

TEST_F(PlaybackService, BrokenSongsPlayAsFarAsTheyGoAndEnd) {
  std::string good = ReadWholeFile(cbr);
  std::string truncated = folder->Write("cut.mp3", good.substr(0, good.size() * 6 / 10));
  std::string corrupt = good;
  for (size_t i = good.size() / 2; i < good.size() / 2 + 3000; ++i) corrupt[i] = static_cast<char>(i * 7919);
  std::string corrupted = folder->Write("corrupt.mp3", corrupt);
  std::string tagged = folder->Write("tagged.mp3", testing_support::Id3v2Tag(300 * 1024) + good + "TAG" +
                                                       std::string(125, ' '));
  for (const std::string& song : {truncated, corrupted, tagged}) {
    Reports reports(label1());
    PlayFile(song, label1());
    ASSERT_TRUE(WaitUntil([&] { return reports.Ended(); }, 8000)) << song;
    EXPECT_EQ(reports.values.front(), 0) << song;
    EXPECT_TRUE(std::is_sorted(reports.values.begin(), reports.values.end())) << song;
  }
  Reports whole(label1());
  PlayFile(tagged, label1());
  ASSERT_TRUE(WaitUntil([&] { return whole.Ended(); }, 8000));
  ExpectWholeSong(whole.values, 0);  // a 300 KB cover picture does not cut progress short
}

TEST_F(PlaybackService, ANewPlayEndsTheCurrentOneWithoutItsOneHundred) {
  Reports first(label2()), second(label1());
  PlayFile(long_song, label2());
  ASSERT_TRUE(WaitUntil([&] { return !first.values.empty(); }));
  PausePlayback();
  PlayFile(cbr, label1());  // ends a paused song too
  ASSERT_TRUE(WaitUntil([&] { return second.Ended(); }, 8000));
  QTest::qWait(200);
  EXPECT_FALSE(first.Ended());
  ResumePlayback();  // the new song has ended: nothing to resume
  QTest::qWait(300);
  EXPECT_EQ(std::count(second.values.begin(), second.values.end(), 100), 1);
  EXPECT_FALSE(first.Ended());
}

TEST_F(PlaybackService, PauseStopsTheReportsAndResumeGoesOnToTheEnd) {
  PausePlayback();  // before any playback: nothing happens
  ResumePlayback();
  Reports reports(label1());
  PlayFile(long_song, label1());
  ASSERT_TRUE(WaitUntil([&] { return !reports.values.empty() && reports.values.back() >= 10; }, 4000));
  PausePlayback();
  PausePlayback();  // twice: no effect
  QTest::qWait(500);  // the buffer fills, then decoding waits
  size_t paused_at = reports.values.size();
  QTest::qWait(4500);  // longer than the whole song
  EXPECT_EQ(reports.values.size(), paused_at);
  EXPECT_FALSE(reports.Ended());
  ResumePlayback();
  ResumePlayback();
  ASSERT_TRUE(WaitUntil([&] { return reports.Ended(); }, 8000));
  EXPECT_EQ(std::count(reports.values.begin(), reports.values.end(), 100), 1);
}
