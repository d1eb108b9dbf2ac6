#include "app/start_and_exit.h"

#include <string_view>

#include "platform/toolkit/life_cycle.h"
#include "platform/toolkit/program_icon.h"
#include "platform/toolkit/tray_icon.h"
#include "playlist/music_folder.h"
#include "playlist/playlist.h"
#include "ui/main_window.h"

void MainWindowCreated() {
  SetVisualStyle(2);
  std::string_view icon = ProgramIcon();
  SetTrayIcon(MainWindow().窗口, &icon);
  ReadMusicFolder();
  LoadPlaylist();
}

void ExitCommand() { RequestWindowDestroy(MainWindow().窗口); }
