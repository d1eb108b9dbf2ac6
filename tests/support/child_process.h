// Runs a piece of a test in a child process: to drop root's rights (root may write anywhere),
// to set resource limits, or to have several writers at once.
#pragma once

#include <functional>

namespace testing_support {

// The body's result as the child's exit code (0 to 255); -1 if the child did not exit normally.
int RunInChild(const std::function<int()>& body);
// As RunInChild, as the unprivileged user "nobody" (uid and gid 65534).
int RunAsNobody(const std::function<int()>& body);

}  // namespace testing_support
