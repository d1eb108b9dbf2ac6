#include "playlist/music_folder.h"

#include "app/program_state.h"
#include "platform/files/profile_file.h"
#include "platform/files/program_directory.h"

namespace {
Text ConfigurationPath() { return JoinText({ProgramDirectory(), "\\目录.ini"}); }
}  // namespace

void ReadMusicFolder() { MusicFolder = ReadProfileText(ConfigurationPath(), "配置", "路径"); }

void StoreMusicFolder(std::string_view folder) { WriteProfileText(ConfigurationPath(), "配置", "路径", folder); }
