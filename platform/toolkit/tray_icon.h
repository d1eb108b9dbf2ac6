// The window's icon in the notification area (tray): put up, replaced or removed by SetTrayIcon,
// reporting mouse actions to the window as TrayEvent (1 left release, 2 double click,
// 3 right release or context menu).
#pragma once

#include <string_view>

#include "platform/toolkit/window.h"

// image: the bytes of an icon file, or nullptr for none; tip: at most its first 62 bytes are kept.
void SetTrayIcon(toolkit::Window& window, const std::string_view* image, std::string_view tip = {});

namespace toolkit {
bool HasTrayIcon(const Window& window);
// The window has a tray icon in a notification area that is there: a click can bring it back.
bool TrayCanBringBack(const Window& window);
// While the window is destroyed: same as SetTrayIcon without image or tip.
void RemoveTrayIcon(Window& window);
}  // namespace toolkit
