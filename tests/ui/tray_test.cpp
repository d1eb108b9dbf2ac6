// The tray icon and the window's visibility under a real X server, window manager and tray,
// clicked with real input events (xdotool).
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <regex>
#include <sstream>
#include <QScreen>

#include "platform/toolkit/life_cycle.h"
#include "platform/toolkit/tray_icon.h"
#include "tests/support/program_window.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

using namespace testing_support;

namespace {

std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

struct Rect {
  int x = -1, y = -1, width = 0, height = 0;
};

Rect Geometry(const std::string& window) {
  std::string info = Shell("xwininfo -id " + window);
  Rect r;
  std::smatch m;
  if (std::regex_search(info, m, std::regex(R"(Absolute upper-left X:\s+(-?\d+))"))) r.x = std::stoi(m[1]);
  if (std::regex_search(info, m, std::regex(R"(Absolute upper-left Y:\s+(-?\d+))"))) r.y = std::stoi(m[1]);
  if (std::regex_search(info, m, std::regex(R"(Width:\s+(\d+))"))) r.width = std::stoi(m[1]);
  if (std::regex_search(info, m, std::regex(R"(Height:\s+(\d+))"))) r.height = std::stoi(m[1]);
  return r;
}

// The icon's window docked in the tray: ours, and small.
std::string TrayIconWindow() {
  std::string ids = Shell("xdotool search --classname tazmel");
  std::istringstream lines(ids);
  std::string id;
  while (std::getline(lines, id)) {
    Rect r = Geometry(id);
    if (r.width > 0 && r.width <= 32 && r.x > 0) return id;
  }
  return "";
}

// Asks the window manager to minimise the window, as its title bar's button does.
void Minimise(QWidget* top) {
  Shell("xdotool windowminimize " + std::to_string(top->winId()));
}

class Tray : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs the headless bench's X server";
    LoadProgramWindow(program.Path());
    w = &MainWindow();
    top = w->窗口.Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    auto handler = w->窗口.TrayEvent;
    w->窗口.TrayEvent = [this, handler](int code) {
      codes.push_back(code);
      handler(code);
    };
  }
  void TearDown() override {
    if (w && !w->窗口.Destroyed()) w->窗口.Widget()->close();
  }
  // Clicks the tray icon with `button` (1 left, 3 right), `times` times in quick succession.
  void ClickTray(int button, int times = 1) {
    std::string icon;
    ASSERT_TRUE(WaitUntil([&] { return !(icon = TrayIconWindow()).empty(); }));
    Rect r = Geometry(icon);
    Shell("xdotool mousemove " + std::to_string(r.x + r.width / 2) + " " + std::to_string(r.y + r.height / 2) +
        " click --repeat " + std::to_string(times) + " --delay 60 " + std::to_string(button));
    QTest::qWait(400);
  }
  QPoint OuterTopLeft() { return top->frameGeometry().topLeft(); }

  TempFolder program;
  MainWindowControls* w = nullptr;
  QWidget* top = nullptr;
  std::vector<int> codes;
};

bool Centred(QWidget* top) {
  return WaitUntil([top] {
    QRect screen = top->screen()->geometry();
    QRect outer = top->frameGeometry();
    return outer.topLeft() == QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
  });
}

}  // namespace

TEST_F(Tray, ALeftClickHidesTheWindowAndAnotherBringsItBackCentred) {
  ASSERT_TRUE(Centred(top));
  EXPECT_EQ(OuterTopLeft(), QPoint(734, 372));  // 452 x 335 on 1920 x 1080
  top->move(0, 0);  // as a user dragging it to a corner
  ASSERT_TRUE(WaitUntil([&] { return OuterTopLeft() == QPoint(0, 0); }));
  ClickTray(1);
  EXPECT_FALSE(w->窗口.Visible());
  ClickTray(1);
  ASSERT_TRUE(WaitUntil([&] { return w->窗口.Visible() && top->isActiveWindow(); }));
  EXPECT_TRUE(Centred(top));
  EXPECT_EQ(w->窗口.WindowState(), 0);
  EXPECT_EQ(codes, (std::vector<int>{1, 1}));
}

