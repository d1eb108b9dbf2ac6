// The track commands and the play modes on the real window, with the real playback service
// playing short generated songs into the bench's sound server.
#include <gtest/gtest.h>

#include <QListView>
#include <QSlider>
#include <QTest>
#include <filesystem>

#include "app/program_state.h"
#include "platform/audio/playback_service.h"
#include "tests/support/program_window.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

using namespace testing_support;

namespace {

class Tracks : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    music = new TempFolder;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      MakeSong(*music / name, Song{0.5, 44100, 2, [](double) { return 440.0; }, "-b 128"});
  }
  static void TearDownTestSuite() { delete music; }

  void SetUp() override {
    program.Write("目录.ini", "[配置]\r\n路径=" + music->Path() + "\r\n");
    LoadProgramWindow(program.Path());
    w = &MainWindow();
    // Every report the program's handler gets, seen on the way.
    auto handler = w->标签1.Feedback;
    w->标签1.Feedback = [this, handler](int value, int extra) {
      reports.push_back(value);
      handler(value, extra);
    };
  }
  void TearDown() override { PlayFile("", w->标签1); }

  void Select(int row) {
    auto* list = static_cast<QListView*>(w->列表框1.Widget());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
  }
  void Click(toolkit::Control& control) { QTest::mouseClick(control.Widget(), Qt::LeftButton); }
  // Press (and release) on the slider at x, inside the band that the strips leave open.
  void PressSlider(int x) {
    QTest::mousePress(w->滑块条1.Widget(), Qt::LeftButton, {}, QPoint(x, 16));
    QTest::mouseRelease(w->滑块条1.Widget(), Qt::LeftButton, {}, QPoint(x, 16));
  }
  // Reports that a playback had sent before it was ended may still arrive: let them, then forget.
  void Settle() {
    QTest::qWait(60);
    reports.clear();
  }
  // Some report within [low, high] arrives.
  bool ReportBetween(int low, int high) {
    return WaitUntil([&] {
      return std::any_of(reports.begin(), reports.end(), [&](int v) { return v >= low && v <= high; });
    });
  }
  int Ends() const { return static_cast<int>(std::count(reports.begin(), reports.end(), 100)); }
  bool WaitForEnds(int n, int ms = 15000) { return WaitUntil([&] { return Ends() >= n; }, ms); }
  std::string SongName() { return w->透明标签_歌曲名.Caption(); }
  // No report comes for a while: nothing is playing.
  bool Quiet(int ms = 1500) {
    size_t seen = reports.size();
    QTest::qWait(ms);
    return reports.size() == seen;
  }

  static inline TempFolder* music = nullptr;
  TempFolder program;
  MainWindowControls* w = nullptr;
  std::vector<int> reports;
};

}  // namespace

TEST_F(Tracks, SelectingASongPlaysItAndShowsItsNameAndTheMode) {
  EXPECT_EQ(w->列表框1.ItemCount(), 3);
  w->单选框_单曲循环播放.Widget();  // in-order is checked at start
  Select(1);
  EXPECT_EQ(SongName(), "b.mp3");
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  EXPECT_EQ(reports.front(), 0);
  EXPECT_EQ(w->透明标签_状态.Caption(), "当前播放模式为：列表顺序播放");
  ASSERT_TRUE(WaitForEnds(1));
  // In order: b ended, so c plays.
  EXPECT_EQ(w->列表框1.CurrentSelection(), 2);
  EXPECT_EQ(SongName(), "c.mp3");
}

