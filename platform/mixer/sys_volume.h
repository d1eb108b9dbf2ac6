// SysVolume: the program's handle on the system's master output (volume and mute).
#pragma once

#include "platform/toolkit/controls.h"

class SysVolume : public toolkit::Component {
 public:
  using Component::Component;
};
