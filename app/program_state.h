// The program-wide texts: the music folder read last, and the name being added while the
// playlist is filled. Both empty at start; released by the exit routine.
#pragma once

#include "platform/text.h"

extern Text MusicFolder;
extern Text FoundFileName;

// The exit routine: runs once, during the orderly end.
void ReleaseProgramState();
