// Which handler runs for which event of MainWindow and its controls.
#pragma once

namespace toolkit {
class Window;
}

void BindMainWindowEvents(toolkit::Window& window);
