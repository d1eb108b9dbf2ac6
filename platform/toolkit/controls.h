// The control kinds of a window, as the program's handlers use them: properties that clamp
// instead of failing, and events that fire for the user's changes only. Every event runs on the
// user-interface thread, and none while event suppression is raised.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/text.h"

class QWidget;

namespace toolkit {

// Anything a window description names: a control, or a component without a surface.
class Component {
 public:
  explicit Component(std::string name) : name_(std::move(name)) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

class Control : public Component {
 public:
  Control(std::string name, QWidget* widget);
  ~Control() override;

  // Left button down over the control, before the control reacts: x, y in the control's client
  // coordinates, keys held as the sum of 1 Ctrl, 2 Shift, 4 Alt.
  std::function<void(int x, int y, int keys)> LeftMousePressed;

  QWidget* Widget() const { return widget_; }  // for the platform layer only

 private:
  QWidget* widget_;  // owned by the window's widget tree
};

// Opaque label that never shows its caption; target of the playback service's reports.
class Label : public Control {
 public:
  Label(std::string name, QWidget* widget) : Control(std::move(name), widget) {}
  Text Caption() const { return caption_; }
  void SetCaption(std::string_view text);

  // A report posted from any thread; arrives as Feedback on the user-interface thread.
  void PostFeedback(int value, int extra);
  std::function<void(int value, int extra)> Feedback;

 private:
  Text caption_;
};

// Label that draws only its text over whatever lies beneath; "&" marks a mnemonic.
class TransLabel : public Control {
 public:
  using Control::Control;
  Text Caption() const;
  void SetCaption(std::string_view text);
};

class Button : public Control {
 public:
  using Control::Control;
  Text Caption() const;
  std::function<void()> Clicked;
};

// A push button that stays pressed while checked; the radios of a window form one group.
class RadioBox : public Control {
 public:
  using Control::Control;
  Text Caption() const;
  bool Checked() const;
};

class ListBox : public Control {
 public:
  using Control::Control;
  // Index of the selected item from 0, -1 when none.
  int CurrentSelection() const;
  // Clamped into -1 .. ItemCount()-1; never raises ListItemSelected.
  void SetCurrentSelection(int index);
  int ItemCount() const;
  // The item's bytes as added; the empty text for an index outside the list.
  Text ItemText(int index) const;
  // Appends a copy of the text; yields its index, or -1 when the list cannot take it.
  int AddItem(std::string_view text);
  // The folder an item was listed from, kept with it but not shown; empty unless set.
  void SetItemFolder(int index, std::string_view folder);
  Text ItemFolder(int index) const;
  // The user changed the selection (mouse or keyboard).
  std::function<void()> ListItemSelected;
};

class HScrollBar : public Control {
 public:
  using Control::Control;
  int Position() const;
  int MaxPosition() const;
  // After a user action has changed the position; the new position is already stored.
  std::function<void()> PositionChanged;
};

// Slider whose stored Position (0 to 32767) may differ from the thumb shown (minimum to maximum).
class SliderBar : public Control {
 public:
  SliderBar(std::string name, QWidget* widget);
  int Position() const { return stored_; }
  void SetPosition(int value);
  // At every position notification of the user's, after the thumb's position has been stored.
  std::function<void()> PositionChanged;

  void StoreThumbAndNotify();  // for the platform layer only

 private:
  int stored_ = 0;
};

}  // namespace toolkit
