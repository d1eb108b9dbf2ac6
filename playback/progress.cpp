#include "playback/progress.h"

#include <array>

#include "platform/audio/playback_service.h"
#include "playback/track_commands.h"
#include "ui/main_window.h"

namespace {

// Songs that ended in a row without any sound: the loop stops once the whole list has.
int silent_ends = 0;

bool OnLastItem() {
  toolkit::ListBox& list = MainWindow().列表框1;
  return list.CurrentSelection() == list.ItemCount() - 1;
}

void RepeatOne() {
  // A song without sound would start again and again at once: it is left stopped.
  if (PlaybackEndedSilent()) return;
  PlayCommand();
}

void LoopList() {
  if (PlaybackEndedSilent()) {
    if (++silent_ends >= MainWindow().列表框1.ItemCount()) return;
  } else {
    silent_ends = 0;
  }
  if (OnLastItem()) {
    MainWindow().列表框1.SetCurrentSelection(0);
    PlaySelection();
  } else {
    NextCommand();
  }
}

void InOrder() {
  if (OnLastItem()) {
    MainWindowControls& w = MainWindow();
    w.列表框1.SetCurrentSelection(0);
    w.透明标签_歌曲名.SetCaption(w.列表框1.ItemText(w.列表框1.CurrentSelection()));
  } else {
    NextCommand();
  }
}

struct PlayMode {
  toolkit::RadioBox& (*radio)();
  const char* status;
  void (*end_of_song)();
};

// In the order the radios are tested: the first checked one decides.
const std::array<PlayMode, 3> kModes{{
    {[]() -> toolkit::RadioBox& { return MainWindow().单选框_单曲循环播放; }, "当前播放模式为：单曲循环播放", RepeatOne},
    {[]() -> toolkit::RadioBox& { return MainWindow().单选框_列表循环播放; }, "当前播放模式为：列表循环播放", LoopList},
    {[]() -> toolkit::RadioBox& { return MainWindow().单选框_列表顺序播放; }, "当前播放模式为：列表顺序播放", InOrder},
}};

}  // namespace

void ProgressHandler(int value, int) {
  MainWindow().滑块条1.SetPosition(value);
  for (const PlayMode& mode : kModes) {
    if (!mode.radio().Checked()) continue;
    MainWindow().透明标签_状态.SetCaption(mode.status);
    if (value == 100) mode.end_of_song();
    return;
  }
}

void SliderPressHandler(int x, int, int) {
  MainWindow().滑块条1.SetPosition(static_cast<int>(static_cast<double>(x) * 100.0 / 266.0));
}

void SeekCommand() {
  MainWindowControls& w = MainWindow();
  PlayFile(SongPath(w.列表框1.CurrentSelection()), w.滑块条1.Position(), w.标签1);
}
