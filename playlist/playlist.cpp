#include "playlist/playlist.h"

#include "app/program_state.h"
#include "platform/files/file_search.h"
#include "platform/toolkit/folder_picker.h"
#include "playlist/music_folder.h"
#include "ui/main_window.h"

namespace {
void AddSong(std::string_view name, std::string_view folder) {
  toolkit::ListBox& list = MainWindow().列表框1;
  list.SetItemFolder(list.AddItem(name), folder);
}
}  // namespace

void LoadPlaylist() {
  SearchHandle handle;
  FoundFileName = FindFile(JoinText({MusicFolder, "\\*.mp3"}), handle);
  while (CompareText(FoundFileName, "") != 0) {
    AddSong(FoundFileName, MusicFolder);
    FoundFileName = FindFile("", handle);
  }
  CloseFind(handle);
}

void AddCommand() {
  Text folder = BrowseForFolder("寻找MP3文件");
  if (folder.empty()) return;  // cancelled: nothing searched, nothing stored
  SearchHandle handle;
  Text name = FindFile(JoinText({folder, "\\*.mp3"}), handle);
  StoreMusicFolder(folder);
  while (CompareText(name, "") != 0) {
    AddSong(name, folder);
    name = FindFile("", handle);
  }
  CloseFind(handle);
}
