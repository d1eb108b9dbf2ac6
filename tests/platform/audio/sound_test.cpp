// What reaches the bench's null sink when the service plays: the right tone, the middle of the
// song after a start at 50 %, and silence while paused.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "platform/audio/playback_service.h"
#include "platform/toolkit/controls.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/recorder.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

class Sound : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("TAZMEL_BENCH_SINK")) GTEST_SKIP() << "needs the headless bench's sound server";
    window = BuildMainWindow();
    label().Feedback = [this](int value, int) { reached = value; };
  }
  // The null sink starts late and keeps a loose pace, so waits follow the song's own reports.
  void WaitForReport(int value) { ASSERT_TRUE(WaitUntil([&] { return reached >= value; }, 10000)) << value; }
  int reached = -1;
  void TearDown() override {
    if (window) PlayFile("", label());
  }
  toolkit::Label& label() { return window->Get<toolkit::Label>("标签1"); }
  std::unique_ptr<toolkit::Window> window;
  TempFolder folder;
};

constexpr size_t Ms(int ms) { return static_cast<size_t>(ms) * kRecordRate / 1000; }

}  // namespace

TEST_F(Sound, TheSongsToneIsHeard) {
  std::string song = MakeSong(folder / "a440.mp3", Song{1.5, 44100, 2, [](double) { return 440.0; }, "-b 128"});
  SinkRecorder recorder;
  PlayFile(song, label());
  WaitForReport(100);
  std::vector<int16_t> samples = recorder.Stop();
  size_t onset = FirstSound(samples);
  ASSERT_LT(onset, samples.size()) << "no sound reached the sink";
  EXPECT_NEAR(Frequency(samples, onset + Ms(50), onset + Ms(450)), 440.0, 5.0);
}

TEST_F(Sound, AStartAtFiftyPercentPlaysTheMiddleOfTheSong) {
  // 20 s whose tone rises by 10 Hz every percent: 300 Hz + 10 Hz per percent.
  Song rising{20.0, 44100, 2, [](double t) { return 300.0 + 10.0 * std::floor(t / 0.2); }, "-b 128 -t"};
  std::string song = MakeSong(folder / "rising.mp3", rising);
  SinkRecorder recorder;
  PlayFile(song, 50, label());
  WaitForReport(54);
  QTest::qWait(300);
  std::vector<int16_t> samples = recorder.Stop();
  size_t onset = FirstSound(samples);
  ASSERT_LT(onset, samples.size());
  EXPECT_NEAR(Frequency(samples, onset + Ms(30), onset + Ms(170)), 800.0, 12.0);
}

TEST_F(Sound, PauseIsSilentAndResumeSoundsAgain) {
  std::string song = MakeSong(folder / "long.mp3", Song{4.0, 44100, 2, [](double) { return 523.0; }, "-b 128"});
  SinkRecorder playing;
  PlayFile(song, label());
  WaitForReport(25);
  std::vector<int16_t> before_pause = playing.Stop();
  ASSERT_LT(FirstSound(before_pause), before_pause.size()) << "no sound before the pause";
  PausePlayback();
  QTest::qWait(200);
  SinkRecorder paused;
  QTest::qWait(600);
  // A corked stream sends nothing: the sink's monitor is silent (or records nothing at all).
  std::vector<int16_t> silence = paused.Stop();
  EXPECT_LT(Loudness(silence, 0, silence.size()), 50.0);
  SinkRecorder resumed;
  int before = reached;
  ResumePlayback();
  WaitForReport(before + 15);
  std::vector<int16_t> sound = resumed.Stop();
  size_t onset = FirstSound(sound);
  ASSERT_LT(onset, sound.size());
  EXPECT_NEAR(Frequency(sound, onset + Ms(20), onset + Ms(300)), 523.0, 6.0);
}