TEST_F(Tracks, NextAndPreviousClampAtBothEnds) {
  Click(w->按钮_下一首);  // nothing selected: item 0
  EXPECT_EQ(w->列表框1.CurrentSelection(), 0);
  EXPECT_EQ(SongName(), "a.mp3");
  Click(w->按钮_上一首);  // before the first: no selection, silence, empty name
  EXPECT_EQ(w->列表框1.CurrentSelection(), -1);
  EXPECT_EQ(SongName(), "");
  Settle();
  EXPECT_TRUE(Quiet());
  Click(w->按钮_上一首);
  EXPECT_EQ(w->列表框1.CurrentSelection(), -1);
  Click(w->按钮_下一首);
  Click(w->按钮_下一首);
  Click(w->按钮_下一首);
  Click(w->按钮_下一首);  // past the last: the last again, from its beginning
  EXPECT_EQ(w->列表框1.CurrentSelection(), 2);
  EXPECT_EQ(SongName(), "c.mp3");
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  EXPECT_EQ(reports.front(), 0);
}

TEST_F(Tracks, AnEmptyListPlaysNothing) {
  program.Write("目录.ini", "[配置]\r\n路径=" + program.Path() + "/none\r\n");
  LoadProgramWindow(program.Path());
  w = &MainWindow();
  w->标签1.Feedback = [this](int value, int) { reports.push_back(value); };
  Click(w->按钮_下一首);
  Click(w->按钮_上一首);
  Click(w->按钮_继续);
  Click(w->按钮_暂停);
  EXPECT_EQ(w->列表框1.CurrentSelection(), -1);
  EXPECT_TRUE(Quiet(800));
}

TEST_F(Tracks, AMissingFileShowsItsNameInSilence) {
  TempFolder other;
  MakeSong(other / "gone.mp3", Song{0.5, 44100, 2, [](double) { return 440.0; }, "-b 128"});
  AnswerFolderPicker(other.Path());
  Click(w->按钮_添加);
  std::filesystem::remove(other / "gone.mp3");
  Select(3);
  EXPECT_EQ(SongName(), "gone.mp3");
  EXPECT_TRUE(Quiet());
}

TEST_F(Tracks, SongsOfAnEarlierFolderStillPlayAfterAnotherFolderIsAdded) {
  TempFolder other;
  MakeSong(other / "z.mp3", Song{0.5, 44100, 2, [](double) { return 440.0; }, "-b 128"});
  AnswerFolderPicker(other.Path());
  Click(w->按钮_添加);
  Select(0);  // reads the new folder into MusicFolder, yet a.mp3 plays from its own folder
  EXPECT_EQ(MusicFolder, other.Path());
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  Select(3);
  EXPECT_EQ(SongName(), "z.mp3");
  ASSERT_TRUE(WaitUntil([&] { return Ends() >= 1 || reports.size() > 3; }));
}

TEST_F(Tracks, ASelectionEndsAPausedSongAndContinueThenDoesNothing) {
  Select(0);
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  Click(w->按钮_暂停);
  Click(w->按钮_暂停);
  Select(1);
  EXPECT_EQ(SongName(), "b.mp3");
  Click(w->按钮_继续);  // the new song plays already
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(w->列表框1.CurrentSelection(), 2);  // b ended in order and c followed
}

TEST_F(Tracks, InOrderStopsAfterTheLastSongWithTheFirstSelected) {
  Select(2);
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(w->列表框1.CurrentSelection(), 0);
  EXPECT_EQ(SongName(), "a.mp3");
  EXPECT_TRUE(Quiet());
  Click(w->按钮_继续);  // nothing to continue
  EXPECT_TRUE(Quiet(800));
  EXPECT_EQ(Ends(), 1);
}

TEST_F(Tracks, LoopListWrapsToTheFirstSong) {
  Click(w->单选框_列表循环播放);
  Select(2);
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(w->列表框1.CurrentSelection(), 0);
  EXPECT_EQ(SongName(), "a.mp3");
  ASSERT_TRUE(WaitUntil([&] { return reports.back() < 100; }));  // item 0 is playing
  EXPECT_EQ(w->透明标签_状态.Caption(), "当前播放模式为：列表循环播放");
}

TEST_F(Tracks, RepeatOneReadsTheFolderAgainAndRestartsTheSong) {
  Click(w->单选框_单曲循环播放);
  Select(1);
  program.Write("目录.ini", "[配置]\r\n路径=/elsewhere\r\n");
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(MusicFolder, "/elsewhere");  // read again by the repeat
  EXPECT_EQ(w->列表框1.CurrentSelection(), 1);
  ASSERT_TRUE(WaitForEnds(2));  // played again, from its own folder
  EXPECT_EQ(w->透明标签_状态.Caption(), "当前播放模式为：单曲循环播放");
}

