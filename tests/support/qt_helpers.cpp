#include "tests/support/qt_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "platform/toolkit/window_builder.h"
#include "ui/main_window_template.h"

static void LoadAssets() { Q_INIT_RESOURCE(assets); }

namespace testing_support {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "tazmel-test";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    new QApplication(argc, argv);
    LoadAssets();
  }
}

std::unique_ptr<toolkit::Window> BuildMainWindow() {
  EnsureApplication();
  return toolkit::BuildWindow(MainWindowTemplate());
}

std::unique_ptr<toolkit::Window> ShowMainWindow() {
  auto window = BuildMainWindow();
  window->ShowFirstTime();
  return window;
}

QWidget* WidgetOf(toolkit::Window& window, const std::string& name) {
  return window.Get<toolkit::Control>(name).Widget();
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QTest::qWait(5);
  }
  return true;
}

}  // namespace testing_support
