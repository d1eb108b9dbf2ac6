#include "ui/main_window_template.h"

namespace {

using toolkit::Colour;
using toolkit::ControlKind;
using toolkit::ControlTemplate;
using toolkit::Fill;
using toolkit::FontSpec;
using toolkit::Range;

constexpr Colour kGreen{128, 224, 0};
constexpr Colour kPink{255, 128, 192};
constexpr Colour kYellow{255, 255, 0};
constexpr Fill kCap{kGreen, kGreen, kGreen, false};
constexpr Fill kLowerStrip{kGreen, kPink, kGreen, true};
constexpr Fill kUpperStrip{kGreen, kYellow, kGreen, true};
constexpr FontSpec kUiFont{};
constexpr FontSpec kSong12{"宋体", 12};
constexpr FontSpec kDefault12{"", 12};
constexpr FontSpec kDefault14{"", 14};

// Top of the stacking order first: each control lies above every control after it.
// name, kind, left, top, width, height, text, visible, fill, font, range, checked
constexpr ControlTemplate kControls[] = {
    {"标签4", ControlKind::Label, 9, 4, 10, 28, "", true, kCap},
    {"标签3", ControlKind::Label, 285, 4, 9, 28, "", true, kCap},
    {"透明标签_歌曲名", ControlKind::TransLabel, 8, 37, 288, 17, "", true, {}, kSong12},
    {"标签2", ControlKind::Label, 8, 22, 288, 13, "", true, kLowerStrip},
    {"透明标签_状态", ControlKind::TransLabel, 7, 139, 195, 22, "", true, {}, kDefault14},
    {"按钮_静音", ControlKind::Button, 394, 89, 36, 21, "静音", true, {}, kSong12},
    {"系统音量1", ControlKind::SysVolume},
    {"透明标签2", ControlKind::TransLabel, 9, 56, 56, 20, "音量调节：", true, {}, kUiFont},
    {"横向滚动条1", ControlKind::HScrollBar, 65, 61, 103, 9, "", true, {}, kUiFont, Range{1, 1000, 1, 1, 10}},
    {"按钮_继续", ControlKind::Button, 334, 89, 36, 21, "继续", true, {}, kDefault12},
    {"标签1", ControlKind::Label, 8, 1, 288, 13, "", true, kUpperStrip},
    {"列表框1", ControlKind::ListBox, 0, 162, 445, 140, "", true, {}, kDefault14},
    {"单选框_列表顺序播放", ControlKind::RadioBox, 346, 119, 80, 20, "列表顺序播放", true, {}, kUiFont, {}, true},
    {"单选框_列表循环播放", ControlKind::RadioBox, 113, 119, 80, 20, "列表循环播放", true, {}, kUiFont},
    {"单选框_单曲循环播放", ControlKind::RadioBox, 8, 119, 80, 20, "单曲循环播放", true, {}, kUiFont},
    {"按钮_添加", ControlKind::Button, 360, 12, 70, 24, "添加歌曲", true, {}, kDefault12},
    {"按钮_退出", ControlKind::Button, 360, 51, 70, 24, "退出播放", true, {}, kDefault14},
    {"按钮_暂停", ControlKind::Button, 140, 89, 36, 21, "暂停", true, {}, kDefault12},
    {"按钮_下一首", ControlKind::Button, 74, 89, 44, 21, "下一首", true, {}, kDefault12},
    {"按钮_上一首", ControlKind::Button, 8, 89, 44, 21, "上一首", true, {}, kDefault12},
    {"按钮_播放", ControlKind::Button, 312, 15, 16, 24, "播放", false, {}, kDefault14},
    {"滑块条1", ControlKind::SliderBar, 8, 2, 288, 32, "", true, {}, kUiFont, Range{1, 100, 1, 1, 1}},
};

}  // namespace

const toolkit::WindowTemplate& MainWindowTemplate() {
  static const toolkit::WindowTemplate main_window{
      "MainWindow", "欢迎使用Tazmelmp3播放器！", 452, 335, true, kControls,
      ":/assets/background.jpg", ":/assets/tazmel.ico", nullptr};
  return main_window;
}
