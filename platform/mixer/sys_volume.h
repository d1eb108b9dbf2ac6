// SysVolume: the program's handle on the system's master output, PulseAudio's default sink (the
// master output on PulseAudio and PipeWire desktops). Every call on the server is bounded in
// time; without a server or a sink the operations do nothing and say so in their results.
#pragma once

#include <cstdint>

#include "platform/toolkit/controls.h"

class SysVolume : public toolkit::Component {
 public:
  using Component::Component;

  // Releases both connections, then connects the volume and mute controls of the master line.
  // Only the selector 4 names a line. 1 both connected, 0 neither, -2 volume only, -1 mute only.
  int OpenLine(int selector);
  // 0 the volume control, 1 the mute control, anything else both. Always 1.
  int CloseLine(int which);
  // 1 muted, 0 sounding, -1 when the mute control is not connected or cannot be read.
  int GetMute();
  // 1 to mute, 0 to sound. 1 on success, 0 otherwise.
  int SetMute(int value);
  // The volume control's maximum (PulseAudio's normal volume, 100 %) as the last successful
  // OpenLine found it; 0 before any.
  uint32_t GetMaxVolume() const { return max_volume_; }
  // Left to the first channel, right to the second (a mono line takes left only; further
  // channels keep their levels). 1 on success, 0 otherwise.
  int SetVolume(uint32_t left, uint32_t right);

 private:
  bool volume_open_ = false, mute_open_ = false;
  uint32_t sink_ = 0;  // the line: the default sink's index
  uint32_t max_volume_ = 0;
};
