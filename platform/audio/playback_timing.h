// When the latest playback wrote its first decoded sound to its output, for the benchmarks.
// Written by playback threads, read by anyone.
#pragma once

#include <atomic>
#include <cstdint>

namespace audio {
// steady_clock time in nanoseconds of the latest playback's first write; -1 until that write.
std::atomic<int64_t>& FirstWriteTime();
}  // namespace audio
