// The progress slider and the play modes: reports move the slider and show the mode; the end of
// a song repeats it, moves on, wraps or stops by the checked mode; the user seeks with the slider.
#pragma once

// Feedback of 标签1: a report of `value` percent (0 to 100); `extra` is always 0.
void ProgressHandler(int value, int extra);
// LeftMousePressed of 滑块条1: puts the thumb under the press, before the slider reacts.
void SliderPressHandler(int x, int y, int keys);
// PositionChanged of 滑块条1: plays the selected song from the slider's percentage.
void SeekCommand();
