#include "app/program_state.h"

Text MusicFolder;
Text FoundFileName;

void ReleaseProgramState() {
  Text().swap(MusicFolder);
  Text().swap(FoundFileName);
}
