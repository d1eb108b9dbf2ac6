// Between the window and the life cycle, inside the platform layer.
#pragma once

namespace toolkit {
class Window;

// A loaded window has been destroyed: with the loop running and no window left, the loop ends.
void WindowDestroyed(Window& window);
}  // namespace toolkit
