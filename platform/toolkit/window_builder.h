// Builds a window and all its controls from its template: hidden, controls stacked in template
// order (the first on top), tab order in the same order, no event delivered meanwhile.
#pragma once

#include <memory>

#include "platform/toolkit/window.h"
#include "platform/toolkit/window_template.h"

namespace toolkit {
std::unique_ptr<Window> BuildWindow(const WindowTemplate& description);
}
