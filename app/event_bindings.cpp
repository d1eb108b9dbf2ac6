#include "app/event_bindings.h"

#include "app/start_and_exit.h"
#include "playlist/playlist.h"
#include "ui/main_window.h"
#include "ui/tray_handlers.h"

void BindMainWindowEvents(toolkit::Window& window) {
  MainWindowControls& w = NameMainWindow(window);
  w.窗口.Created = MainWindowCreated;
  w.窗口.TrayEvent = TrayHandler;
  w.窗口.PositionChanged = MinimiseHandler;
  w.按钮_添加.Clicked = AddCommand;
  w.按钮_退出.Clicked = ExitCommand;
}
