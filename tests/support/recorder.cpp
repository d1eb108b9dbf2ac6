#include "tests/support/recorder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace testing_support {

SinkRecorder::SinkRecorder() {
  const char* sink = std::getenv("TAZMEL_BENCH_SINK");
  if (!sink) return;
  file_ = "/tmp/tazmel-record-" + std::to_string(getpid()) + ".raw";
  std::string device = std::string("--device=") + sink + ".monitor";
  pid_ = fork();
  if (pid_ == 0) {
    int out = open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(126);
    execlp("parec", "parec", device.c_str(), "--format=s16le", "--rate=44100", "--channels=1", "--raw",
           "--latency-msec=10", static_cast<char*>(nullptr));
    _exit(127);
  }
  usleep(150 * 1000);  // parec connects before the sound starts
}

SinkRecorder::~SinkRecorder() {
  if (pid_ > 0) Stop();
}

std::vector<int16_t> SinkRecorder::Stop() {
  std::vector<int16_t> samples;
  if (pid_ <= 0) return samples;
  kill(pid_, SIGINT);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  std::ifstream in(file_, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  samples.resize(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  std::remove(file_.c_str());
  return samples;
}

double Frequency(const std::vector<int16_t>& samples, size_t from, size_t to) {
  to = std::min(to, samples.size());
  int crossings = 0;
  size_t first = 0, last = 0;
  for (size_t i = from + 1; i < to; ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      if (crossings == 0) first = i;
      last = i;
      ++crossings;
    }
  }
  if (crossings < 2) return 0;
  return (crossings - 1) * static_cast<double>(kRecordRate) / static_cast<double>(last - first);
}

double Loudness(const std::vector<int16_t>& samples, size_t from, size_t to) {
  to = std::min(to, samples.size());
  if (to <= from) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

size_t FirstSound(const std::vector<int16_t>& samples, int level) {
  for (size_t i = 0; i < samples.size(); ++i)
    if (std::abs(samples[i]) > level) return i;
  return samples.size();
}

}  // namespace testing_support
