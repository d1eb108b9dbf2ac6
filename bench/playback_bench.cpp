// Prints, for one generated song played into the current sound server (the bench's null sink):
// CPU seconds per minute of audio for the playback service and for `mpg123 -o pulse`; the time
// from PlayFile to the first sample written; the time of a seek restart; resident memory and
// threads before and after 1,000 PlayFile calls.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio/playback_service.h"
#include "platform/audio/playback_timing.h"
#include "platform/toolkit/controls.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/songs.h"
#include "tests/support/temp_folder.h"

namespace {

double CpuSeconds(int who) {
  rusage usage;
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long Status(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
  return -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing_support::TempFolder folder;
  const double seconds = 20;
  std::string song = testing_support::MakeSong(
      folder / "bench.mp3", {seconds, 44100, 2, [](double t) { return 300 + 200 * std::sin(t); }, "-V 2"});
  auto window = testing_support::BuildMainWindow();
  toolkit::Label& label = window->Get<toolkit::Label>("标签1");
  int reached = -1;
  label.Feedback = [&](int value, int) { reached = value; };

  // CPU for a whole song, ours then mpg123's.
  double before = CpuSeconds(RUSAGE_SELF);
  PlayFile(song, label);
  while (reached != 100) QTest::qWait(250);  // a slow poll, so that the bench itself costs little
  double ours = (CpuSeconds(RUSAGE_SELF) - before) * 60 / seconds;
  double children_before = CpuSeconds(RUSAGE_CHILDREN);
  std::string command = "mpg123 -q -o pulse '" + song + "'";
  int rc = std::system(command.c_str());
  double theirs = (CpuSeconds(RUSAGE_CHILDREN) - children_before) * 60 / seconds;
  std::printf("CPU per minute of audio: ours %.3f s, mpg123 -o pulse %.3f s%s\n", ours, theirs,
              rc == 0 ? "" : " (mpg123 failed)");

  // First sample, from the beginning and after a seek while playing.
  std::vector<double> first, seek;
  auto time_to_first_write = [](auto start_playing) {
    int64_t start = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    start_playing();
    testing_support::WaitUntil([&] { return audio::FirstWriteTime() >= 0; }, 5000);
    return (audio::FirstWriteTime() - start) / 1e6;
  };
  for (int run = 0; run < 20; ++run) {
    first.push_back(time_to_first_write([&] { PlayFile(song, label); }));
    QTest::qWait(100);
    seek.push_back(time_to_first_write([&] { PlayFile(song, 50, label); }));
    QTest::qWait(100);
  }
  std::printf("PlayFile to first sample written: median %.2f ms, max %.2f ms (target 20 ms)\n", Median(first),
              *std::max_element(first.begin(), first.end()));
  std::printf("seek restart to first sample written: median %.2f ms, max %.2f ms (target 20 ms)\n", Median(seek),
              *std::max_element(seek.begin(), seek.end()));

  // 1,000 plays in a row.
  long rss_before = Status("VmRSS:"), threads_before = Status("Threads:");
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 1000; ++i) {
    PlayFile(song, i % 101, label);
    QCoreApplication::processEvents();
  }
  PlayFile("", label);
  QTest::qWait(200);
  long rss_after = Status("VmRSS:"), threads_after = Status("Threads:");
  std::printf("1,000 PlayFile calls in %.1f s: resident memory %.1f MB -> %.1f MB, threads %ld -> %ld\n",
              clock.elapsed() / 1000.0, rss_before / 1024.0, rss_after / 1024.0, threads_before, threads_after);
  return 0;
}
