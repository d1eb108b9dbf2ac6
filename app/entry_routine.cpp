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
  LoadStartupWindow(StartupWindowTemplate());
  RunMessageLoop();
  return 0;
}

const toolkit::WindowTemplate& StartupWindowTemplate() {
  static const toolkit::WindowTemplate bound = [] {
    toolkit::WindowTemplate description = MainWindowTemplate();
    description.bind_events = BindMainWindowEvents;
    return description;
  }();
  return bound;
}

const ProgramResources& TazmelResources() {
  static const toolkit::WindowTemplate* const windows[] = {&StartupWindowTemplate()};
  static const ProgramResources resources{windows, kProductName, kVersion, kFileDescription, kComments};
  return resources;
}
