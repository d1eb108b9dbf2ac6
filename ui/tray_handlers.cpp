#include "ui/tray_handlers.h"

#include "ui/main_window.h"

void TrayHandler(int code) {
  if (code != 1) return;
  toolkit::Window& window = MainWindow().窗口;
  if (window.Visible()) {
    window.SetVisible(false);
    return;
  }
  // WindowState acts on a shown window only, so it is written after showing.
  window.SetVisible(true);
  window.SetWindowState(1);
}

void RaiseHandler() {
  toolkit::Window& window = MainWindow().窗口;
  if (window.Visible() && window.WindowState() != 2) return;
  window.SetVisible(true);
  window.SetWindowState(1);
}

void MinimiseHandler() {
  toolkit::Window& window = MainWindow().窗口;
  if (window.WindowState() == 2) window.SetVisible(false);
}
