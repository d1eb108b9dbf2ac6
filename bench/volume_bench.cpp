// Prints the time of one VolumeCommand step during a drag of the volume bar, on the current
// sound server (the bench's), from the bar's change to the level set on the server.
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/support/program_window.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing_support::TempFolder program;
  testing_support::LoadProgramWindow(program.Path());
  auto* bar = static_cast<QScrollBar*>(MainWindow().横向滚动条1.Widget());
  std::vector<double> steps;
  bar->setSliderDown(true);
  for (int round = 0; round < 3; ++round) {
    for (int p = 2; p <= 1000; p += 5) {
      QElapsedTimer clock;
      clock.start();
      bar->setSliderPosition(round % 2 ? 1002 - p : p);
      steps.push_back(clock.nsecsElapsed() / 1e6);
    }
  }
  bar->setSliderDown(false);
  std::sort(steps.begin(), steps.end());
  std::printf("volume drag step: median %.2f ms, 99th percentile %.2f ms, max %.2f ms (%zu steps; target 5 ms)\n",
              steps[steps.size() / 2], steps[steps.size() * 99 / 100], steps.back(), steps.size());
  return 0;
}
