// The one remembered setting: the music folder, under "配置"/"路径" of "目录.ini" in the
// program's directory.
#pragma once

#include <string_view>

// MusicFolder holds the stored folder, or the empty text.
void ReadMusicFolder();
// The configuration file holds the folder; MusicFolder is left as it is.
void StoreMusicFolder(std::string_view folder);