TEST_F(Tray, ADoubleClickDeliversOneTwoOneAndEndsAsItBegan) {
  ClickTray(1, 2);
  EXPECT_EQ(codes, (std::vector<int>{1, 2, 1}));
  EXPECT_TRUE(w->窗口.Visible());
}

TEST_F(Tray, ARightClickChangesNothingAndOpensNoMenu) {
  ClickTray(3);
  EXPECT_EQ(codes, std::vector<int>{3});
  EXPECT_TRUE(w->窗口.Visible());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(Tray, MinimisingHidesTheWindowAndAClickBringsItBackRestored) {
  ASSERT_TRUE(WaitUntil([] { return !TrayIconWindow().empty(); }));
  Minimise(top);
  ASSERT_TRUE(WaitUntil([&] { return !w->窗口.Visible(); }));
  EXPECT_EQ(w->窗口.WindowState(), 2);
  ClickTray(1);
  ASSERT_TRUE(WaitUntil([&] { return w->窗口.Visible() && w->窗口.WindowState() == 0 && top->isActiveWindow(); }));
  EXPECT_TRUE(Centred(top)) << top->frameGeometry().x() << "," << top->frameGeometry().y() << " "
                            << top->frameGeometry().width() << "x" << top->frameGeometry().height() << " client "
                            << top->geometry().x() << "," << top->geometry().y();
}

TEST_F(Tray, TheIconGoesWithTheWindow) {
  ASSERT_TRUE(WaitUntil([] { return !TrayIconWindow().empty(); }));
  top->close();
  EXPECT_TRUE(w->窗口.Destroyed());
  EXPECT_TRUE(WaitUntil([] { return TrayIconWindow().empty(); }));
}

TEST(TrayIcon, AnIconIsMadeOnlyFromIconFileBytes) {
  EnsureApplication();
  auto window = BuildMainWindow();
  std::string_view garbage("not an icon at all");
  std::string cursor_header("\0\0\2\0\0\0", 6);  // a cursor file with no entries
  SetTrayIcon(*window, &garbage);
  EXPECT_FALSE(toolkit::HasTrayIcon(*window));
  std::string_view no_entries(cursor_header);
  SetTrayIcon(*window, &no_entries);
  EXPECT_FALSE(toolkit::HasTrayIcon(*window));
}

// Under a bench without a tray: minimising only minimises.
TEST(NoTray, MinimisingNeverHidesAWindowThatNothingCouldBringBack) {
  if (std::getenv("TAZMEL_BENCH_TRAY_PID")) GTEST_SKIP() << "runs in a bench without a tray";
  TempFolder program;
  LoadProgramWindow(program.Path());
  QWidget* top = MainWindow().窗口.Widget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
  Minimise(top);
  ASSERT_TRUE(WaitUntil([&] { return MainWindow().窗口.WindowState() == 2; }));
  QTest::qWait(500);
  EXPECT_TRUE(MainWindow().窗口.Visible());
  top->close();
}

// A tray that quits while the window is hidden: the window comes back.
TEST(TrayQuits, AHiddenWindowIsShownAgain) {
  const char* tray = std::getenv("TAZMEL_BENCH_TRAY_PID");
  if (!tray || !std::getenv("TAZMEL_TRAY_MAY_QUIT")) GTEST_SKIP() << "runs in a bench of its own";
  TempFolder program;
  LoadProgramWindow(program.Path());
  QWidget* top = MainWindow().窗口.Widget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
  ASSERT_TRUE(WaitUntil([] { return !TrayIconWindow().empty(); }));
  Minimise(top);
  ASSERT_TRUE(WaitUntil([&] { return !MainWindow().窗口.Visible(); }));
  kill(std::atoi(tray), SIGTERM);
  EXPECT_TRUE(WaitUntil([&] { return MainWindow().窗口.Visible(); }, 5000));
  top->close();
}
