#include "tests/support/sound_server.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace testing_support {

PrivateSoundServer::PrivateSoundServer() {
  char pattern[] = "/tmp/tazmel-pulse.XXXXXX";
  folder_ = mkdtemp(pattern) ? pattern : "/tmp";
}

PrivateSoundServer::~PrivateSoundServer() {
  Kill();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool PrivateSoundServer::Start() {
  Kill();
  std::string socket = "module-native-protocol-unix auth-anonymous=1 socket=" + folder_ + "/native";
  pid_ = fork();
  if (pid_ == 0) {
    setenv("HOME", folder_.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    // Off the session bus: a server there claims names another server of the bench holds.
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder_ + "/no-bus").c_str(), 1);
    execlp("pulseaudio", "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
           "--log-target=stderr", "--log-level=0", "-L", "module-null-sink sink_name=private_out", "-L",
           socket.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  std::string check = "PULSE_SERVER=" + Address() + " pactl info >/dev/null 2>&1";
  for (int i = 0; i < 100; ++i) {
    if (std::system(check.c_str()) == 0) return true;
    usleep(50 * 1000);
  }
  return false;
}

void PrivateSoundServer::Freeze() {
  if (pid_ > 0) kill(pid_, SIGSTOP);
}

void PrivateSoundServer::Thaw() {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

std::string PrivateSoundServer::Pactl(const std::string& arguments) const {
  std::string command = "PULSE_SERVER=" + Address() + " pactl " + arguments + " 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

void PrivateSoundServer::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  std::error_code ignored;
  std::filesystem::remove(folder_ + "/native", ignored);
}

}  // namespace testing_support
