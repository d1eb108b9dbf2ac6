#include "volume/volume_commands.h"

#include <cstdint>

#include "ui/main_window.h"

void VolumeCommand() {
  MainWindowControls& w = MainWindow();
  SysVolume& line = w.系统音量1;
  line.OpenLine(4);
  double m = line.GetMaxVolume();
  double q = m / w.横向滚动条1.MaxPosition();
  double d = static_cast<double>(w.横向滚动条1.MaxPosition()) - w.横向滚动条1.Position();
  // Truncated toward zero to 64 bits, of which the level takes the low 32.
  auto v = static_cast<uint32_t>(static_cast<int64_t>(q * d));
  line.SetVolume(v, v);
  line.CloseLine(2);
}

void MuteCommand() {
  SysVolume& line = MainWindow().系统音量1;
  line.OpenLine(4);
  if (line.GetMute() == 1)
    line.SetMute(0);
  else
    line.SetMute(1);
  // The connection stays open until the next OpenLine.
}
