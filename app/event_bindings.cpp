#include "app/event_bindings.h"

#include "app/start_and_exit.h"
#include "platform/desktop/media_controls.h"
#include "playback/progress.h"
#include "playback/track_commands.h"
#include "playlist/playlist.h"
#include "ui/main_window.h"
#include "ui/tray_handlers.h"
#include "volume/volume_commands.h"

void BindMainWindowEvents(toolkit::Window& window) {
  MainWindowControls& w = NameMainWindow(window);
  w.窗口.Created = MainWindowCreated;
  w.窗口.TrayEvent = TrayHandler;
  w.窗口.PositionChanged = MinimiseHandler;
  w.按钮_静音.Clicked = MuteCommand;
  w.横向滚动条1.PositionChanged = VolumeCommand;
  w.按钮_继续.Clicked = ContinueCommand;
  w.标签1.Feedback = ProgressHandler;
  w.列表框1.ListItemSelected = PlayCommand;
  w.按钮_添加.Clicked = AddCommand;
  w.按钮_退出.Clicked = ExitCommand;
  w.按钮_暂停.Clicked = PauseCommand;
  w.按钮_下一首.Clicked = NextCommand;
  w.按钮_上一首.Clicked = PreviousCommand;
  w.按钮_播放.Clicked = PlayCommand;
  w.滑块条1.PositionChanged = SeekCommand;
  w.滑块条1.LeftMousePressed = SliderPressHandler;

  // Media keys and the desktop's player controls press the same buttons.
  OfferMediaControls(window, {.play = ContinueCommand,
                              .pause = PauseCommand,
                              .next = NextCommand,
                              .previous = PreviousCommand,
                              .raise = RaiseHandler,
                              .quit = ExitCommand,
                              .title = &w.透明标签_歌曲名});
}
