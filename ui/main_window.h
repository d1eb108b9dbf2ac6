// MainWindow and its controls by their names, as the program's handlers use them.
#pragma once

#include "platform/mixer/sys_volume.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/window.h"

struct MainWindowControls {
  explicit MainWindowControls(toolkit::Window& window);

  toolkit::Window& 窗口;
  toolkit::Label& 标签4;
  toolkit::Label& 标签3;
  toolkit::TransLabel& 透明标签_歌曲名;
  toolkit::Label& 标签2;
  toolkit::TransLabel& 透明标签_状态;
  toolkit::Button& 按钮_静音;
  SysVolume& 系统音量1;
  toolkit::TransLabel& 透明标签2;
  toolkit::HScrollBar& 横向滚动条1;
  toolkit::Button& 按钮_继续;
  toolkit::Label& 标签1;
  toolkit::ListBox& 列表框1;
  toolkit::RadioBox& 单选框_列表顺序播放;
  toolkit::RadioBox& 单选框_列表循环播放;
  toolkit::RadioBox& 单选框_单曲循环播放;
  toolkit::Button& 按钮_添加;
  toolkit::Button& 按钮_退出;
  toolkit::Button& 按钮_暂停;
  toolkit::Button& 按钮_下一首;
  toolkit::Button& 按钮_上一首;
  toolkit::Button& 按钮_播放;
  toolkit::SliderBar& 滑块条1;
};

// Names the controls of a freshly built MainWindow; called while binding its events.
MainWindowControls& NameMainWindow(toolkit::Window& window);
// The loaded MainWindow's controls, from loading until the end of the program.
MainWindowControls& MainWindow();
