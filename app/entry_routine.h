// The program's entry routine and the resources its program file carries.
#pragma once

#include "platform/toolkit/life_cycle.h"

// Start-up to the message loop; returns 0, after which the platform ends the program in order.
int EntryRoutine();

const ProgramResources& TazmelResources();
// MainWindow's description with the program's event bindings.
const toolkit::WindowTemplate& StartupWindowTemplate();
