// How quickly a playback got going: the time from PlayFile to the first decoded sound written
// to its output, for the benchmarks. Written by playback threads, read by anyone.
#pragma once

#include <atomic>
#include <cstdint>

namespace audio {
// Nanoseconds from the latest playback's start to its first write; -1 until that write.
std::atomic<int64_t>& FirstWriteNanoseconds();
}  // namespace audio
