// A top-level window built from its template, owning its controls and components by name.
// The program reads and writes Visible and WindowState and handles three events of it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/controls.h"

class QWidget;

namespace toolkit {

struct WindowTemplate;
class WindowWidget;

class Window {
 public:
  explicit Window(const WindowTemplate& description);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Delivered once, while loading, before the window is first shown.
  std::function<void()> Created;
  // A mouse action on the window's tray icon: 1 left release, 2 double click, 3 right/menu.
  std::function<void(int code)> TrayEvent;
  // After every change of the window's place on the screen, minimising and restoring included.
  std::function<void()> PositionChanged;

  bool Visible() const;
  void SetVisible(bool visible);
  // 0 normal, 1 centre (reads back as 0), 2 minimised, 3 maximised.
  int WindowState() const;
  void SetWindowState(int state);

  // The control or component of that name and kind; a missing one is a fatal loading error.
  template <class T>
  T& Get(std::string_view name) {
    T* found = dynamic_cast<T*>(Find(name));
    if (!found) MissingComponent(name);
    return *found;
  }

  // For the platform layer: the window's own widget and its life.
  QWidget* Widget() const;
  void Add(std::unique_ptr<Component> component);
  void ShowFirstTime();
  bool Destroyed() const { return destroyed_; }
  void Destroy();                 // hides, removes the tray icon, stops all events
  void WhenDestroyed(std::function<void()> action) { when_destroyed_.push_back(std::move(action)); }
  void DeliverPositionChanged();  // from the widget, when its place or state changed

 private:
  Component* Find(std::string_view name) const;
  [[noreturn]] static void MissingComponent(std::string_view name);

  WindowWidget* widget_;  // owned here; deleted with the window
  std::vector<std::unique_ptr<Component>> components_;
  int stored_state_ = 0;  // written while hidden, applied at the next show
  bool destroyed_ = false;
  std::vector<std::function<void()>> when_destroyed_;
};

}  // namespace toolkit
