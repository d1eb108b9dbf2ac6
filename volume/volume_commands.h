// The volume bar (its left end loud, its right end silent) and the mute button, acting on the
// system's master output through 系统音量1. Nothing is read back into the window.
#pragma once

void VolumeCommand();
void MuteCommand();
