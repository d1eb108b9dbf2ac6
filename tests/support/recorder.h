// Records what the headless bench's null sink plays, from its monitor, with parec: 16-bit mono
// samples at 44100 Hz. Only the bench's own sound server is ever recorded.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class SinkRecorder {
 public:
  // Starts recording at once; false from Started() outside the bench.
  SinkRecorder();
  ~SinkRecorder();
  bool Started() const { return pid_ > 0; }
  // Stops and yields everything recorded.
  std::vector<int16_t> Stop();

 private:
  pid_t pid_ = -1;
  std::string file_;
};

// The dominant frequency of samples[from, to) in Hz, by counting rising zero crossings.
double Frequency(const std::vector<int16_t>& samples, size_t from, size_t to);
// Root mean square of samples[from, to).
double Loudness(const std::vector<int16_t>& samples, size_t from, size_t to);
// Index of the first sample louder than `level`, or samples.size().
size_t FirstSound(const std::vector<int16_t>& samples, int level = 2000);

constexpr int kRecordRate = 44100;

}  // namespace testing_support
