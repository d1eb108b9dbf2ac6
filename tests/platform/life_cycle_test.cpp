// The life cycle in a child process each: loading order, the ways to end (exit code 0, exit
// routine once) and fatal errors (exit code -1, exit routine never run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/entry_routine.h"
#include "platform/toolkit/life_cycle.h"
#include "platform/toolkit/window.h"
#include "tests/support/qt_helpers.h"
#include "ui/main_window_template.h"

using toolkit::Window;

namespace {

// Lines of ours start with "@", so that the toolkit's own messages cannot be taken for them.
void Say(const char* what) {
  std::fputs("@", stderr);
  std::fputs(what, stderr);
  std::fputs("\n", stderr);
  std::fflush(stderr);
}

void Released() { Say("released"); }

// Runs `then` on the message loop once it runs, after everything already posted.
void Later(std::function<void()> then) {
  QMetaObject::invokeMethod(qApp, std::move(then), Qt::QueuedConnection);
}

std::function<void(Window&)> on_created;

void Bind(Window& window) {
  Say("bound");
  window.Created = [&window] {
    Say(window.Visible() ? "created shown" : "created hidden");
    if (on_created) on_created(window);
  };
  window.PositionChanged = [&window] { Say(window.Visible() ? "moved shown" : "moved hidden"); };
}

const toolkit::WindowTemplate& TestTemplate() {
  static const toolkit::WindowTemplate bound = [] {
    toolkit::WindowTemplate description = MainWindowTemplate();
    description.bind_events = Bind;
    return description;
  }();
  return bound;
}

int TestEntry() {
  PreparePlatform();
  SetExitRoutine(Released);
  LoadStartupWindow(TestTemplate());
  RunMessageLoop();
  return 0;
}

[[noreturn]] void RunProgram(std::function<void(Window&)> created) {
  on_created = std::move(created);
  static int argc = 1;
  static char name[] = "tazmel-test";
  static char* argv[] = {name, nullptr};
  std::exit(RunPlatform(argc, argv, TazmelResources(), TestEntry));
}

QWidget* Control(Window& window, const char* name) { return window.Get<toolkit::Control>(name).Widget(); }

}  // namespace

TEST(LifeCycle, CreatedComesFirstWhileHiddenThenOnePositionChangedThenTheWindowShows) {
  EXPECT_EXIT(RunProgram([](Window& window) {
                Later([&window] { Say(window.Visible() ? "loop shown" : "loop hidden"); });
                RequestWindowDestroy(window);  // carried out only once the loop runs
                Say(window.Destroyed() ? "gone at once" : "still there");
              }),
              testing::ExitedWithCode(0),
              "@bound\n@created hidden\n@still there\n@moved hidden\n@loop shown\n@released\n$");
}

struct WayToEnd {
  const char* name;
  std::function<void(Window&)> act;
  friend void PrintTo(const WayToEnd& way, std::ostream* os) { *os << way.name; }
};

class EndsInOrder : public testing::TestWithParam<WayToEnd> {};

TEST_P(EndsInOrder, ExitsWithZeroAndReleasesOnce) {
  EXPECT_EXIT(RunProgram([](Window& window) { Later([&window] { GetParam().act(window); }); }),
              testing::ExitedWithCode(0), "@bound\n@created hidden\n@moved hidden\n@released\n$");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndsInOrder,
    testing::Values(
        WayToEnd{"ExitButton",
                 [](Window& w) {
                   // The program's exit button handler, as bound in the real window.
                   w.Get<toolkit::Button>("按钮_退出").Clicked = [&w] { RequestWindowDestroy(w); };
                   QTest::mouseClick(Control(w, "按钮_退出"), Qt::LeftButton);
                 }},
        WayToEnd{"CloseBoxOrSystemMenu", [](Window& w) { w.Widget()->close(); }},
        WayToEnd{"EscInThePlaylist",
                 [](Window& w) { QTest::keyClick(Control(w, "列表框1"), Qt::Key_Escape); }},
        WayToEnd{"TwoDestroyRequests",
                 [](Window& w) {
                   RequestWindowDestroy(w);
                   RequestWindowDestroy(w);
                 }},
        WayToEnd{"DestroyRequestAfterTheWindowIsGone",
                 [](Window& w) {
                   w.Widget()->close();
                   RequestWindowDestroy(w);
                 }}),
    [](const testing::TestParamInfo<WayToEnd>& info) { return std::string(info.param.name); });

TEST(LifeCycle, MessageLoopReturnsAtOnceWhenNoWindowIsLoaded) {
  auto entry = [] {
    PreparePlatform();
    SetExitRoutine(Released);
    RunMessageLoop();
    Say("loop returned");
    return 0;
  };
  static int argc = 1;
  static char name[] = "tazmel-test";
  static char* argv[] = {name, nullptr};
  EXPECT_EXIT(std::exit(RunPlatform(argc, argv, TazmelResources(), entry)), testing::ExitedWithCode(0),
              "@loop returned\n@released\n$");
}

namespace {
// Closes the error box once it is up, telling what it showed.
void AnswerErrorBox() {
  QTimer::singleShot(50, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return AnswerErrorBox();
    std::fprintf(stderr, "@box [%s] icon %d parent %d\n[%s]\n", box->windowTitle().toUtf8().constData(),
                 static_cast<int>(box->icon()), box->parentWidget() != nullptr,
                 box->text().toUtf8().constData());
    std::fflush(stderr);
    box->accept();
  });
}
}  // namespace

TEST(LifeCycle, FatalErrorShowsTheBoxThenExitsWithMinusOneWithoutTheExitRoutine) {
  EXPECT_EXIT(RunProgram([](Window& window) {
                int clicks = 0;
                window.Get<toolkit::Button>("按钮_暂停").Clicked = [&clicks] { ++clicks; };
                AnswerErrorBox();
                QTimer::singleShot(10, [&window] { QTest::mouseClick(Control(window, "按钮_暂停"), Qt::LeftButton); });
                QTimer::singleShot(20, [&clicks] { std::fprintf(stderr, "@clicks %d\n", clicks); });
                ReportFatalError("载入启动窗口失败", 0);
              }),
              testing::ExitedWithCode(255),
              "@bound\n@created hidden\n@clicks 0\n@box \\[错误\\] icon 3 parent 0\n"
              "\\[运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\\]\n$");
}

TEST(LifeCycle, AllocationFailureNamesTheSizeAskedFor) {
  EXPECT_EXIT(RunProgram([](Window&) {
                AnswerErrorBox();
                ReportAllocationFailure(1234);
              }),
              testing::ExitedWithCode(255), "错误信息：分配 1234 字节内存失败!\r\n\\]\n$");
}
