#include "playback/track_commands.h"

#include "app/program_state.h"
#include "platform/audio/playback_service.h"
#include "playlist/music_folder.h"
#include "ui/main_window.h"

Text SongPath(int index) {
  toolkit::ListBox& list = MainWindow().列表框1;
  Text name = list.ItemText(index);
  // Each item is played from the folder it was listed from, so that the songs of an earlier
  // folder still play after another folder has been added.
  bool listed = index >= 0 && index < list.ItemCount();
  return JoinText({listed ? list.ItemFolder(index) : MusicFolder, "\\", name});
}

void PlaySelection() {
  MainWindowControls& w = MainWindow();
  PlayFile(SongPath(w.列表框1.CurrentSelection()), w.标签1);
  w.透明标签_歌曲名.SetCaption(w.列表框1.ItemText(w.列表框1.CurrentSelection()));
}

void PlayCommand() {
  ReadMusicFolder();
  PlaySelection();
}

void NextCommand() {
  toolkit::ListBox& list = MainWindow().列表框1;
  list.SetCurrentSelection(list.CurrentSelection() + 1);
  PlaySelection();
}

void PreviousCommand() {
  toolkit::ListBox& list = MainWindow().列表框1;
  list.SetCurrentSelection(list.CurrentSelection() - 1);
  PlaySelection();
}

void PauseCommand() { PausePlayback(); }

void ContinueCommand() { ResumePlayback(); }
