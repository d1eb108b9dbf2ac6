// The description of MainWindow: its settings and its 22 controls, read by the window builder.
#pragma once

#include "platform/toolkit/window_template.h"

// The description without event bindings; the program (app/) adds its binding table.
const toolkit::WindowTemplate& MainWindowTemplate();
