// Without a sound server, or when it goes away during a song, songs go on silently at real
// speed; the next play finds the server again.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "platform/audio/playback_service.h"
#include "platform/toolkit/controls.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/songs.h"
#include "tests/support/sound_server.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {
int StreamsOn(const PrivateSoundServer& server) {
  std::string command = "PULSE_SERVER=" + server.Address() + " pactl list short sink-inputs 2>/dev/null | wc -l";
  FILE* out = popen(command.c_str(), "r");
  int count = -1;
  if (out) {
    if (fscanf(out, "%d", &count) != 1) count = -1;
    pclose(out);
  }
  return count;
}
}  // namespace

TEST(SoundServerLoss, SongsGoOnSilentlyAtRealSpeedAndTheNextPlayReconnects) {
  PrivateSoundServer server;
  ASSERT_TRUE(server.Start());
  setenv("PULSE_SERVER", server.Address().c_str(), 1);
  TempFolder folder;
  std::string song = MakeSong(folder / "three.mp3", Song{3.0, 44100, 2, [](double) { return 440.0; }, "-b 128"});
  auto window = BuildMainWindow();
  toolkit::Label& label = window->Get<toolkit::Label>("标签1");
  std::vector<int> values;
  label.Feedback = [&](int value, int) { values.push_back(value); };

  PlayFile(song, label);
  ASSERT_TRUE(WaitUntil([&] { return !values.empty() && values.back() >= 10; }, 8000));
  EXPECT_EQ(StreamsOn(server), 1);
  server.Kill();
  QElapsedTimer clock;
  clock.start();
  int at_loss = values.back();
  ASSERT_TRUE(WaitUntil([&] { return values.back() == 100; }, 10000)) << "the song must still end";
  // The rest of the song took about its own length: real speed, neither stuck nor rushed.
  double rest_ms = (100 - at_loss) * 30.0;
  EXPECT_GT(clock.elapsed(), rest_ms * 0.6);
  EXPECT_LT(clock.elapsed(), rest_ms + 4000);
  EXPECT_EQ(std::count(values.begin(), values.end(), 100), 1);

  // No server at all: the same, silently.
  values.clear();
  clock.restart();
  PlayFile(song, label);
  ASSERT_TRUE(WaitUntil([&] { return !values.empty() && values.back() == 100; }, 10000));
  EXPECT_GT(clock.elapsed(), 2500);

  // The server is back: the next play uses it.
  ASSERT_TRUE(server.Start());
  values.clear();
  PlayFile(song, label);
  ASSERT_TRUE(WaitUntil([&] { return !values.empty() && values.back() >= 10; }, 8000));
  EXPECT_EQ(StreamsOn(server), 1);
  PlayFile("", label);
  EXPECT_EQ(StreamsOn(server), 0);  // ended means gone
}
