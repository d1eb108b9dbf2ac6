#include "ui/main_window.h"

#include <memory>

MainWindowControls::MainWindowControls(toolkit::Window& w)
    : 窗口(w),
      标签4(w.Get<toolkit::Label>("标签4")),
      标签3(w.Get<toolkit::Label>("标签3")),
      透明标签_歌曲名(w.Get<toolkit::TransLabel>("透明标签_歌曲名")),
      标签2(w.Get<toolkit::Label>("标签2")),
      透明标签_状态(w.Get<toolkit::TransLabel>("透明标签_状态")),
      按钮_静音(w.Get<toolkit::Button>("按钮_静音")),
      系统音量1(w.Get<SysVolume>("系统音量1")),
      透明标签2(w.Get<toolkit::TransLabel>("透明标签2")),
      横向滚动条1(w.Get<toolkit::HScrollBar>("横向滚动条1")),
      按钮_继续(w.Get<toolkit::Button>("按钮_继续")),
      标签1(w.Get<toolkit::Label>("标签1")),
      列表框1(w.Get<toolkit::ListBox>("列表框1")),
      单选框_列表顺序播放(w.Get<toolkit::RadioBox>("单选框_列表顺序播放")),
      单选框_列表循环播放(w.Get<toolkit::RadioBox>("单选框_列表循环播放")),
      单选框_单曲循环播放(w.Get<toolkit::RadioBox>("单选框_单曲循环播放")),
      按钮_添加(w.Get<toolkit::Button>("按钮_添加")),
      按钮_退出(w.Get<toolkit::Button>("按钮_退出")),
      按钮_暂停(w.Get<toolkit::Button>("按钮_暂停")),
      按钮_下一首(w.Get<toolkit::Button>("按钮_下一首")),
      按钮_上一首(w.Get<toolkit::Button>("按钮_上一首")),
      按钮_播放(w.Get<toolkit::Button>("按钮_播放")),
      滑块条1(w.Get<toolkit::SliderBar>("滑块条1")) {}

namespace {
std::unique_ptr<MainWindowControls>& Named() {
  static std::unique_ptr<MainWindowControls> named;
  return named;
}
}  // namespace

MainWindowControls& NameMainWindow(toolkit::Window& window) {
  Named() = std::make_unique<MainWindowControls>(window);
  return *Named();
}

MainWindowControls& MainWindow() { return *Named(); }
