// Event delivery to the program's handlers: synchronous, on the user-interface thread, and
// nothing at all while event suppression (a nesting count) is above zero.
#pragma once

#include <functional>
#include <utility>

namespace toolkit {

bool EventsSuppressed();
void RaiseSuppression();
void LowerSuppression();

template <class Signature, class... Args>
void Deliver(const std::function<Signature>& handler, Args&&... args) {
  if (handler && !EventsSuppressed()) handler(std::forward<Args>(args)...);
}

// Raises suppression for the life of a scope.
struct SuppressionScope {
  SuppressionScope() { RaiseSuppression(); }
  ~SuppressionScope() { LowerSuppression(); }
  SuppressionScope(const SuppressionScope&) = delete;
  SuppressionScope& operator=(const SuppressionScope&) = delete;
};

}  // namespace toolkit
