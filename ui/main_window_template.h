// The description of MainWindow: its settings and its 22 controls, read by the window builder.
#pragma once

#include "platform/toolkit/window_template.h"

// The template; its events are bound by the program (app/) before Created is delivered.
const toolkit::WindowTemplate& MainWindowTemplate(void (*bind_events)(toolkit::Window&));
