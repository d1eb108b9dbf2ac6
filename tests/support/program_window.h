// The real MainWindow with the program's own handlers, loaded as start-up loads it, for tests
// that drive the program through its controls.
#pragma once

#include <functional>
#include <string>

#include "platform/toolkit/window.h"

namespace testing_support {

// Prepares the platform, makes `program_directory` the program's directory (where "目录.ini"
// lies) and loads MainWindow, delivering Created. The message loop is the test's to spin.
toolkit::Window& LoadProgramWindow(const std::string& program_directory);

// Answers the next folder picker by typing `folder` and Enter, or cancels it when `folder` is
// empty. `before` runs first while the picker is open.
void AnswerFolderPicker(const std::string& folder, std::function<void()> before = {});

}  // namespace testing_support
