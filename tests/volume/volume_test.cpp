// The volume bar and the mute button on the real window, acting on a sound server of the test's
// own: what the server really holds afterwards, read back with pactl.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <regex>

#include "platform/mixer/sys_volume.h"
#include "tests/support/program_window.h"
#include "tests/support/sound_server.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

using namespace testing_support;

namespace {

class Volume : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new PrivateSoundServer;
    ASSERT_TRUE(server->Start());
    setenv("PULSE_SERVER", server->Address().c_str(), 1);
    server->Pactl("load-module module-null-sink sink_name=stereo channels=2");
    server->Pactl("load-module module-null-sink sink_name=mono channels=1");
    server->Pactl("load-module module-null-sink sink_name=quad channels=4");
  }
  static void TearDownTestSuite() { delete server; }
  void SetUp() override {
    Use("stereo");
    server->Pactl("set-sink-volume stereo 65536");
    server->Pactl("set-sink-mute stereo 0");
    LoadProgramWindow(program.Path());
    w = &MainWindow();
    bar = static_cast<QScrollBar*>(w->横向滚动条1.Widget());
  }
  void Use(const std::string& sink) { server->Pactl("set-default-sink " + sink); }
  // The levels of each channel of a sink, as the server holds them.
  std::vector<long> Levels(const std::string& sink) {
    std::string out = server->Pactl("get-sink-volume " + sink);
    std::vector<long> levels;
    std::regex level(R"(:\s+(\d+)\s+/)");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), level); it != std::sregex_iterator(); ++it)
      levels.push_back(std::stol((*it)[1]));
    return levels;
  }
  bool Muted(const std::string& sink) { return server->Pactl("get-sink-mute " + sink).find("yes") != std::string::npos; }
  // The user moves the bar's thumb to `position`.
  void MoveBar(int position) { bar->setSliderPosition(position); }
  void ClickMute() { QTest::mouseClick(w->按钮_静音.Widget(), Qt::LeftButton); }

  static inline PrivateSoundServer* server = nullptr;
  TempFolder program;
  MainWindowControls* w = nullptr;
  QScrollBar* bar = nullptr;
};

}  // namespace

TEST_F(Volume, TheBarSetsTheMasterLevelInverted) {
  EXPECT_EQ(Levels("stereo"), (std::vector<long>{65536, 65536}));  // not touched at start
  struct Case {
    int position;
    long level;
  } cases[] = {{500, 32768}, {999, 65}, {1000, 0}, {1, 65470}, {250, 49152}};
  for (const Case& c : cases) {
    MoveBar(c.position);
    EXPECT_EQ(Levels("stereo"), (std::vector<long>{c.level, c.level})) << c.position;
  }
  EXPECT_FALSE(Muted("stereo"));  // silent at the right end, but not muted
}

TEST_F(Volume, ADragSetsTheLevelAtEveryStep) {
  std::vector<long> seen;
  auto command = w->横向滚动条1.PositionChanged;
  w->横向滚动条1.PositionChanged = [&] {
    command();
    seen.push_back(Levels("stereo")[0]);
  };
  bar->setSliderDown(true);
  for (int p = 100; p <= 1000; p += 150) MoveBar(p);
  bar->setSliderDown(false);
  ASSERT_EQ(seen.size(), 7u);
  EXPECT_TRUE(std::is_sorted(seen.rbegin(), seen.rend()));
  EXPECT_EQ(seen.back(), 0);
}

TEST_F(Volume, MonoAndWiderLinesTakeTheirFirstChannels) {
  server->Pactl("set-sink-volume quad 10000 10000 10000 10000");
  Use("mono");
  MoveBar(500);
  EXPECT_EQ(Levels("mono"), std::vector<long>{32768});
  Use("quad");
  MoveBar(750);
  EXPECT_EQ(Levels("quad"), (std::vector<long>{16384, 16384, 10000, 10000}));
}

TEST_F(Volume, MuteSwitchesAndKeepsTheLevel) {
  MoveBar(500);
  ClickMute();
  EXPECT_TRUE(Muted("stereo"));
  EXPECT_EQ(Levels("stereo")[0], 32768);
  MoveBar(800);  // moving the bar while muted changes the level and leaves the mute
  EXPECT_TRUE(Muted("stereo"));
  EXPECT_EQ(Levels("stereo")[0], 13107);
  ClickMute();
  EXPECT_FALSE(Muted("stereo"));
  EXPECT_EQ(w->按钮_静音.Caption(), "静音");  // the caption never changes
  server->Pactl("set-sink-mute stereo 1");  // muted elsewhere: the next press sounds it
  ClickMute();
  EXPECT_FALSE(Muted("stereo"));
}

TEST_F(Volume, TheLineOperationsReportWhatTheyReach) {
  SysVolume& line = w->系统音量1;
  EXPECT_EQ(line.GetMaxVolume(), 0u);  // no line opened yet
  EXPECT_EQ(line.GetMute(), -1);
  EXPECT_EQ(line.SetVolume(1, 1), 0);
  EXPECT_EQ(line.OpenLine(3), 0);  // only 4 names a line
  EXPECT_EQ(line.OpenLine(4), 1);
  EXPECT_EQ(line.GetMaxVolume(), 65536u);
  EXPECT_EQ(line.GetMute(), 0);
  EXPECT_EQ(line.SetMute(1), 1);
  EXPECT_EQ(line.GetMute(), 1);
  EXPECT_EQ(line.CloseLine(1), 1);
  EXPECT_EQ(line.GetMute(), -1);  // the mute control is closed, the volume control is not
  EXPECT_EQ(line.SetVolume(100, 200), 1);
  EXPECT_EQ(Levels("stereo"), (std::vector<long>{100, 200}));
  EXPECT_EQ(line.CloseLine(7), 1);
  EXPECT_EQ(line.SetVolume(1, 1), 0);
}

TEST_F(Volume, AServerThatHangsOrIsGoneNeverFreezesTheWindow) {
  server->Freeze();
  QElapsedTimer clock;
  clock.start();
  MoveBar(300);
  ClickMute();
  EXPECT_LT(clock.elapsed(), 1000);
  clock.restart();
  for (int p = 310; p < 400; p += 10) MoveBar(p);  // a drag against a hung server
  EXPECT_LT(clock.elapsed(), 1000);
  server->Thaw();
  server->Kill();
  QTest::qWait(2100);  // the mixer tries the server again after a pause
  SysVolume& line = w->系统音量1;
  clock.restart();
  EXPECT_EQ(line.OpenLine(4), 0);
  EXPECT_EQ(line.GetMute(), -1);
  EXPECT_EQ(line.SetMute(1), 0);
  EXPECT_EQ(line.SetVolume(5, 5), 0);
  MoveBar(10);
  ClickMute();
  EXPECT_LT(clock.elapsed(), 1000);
  ASSERT_TRUE(server->Start());  // for the tests after this one
  server->Pactl("load-module module-null-sink sink_name=stereo channels=2");
  server->Pactl("load-module module-null-sink sink_name=mono channels=1");
  server->Pactl("load-module module-null-sink sink_name=quad channels=4");
  QTest::qWait(2100);
}
