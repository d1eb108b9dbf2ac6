#include "platform/toolkit/events.h"

namespace toolkit {
namespace {
int suppression = 0;  // user-interface thread only
}

bool EventsSuppressed() { return suppression > 0; }
void RaiseSuppression() { ++suppression; }
void LowerSuppression() {
  if (suppression > 0) --suppression;
}

}  // namespace toolkit
