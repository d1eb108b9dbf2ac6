// The platform-drawn look of standard controls in three colour schemes (1 blue, 2 olive green,
// 3 silver), applied application-wide: to every existing window and to every later one,
// message boxes and the folder picker included. Lists, scroll bars, sliders and labels keep
// their own look.
#pragma once

class QStyle;

namespace toolkit {
// Yields true when a scheme is on afterwards.
bool ApplyVisualStyle(int scheme);
// The scheme in force, 0 when the look is off.
int CurrentVisualScheme();
}  // namespace toolkit
