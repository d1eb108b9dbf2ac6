// The playlist 列表框1: filled from MusicFolder at start-up and grown by the add button. Each
// item shows a bare file name and keeps the folder it was listed from, to be played from there.
#pragma once

// Appends every "*.mp3" name of MusicFolder.
void LoadPlaylist();
// The add button: pick a folder, remember it, append its "*.mp3" names. A cancelled picker
// changes nothing.
void AddCommand();
