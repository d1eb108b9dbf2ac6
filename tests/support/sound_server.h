// A PulseAudio daemon of a test's own, on a socket of its own with a null sink, that the test
// can kill and start again. Clients reach it through PULSE_SERVER; never the user's server.
#pragma once

#include <sys/types.h>

#include <string>

namespace testing_support {

class PrivateSoundServer {
 public:
  PrivateSoundServer();
  ~PrivateSoundServer();
  // Starts the daemon and waits until it answers; false if it did not come up.
  bool Start();
  // Kills it at once (SIGKILL), as a crash would.
  void Kill();
  // Stops it answering (SIGSTOP), as a hung server would, and lets it go on (SIGCONT).
  void Freeze();
  void Thaw();
  // Runs pactl against it; yields what pactl printed.
  std::string Pactl(const std::string& arguments) const;
  // "unix:/path/to/socket", for PULSE_SERVER.
  std::string Address() const { return "unix:" + folder_ + "/native"; }

 private:
  std::string folder_;
  pid_t pid_ = -1;
};

}  // namespace testing_support
