// The track commands: play the selected song, the next, the previous; pause and continue.
#pragma once

#include "platform/text.h"

// Plays the item at CurrentSelection from its beginning and shows its name.
void PlaySelection();
// Reads the music folder again, then PlaySelection.
void PlayCommand();
void NextCommand();
void PreviousCommand();
void PauseCommand();
void ContinueCommand();

// The path of the item at `index`: the folder it was listed from, "\" and its name; with no
// item there, MusicFolder and "\".
Text SongPath(int index);
