#include "tests/support/program_window.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/entry_routine.h"
#include "platform/files/program_directory.h"
#include "platform/toolkit/life_cycle.h"
#include "tests/support/qt_helpers.h"

namespace testing_support {

toolkit::Window& LoadProgramWindow(const std::string& program_directory) {
  static int argc = 1;
  static char name[] = "tazmel-test";
  static char* argv[] = {name, nullptr};
  EnsureApplication();
  SetPlatformArguments(argc, argv, TazmelResources());
  PreparePlatform();
  files::UseProgramDirectory(program_directory);
  LoadStartupWindow(StartupWindowTemplate());
  return *StartupWindow();
}

void AnswerFolderPicker(const std::string& folder, std::function<void()> before) {
  QTimer::singleShot(20, [folder, before] {
    auto* picker = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!picker || picker->objectName() != QStringLiteral("folder-picker"))
      return AnswerFolderPicker(folder, before);
    if (before) before();
    if (folder.empty()) return picker->reject();
    auto* field = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    field->setText(QString::fromStdString(folder));
    QTest::keyClick(field, Qt::Key_Return);
  });
}

}  // namespace testing_support