TEST_F(Tracks, AModeChangedDuringASongDecidesAtItsEnd) {
  Select(2);
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  Click(w->单选框_列表循环播放);
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(w->透明标签_状态.Caption(), "当前播放模式为：列表循环播放");
  EXPECT_EQ(w->列表框1.CurrentSelection(), 0);
  ASSERT_TRUE(WaitUntil([&] { return reports.back() < 100; }));  // looped: item 0 plays
}

TEST_F(Tracks, APressOnTheSliderSeeksTheSelectedSong) {
  auto* slider = static_cast<QSlider*>(w->滑块条1.Widget());
  Select(0);
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  struct Case {
    int x, stored_low, stored_high;
  } cases[] = {{133, 49, 51}, {0, 1, 1}};
  for (const Case& c : cases) {
    Settle();
    PressSlider(c.x);
    // The slider's own reaction stored the thumb's place and restarted the song there.
    EXPECT_GE(w->滑块条1.Position(), c.stored_low) << c.x;
    EXPECT_LE(w->滑块条1.Position(), c.stored_high) << c.x;
    EXPECT_TRUE(ReportBetween(c.stored_low - 4, c.stored_high)) << c.x;
  }
  EXPECT_EQ(SongName(), "a.mp3");  // a seek keeps the name
  // At 266 and beyond (287 computes 107): the thumb at 100, the song over at once, and in
  // order the next one follows.
  for (int x : {266, 287}) {
    int next = w->列表框1.CurrentSelection() + 1;
    Settle();
    PressSlider(x);
    EXPECT_EQ(slider->value(), 100) << x;
    ASSERT_TRUE(WaitForEnds(1)) << x;
    ASSERT_TRUE(WaitUntil([&] { return w->列表框1.CurrentSelection() == next; })) << x;
  }
}

TEST_F(Tracks, ADragRestartsTheSongAtEveryStep) {
  auto* slider = static_cast<QSlider*>(w->滑块条1.Widget());
  Select(0);
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }));
  w->滑块条1.SetPosition(10);
  int restarts = 0;
  auto seek = w->滑块条1.PositionChanged;
  w->滑块条1.PositionChanged = [&] {
    ++restarts;
    seek();
  };
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(30, 16));
  for (int x = 60; x <= 180; x += 40) QTest::mouseMove(slider, QPoint(x, 16));
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(180, 16));
  EXPECT_GE(restarts, 4);  // every step, and the release
  int at = slider->value();
  Settle();
  EXPECT_TRUE(ReportBetween(at - 4, at + 4)) << at;
}

TEST_F(Tracks, SongsWithoutSoundDoNotMakeThePlayerSpin) {
  TempFolder silent;
  for (const char* name : {"x.mp3", "y.mp3"}) silent.Write(name, "这不是歌曲");
  AnswerFolderPicker(silent.Path());
  Click(w->按钮_添加);
  Click(w->单选框_单曲循环播放);
  Select(3);
  ASSERT_TRUE(WaitForEnds(1, 3000));
  EXPECT_TRUE(Quiet(1000));
  EXPECT_EQ(Ends(), 1);  // not tried again and again
  // Loop: only silent songs in the list stop the loop once each has ended once.
  LoadProgramWindow(program.Path());  // the stored folder is now the silent one
  w = &MainWindow();
  w->标签1.Feedback = [this, handler = w->标签1.Feedback](int v, int e) {
    reports.push_back(v);
    handler(v, e);
  };
  reports.clear();
  Click(w->单选框_列表循环播放);
  Select(0);
  ASSERT_TRUE(WaitForEnds(2, 3000));
  EXPECT_TRUE(Quiet(1000));
  EXPECT_EQ(Ends(), 2);
}
