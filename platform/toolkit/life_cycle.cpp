// Start-up, message loop and the two ways to end: in order (exit code 0) or fatally (-1).
#include "platform/toolkit/life_cycle.h"

#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/files/program_directory.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/life_cycle_private.h"
#include "platform/toolkit/visual_style.h"
#include "platform/toolkit/widgets.h"
#include "platform/toolkit/window.h"
#include "platform/toolkit/window_builder.h"

namespace {

// User-interface thread only.
struct PlatformState {
  int argc = 0;
  char** argv = nullptr;
  const ProgramResources* resources = nullptr;
  std::unique_ptr<QApplication> application;
  void (*exit_routine)() = nullptr;
  bool loop_started = false;
  bool ending_fatally = false;  // the error box's own loop must not be ended by a destroy
  std::unique_ptr<toolkit::Window> window;  // the loaded window; kept until the end
  std::vector<void (*)()> cleanups;
};

// Never destroyed at exit: the orderly end releases what it holds, in its own order.
PlatformState& State() {
  static auto* state = new PlatformState;
  return *state;
}

bool TemplatesReadable(const ProgramResources& resources) {
  if (resources.windows.empty()) return false;
  for (const toolkit::WindowTemplate* window : resources.windows) {
    if (!window || window->controls.empty() || !QFile::exists(QString::fromUtf8(window->background)) ||
        !QFile::exists(QString::fromUtf8(window->icon)))
      return false;
  }
  return true;
}

// The platform's own part of every end: services stop, the window and the toolkit go.
void PlatformCleanUp() {
  PlatformState& state = State();
  for (auto it = state.cleanups.rbegin(); it != state.cleanups.rend(); ++it) (*it)();
  state.cleanups.clear();
}

}  // namespace

void SetPlatformArguments(int argc, char** argv, const ProgramResources& resources) {
  PlatformState& state = State();
  state.argc = argc;
  state.argv = argv;
  state.resources = &resources;
}

void EndPlatformInOrder() {
  PlatformState& state = State();
  toolkit::RaiseSuppression();
  void (*routine)() = state.exit_routine;
  state.exit_routine = nullptr;
  if (routine) routine();
  PlatformCleanUp();
  state.window.reset();
  state.application.reset();
}

int RunPlatform(int argc, char** argv, const ProgramResources& resources, int (*entry)()) {
  SetPlatformArguments(argc, argv, resources);
  entry();
  EndPlatformInOrder();
  return 0;
}

void PreparePlatform() {
  Q_INIT_RESOURCE(assets);
  // A write past a file-size limit fails like a full disk instead of killing the program: the
  // configuration file is then kept as it was.
  signal(SIGXFSZ, SIG_IGN);
  PlatformState& state = State();
  if (!QApplication::instance()) {
    // Widgets are drawn by Qt itself, whatever desktop theme is installed.
    QApplication::setStyle(QStringLiteral("Fusion"));
    state.application = std::make_unique<QApplication>(state.argc, state.argv);
  }
  qApp->setQuitOnLastWindowClosed(false);
  const ProgramResources& resources = *state.resources;
  QCoreApplication::setApplicationName(QString::fromUtf8(resources.product_name));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(resources.version));
  qApp->setProperty("description", QString::fromUtf8(resources.description));
  qApp->setProperty("comments", QString::fromUtf8(resources.comments));
  // "宋体" is the classic Chinese serif face; here a Ming face stands in for it.
  QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"),
                                                       QStringLiteral("AR PL UMing TW")});
  files::ComputeProgramDirectory();
  if (!TemplatesReadable(resources)) ReportFatalError("载入窗口模板数据段出错!", 0);
}

void SetExitRoutine(void (*routine)()) { State().exit_routine = routine; }

void AtPlatformEnd(void (*cleanup)()) { State().cleanups.push_back(cleanup); }

toolkit::Window* StartupWindow() {
  toolkit::Window* window = State().window.get();
  return window && !window->Destroyed() ? window : nullptr;
}

void LoadStartupWindow(const toolkit::WindowTemplate& description) {
  PlatformState& state = State();
  std::unique_ptr<toolkit::Window> window;
  {
    toolkit::SuppressionScope loading;
    window = toolkit::BuildWindow(description);
    if (!window || !window->Widget()) ReportFatalError("载入启动窗口失败", 0);
    if (description.bind_events) description.bind_events(*window);
  }
  state.window = std::move(window);
  toolkit::Window& loaded = *state.window;
  toolkit::Deliver(loaded.Created);
  if (loaded.Destroyed()) return;
  loaded.DeliverPositionChanged();
  if (loaded.Destroyed()) return;
  // The size-change event follows here; this program handles none.
  if (description.visible) loaded.ShowFirstTime();
}

void RunMessageLoop() {
  PlatformState& state = State();
  state.loop_started = true;
  if (!StartupWindow()) return;
  QApplication::exec();
}

void RequestWindowDestroy(toolkit::Window& window) {
  if (window.Destroyed()) return;
  QMetaObject::invokeMethod(
      window.Widget(),
      [&window] {
        if (!window.Destroyed()) window.Destroy();
      },
      Qt::QueuedConnection);
}

namespace toolkit {
void WindowDestroyed(Window&) {
  if (State().loop_started && !State().ending_fatally) QCoreApplication::exit(0);
}
}  // namespace toolkit

bool SetVisualStyle(int scheme) { return toolkit::ApplyVisualStyle(scheme); }

Text FatalErrorText(std::string_view message, int code) {
  Text text = "运行时出错!\r\n\r\n";
  if (code != 0) text += "错误代码：" + std::to_string(code) + "\r\n\r\n";
  if (!message.empty()) text += "错误信息：" + Text(message) + "\r\n";
  return text;
}

void ReportFatalError(std::string_view message, int code) {
  toolkit::RaiseSuppression();  // never lowered again
  PlatformState& state = State();
  state.ending_fatally = true;
  if (!QApplication::instance()) {
    // Before the toolkit exists there is no box to show; say it where a person can see it.
    std::fputs(FatalErrorText(message, code).c_str(), stderr);
  } else {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QString::fromStdString(FatalErrorText(message, code)),
                    QMessageBox::Ok, nullptr);
    box.exec();
  }
  state.exit_routine = nullptr;  // discarded, never run
  PlatformCleanUp();
  std::fflush(nullptr);
  std::_Exit(-1);
}

void ReportAllocationFailure(size_t bytes) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
  ReportFatalError(message, 0);
}
