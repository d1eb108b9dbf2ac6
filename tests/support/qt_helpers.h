// Shared helpers: a Qt application for widget tests, the real MainWindow built from its
// template, and waiting for posted events.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/toolkit/window.h"

namespace testing_support {

// The one QApplication of a test process, made on first use.
void EnsureApplication();

// The real MainWindow built from its template, with no handlers bound.
std::unique_ptr<toolkit::Window> BuildMainWindow();
// The same, shown on the screen.
std::unique_ptr<toolkit::Window> ShowMainWindow();

// The widget of a named control of a window.
QWidget* WidgetOf(toolkit::Window& window, const std::string& name);

// Processes events until the condition holds or the time runs out; yields the condition.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

}  // namespace testing_support
