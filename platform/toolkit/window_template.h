// The stored description of a window and its controls, read by the window builder at start-up.
// Plain data: places and sizes in pixels, colours as (red, green, blue) 0 to 255.
#pragma once

#include <functional>
#include <span>

namespace toolkit {

class Window;

enum class ControlKind { Label, TransLabel, Button, RadioBox, ListBox, HScrollBar, SliderBar, SysVolume };

struct Colour {
  int red = 0, green = 0, blue = 0;
};

// How an opaque Label fills itself: a horizontal gradient through three colours (all three equal
// for a plain fill), optionally inside a raised three-dimensional frame.
struct Fill {
  Colour left, middle, right;
  bool raised = false;
};

// Font of a control. An empty face with height 0 is the default user-interface font; an empty
// face with a height is the system's default face at that pixel height.
struct FontSpec {
  const char* face = "";
  int height = 0;
};

// Minimum, maximum, start position and the steps of an arrow and of a page.
struct Range {
  int minimum = 0, maximum = 0, position = 0, line = 1, page = 1;
};

struct ControlTemplate {
  const char* name;
  ControlKind kind;
  int left = 0, top = 0, width = 0, height = 0;
  const char* text = "";
  bool visible = true;
  Fill fill{};
  FontSpec font{};
  Range range{};
  bool checked = false;
};

struct WindowTemplate {
  const char* name;
  const char* caption;
  int outer_width, outer_height;  // frame and title bar included
  bool visible;
  std::span<const ControlTemplate> controls;  // top of the stacking order first
  const char* background;                     // resource path of the background picture
  const char* icon;                           // resource path of the icon file
  // Binds the program's handlers to the window's and controls' events once they all exist.
  void (*bind_events)(Window&);
};

}  // namespace toolkit
