// Prints the time from a user's selection in the playlist to the first sample of that song
// written to the sound server, and from a press on the progress slider to the first sample at
// the new place: the real window with the program's handlers, events as Qt delivers them.
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/audio/playback_service.h"
#include "platform/audio/playback_timing.h"
#include "tests/support/program_window.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

namespace {
int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
template <class Act>
double ToFirstSample(Act act) {
  int64_t start = Now();
  act();
  testing_support::WaitUntil([] { return audio::FirstWriteTime() >= 0; }, 5000);
  return (audio::FirstWriteTime() - start) / 1e6;
}
}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing_support::TempFolder program, music;
  for (int i = 0; i < 4; ++i)
    testing_support::MakeSong(music / ("歌" + std::to_string(i) + ".mp3"),
                              {30.0, 44100, 2, [i](double) { return 300.0 + 100 * i; }, "-V 2"});
  program.Write("目录.ini", "[配置]\r\n路径=" + music.Path() + "\r\n");
  testing_support::LoadProgramWindow(program.Path());
  MainWindowControls& w = MainWindow();
  auto* list = static_cast<QListWidget*>(w.列表框1.Widget());
  auto* slider = static_cast<QSlider*>(w.滑块条1.Widget());
  std::vector<double> select, seek;
  for (int run = 0; run < 20; ++run) {
    QPoint item = list->visualItemRect(list->item(run % 4)).center();
    select.push_back(ToFirstSample([&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item); }));
    QTest::qWait(150);
    QPoint band(40 + (run * 37) % 220, 16);
    seek.push_back(ToFirstSample([&] {
      QTest::mousePress(slider, Qt::LeftButton, {}, band);
      QTest::mouseRelease(slider, Qt::LeftButton, {}, band);
    }));
    QTest::qWait(150);
  }
  PlayFile("", w.标签1);
  std::printf("selection to first sample: median %.2f ms, max %.2f ms (target 30 ms)\n", Median(select),
              *std::max_element(select.begin(), select.end()));
  std::printf("slider press to first sample: median %.2f ms, max %.2f ms (target 30 ms)\n", Median(seek),
              *std::max_element(seek.begin(), seek.end()));
  return 0;
}
