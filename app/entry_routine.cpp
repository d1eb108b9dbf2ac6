#include "app/entry_routine.h"

#include <cfenv>

#include "app/event_bindings.h"
#include "app/program_state.h"
#include "app/version_info.h"
#include "ui/main_window_template.h"

int EntryRoutine() {
  PreparePlatform();
  std::fesetenv(FE_DFL_ENV);  // round to nearest, exceptions masked
  MusicFolder.clear();
  FoundFileName.clear();
  SetExitRoutine(ReleaseProgramState);
  LoadStartupWindow(MainWindowTemplate(BindMainWindowEvents));
  RunMessageLoop();
  return 0;
}

const ProgramResources& TazmelResources() {
  static const toolkit::WindowTemplate* const windows[] = {&MainWindowTemplate(BindMainWindowEvents)};
  static const ProgramResources resources{windows, kProductName, kVersion, kFileDescription, kComments};
  return resources;
}
