// The Created handler of MainWindow (the start-up steps) and the exit button's handler.
#pragma once

void MainWindowCreated();
void ExitCommand();
