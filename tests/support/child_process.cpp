#include "tests/support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {
namespace {
int Run(const std::function<int()>& body, bool drop_rights) {
  pid_t pid = fork();
  if (pid == 0) {
    if (drop_rights && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(254);
    _exit(body());
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
}  // namespace

int RunInChild(const std::function<int()>& body) { return Run(body, false); }
int RunAsNobody(const std::function<int()>& body) { return Run(body, geteuid() == 0); }

}  // namespace testing_support
